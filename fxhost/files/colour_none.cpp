// Colour spaces in a build without an image library: no configuration, so only the two spaces fxhost
// names itself, and no conversion between different ones.
#include <algorithm>
#include <cctype>

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/text_compare.h"
#include "fxhost/files/colour.h"
#include "fxhost/files/image_convert.h"

namespace fxhost {

std::string KnownColourSpace(std::string_view name) {
  for (std::string_view known : {kSrgb, kLinear}) {
    if (EqualNoCase(known, name)) {
      return std::string(known);
    }
  }
  return {};
}

std::string CheckColourSpace(std::string_view name, std::string_view what) {
  std::string known = KnownColourSpace(name);
  if (known.empty())
    throw InputError(std::string(what) + ": unknown colour space \"" + std::string(name) +
                     "\" (sRGB, linear)");
  return known;
}

bool SameColourSpace(std::string_view a, std::string_view b) {
  return KnownColourSpace(a) == KnownColourSpace(b);
}

Image ConvertColour(const Image& image, std::string_view from, std::string_view to, Depth depth) {
  if (SameColourSpace(from, to)) return ConvertDepth(image, depth);
  throw InputError("this fxhost is built without colour conversions (from \"" + std::string(from) +
                   "\" to \"" + std::string(to) + "\")");
}

}  // namespace fxhost
