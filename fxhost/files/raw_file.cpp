// Raw frames: the checksum's bytes in a file, for comparing builds pixel by pixel.
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "fxhost/files/atomic_file.h"
#include "fxhost/files/image_files.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {

void WriteRawFile(const std::filesystem::path& path, const Image& image) {
  const std::vector<std::byte> bytes = FrameBytes(image);
  WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void WriteRawFile(const std::filesystem::path& path, const FrameRows& rows) {
  AtomicFile file(path);
  {
    std::ofstream out(file.temp_path(), std::ios::binary);
    for (int y = 0; y < rows.height && out; ++y) {
      out.write(reinterpret_cast<const char*>(rows.row(y)), static_cast<std::streamsize>(rows.row_bytes()));
    }
    out.close();
    if (!out) throw std::runtime_error("cannot write \"" + path.string() + "\"");
  }
  file.Commit();
}

}  // namespace fxhost
