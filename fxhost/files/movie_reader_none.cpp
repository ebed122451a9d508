// Movies in a build without image files: every movie is unreadable, with a message that says why.

#include "fxhost/cli/input_error.h"
#include "fxhost/files/movie_reader.h"

namespace fxhost {

bool IsMovieFile(const std::filesystem::path&) {
  return false;  // every file is read as an image file, which this build refuses with its own message
}

struct MovieReader::State {};

MovieReader::MovieReader(const std::filesystem::path& path) {
  throw InputError("\"" + path.string() + "\": this fxhost is built without movies (use the test card)");
}
MovieReader::~MovieReader() = default;
int MovieReader::frame_count() const {
  return 0;
}
int MovieReader::width() const {
  return 0;
}
int MovieReader::height() const {
  return 0;
}
Depth MovieReader::depth() const {
  return Depth::k8;
}
const std::string& MovieReader::colour_space() const {
  static const std::string kNone;
  return kNone;
}
Image MovieReader::Frame(int) {
  return {};
}
int MovieReader::DecodeNext() {
  return -1;
}
Image MovieReader::Held() const {
  return {};
}
int MovieReader::position() const {
  return -1;
}

}  // namespace fxhost
