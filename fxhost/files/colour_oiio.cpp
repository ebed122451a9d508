// Colour conversions through OpenImageIO's colour configuration.
#include <OpenImageIO/color.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/text_compare.h"
#include "fxhost/files/colour.h"
#include "fxhost/files/image_convert.h"

namespace fxhost {
namespace {

// The configuration, read once (from $OCIO, else OpenImageIO's built-in one).
const OIIO::ColorConfig& Config() {
  static const OIIO::ColorConfig config;
  return config;
}

}  // namespace

std::string KnownColourSpace(std::string_view name) {
  if (name.empty()) return {};
  const OIIO::ColorConfig& config = Config();
  for (const std::string& known : config.getColorSpaceNames()) {
    if (EqualNoCase(known, name)) return known;
  }
  if (const char* role = config.getColorSpaceNameByRole(name)) return role;
  return {};
}

std::string CheckColourSpace(std::string_view name, std::string_view what) {
  std::string known = KnownColourSpace(name);
  if (!known.empty()) return known;
  std::string names;
  for (const std::string& n : Config().getColorSpaceNames()) names += (names.empty() ? "" : ", ") + n;
  throw InputError(std::string(what) + ": unknown colour space \"" + std::string(name) +
                   "\" (the colour configuration has " + names + ")");
}

bool SameColourSpace(std::string_view a, std::string_view b) {
  if (EqualNoCase(a, b)) return true;
  const std::string known_a = KnownColourSpace(a);
  return !known_a.empty() && known_a == KnownColourSpace(b);
}

Image ConvertColour(const Image& image, std::string_view from, std::string_view to, Depth depth) {
  if (SameColourSpace(from, to)) return ConvertDepth(image, depth);
  const auto processor = Config().createColorProcessor(KnownColourSpace(from), KnownColourSpace(to));
  if (!processor) {
    throw InputError("no colour conversion from \"" + std::string(from) + "\" to \"" + std::string(to) +
                     "\" in the colour configuration");
  }
  Image pixels = ConvertDepth(image, Depth::k32);
  ImageF& floats = std::get<ImageF>(pixels);
  // Four channels: the processor converts colour and leaves the fourth, alpha, as it is.
  constexpr std::ptrdiff_t kPixel = sizeof(RgbaF);
  processor->apply(reinterpret_cast<float*>(floats.pixels.data()), floats.width, floats.height, 4,
                   sizeof(float), kPixel, kPixel * floats.width);
  return depth == Depth::k32 ? pixels : ConvertDepth(pixels, depth);
}

}  // namespace fxhost
