#include "fxhost/cli/image_size.h"

#include <charconv>
#include <string>

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

bool ParseSide(std::string_view text, int& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

ImageSize ParseImageSize(std::string_view text) {
  const std::string quoted = "size \"" + std::string(text) + "\"";
  const auto x = text.find_first_of("xX");
  ImageSize size;
  if (x == std::string_view::npos || !ParseSide(text.substr(0, x), size.width) ||
      !ParseSide(text.substr(x + 1), size.height)) {
    throw InputError(quoted + ": expected WIDTHxHEIGHT, e.g. 1920x1080");
  }
  if (size.width < 1 || size.height < 1) throw InputError(quoted + ": width and height must be at least 1");
  if (size.width > kMaxSide || size.height > kMaxSide ||
      static_cast<long long>(size.width) * size.height > kMaxPixels) {
    throw InputError(quoted + ": larger than fxhost renders (at most " + std::to_string(kMaxSide) +
                     " a side and " + std::to_string(kMaxPixels) + " pixels)");
  }
  return size;
}

}  // namespace fxhost
