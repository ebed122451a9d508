// Image files in a build without an image library: every file is unreadable and, but for raw frames,
// unwritable, with a message that says why.
#include <stdexcept>
#include <string>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/image_files.h"

namespace fxhost {

bool ImageFilesAvailable() {
  return false;
}

Image ReadImageFile(const std::filesystem::path& path, std::uint64_t /*max_bytes*/, std::string*) {
  throw InputError("\"" + path.string() + "\": this fxhost is built without image files (use the test card)");
}

void WriteImageFile(const std::filesystem::path& path, const Image& image, FileFormat format,
                    std::string_view) {
  if (format == FileFormat::kRaw) return WriteRawFile(path, image);
  throw std::runtime_error("\"" + path.string() + "\": this fxhost is built without image files");
}

}  // namespace fxhost
