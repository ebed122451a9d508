// Raw frames: the checksum's bytes in a file, for comparing builds pixel by pixel.
#include <string_view>

#include "fxhost/files/atomic_file.h"
#include "fxhost/files/image_files.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {

void WriteRawFile(const std::filesystem::path& path, const Image& image) {
  const std::vector<std::byte> bytes = FrameBytes(image);
  WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace fxhost
