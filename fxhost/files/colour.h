#pragma once
// Colour spaces by name, through OpenImageIO's colour configuration (OpenColorIO: the configuration the
// OCIO environment variable names, else OpenImageIO's built-in one with "linear", "sRGB" and "Rec709").
// Every picture fxhost reads is in the space its file's metadata says or its format implies; the effect
// renders in one working space; every file written is converted to its own space and tagged with it.

#include <string>
#include <string_view>

#include "fxhost/files/image.h"
#include "fxhost/files/image_files.h"

namespace fxhost {

inline constexpr std::string_view kSrgb = "sRGB";
inline constexpr std::string_view kLinear = "linear";

// The space a file of `format` holding `depth` is in when its metadata names none: linear for EXR and
// float files, sRGB for PNG, JPEG, 8- and 16-bit TIFF and movies; raw frames hold the working space.
std::string FormatColourSpace(FileFormat format, Depth depth);

// The configuration's name of the space `name` (any case), or "" when the configuration has none.
std::string KnownColourSpace(std::string_view name);

// KnownColourSpace(name), or InputError "`what`: unknown colour space ... (the configuration has ...)".
std::string CheckColourSpace(std::string_view name, std::string_view what);

// Whether two names are the same space (the configuration's names compared ignoring case).
bool SameColourSpace(std::string_view a, std::string_view b);

// `image` converted from space `from` to space `to` and to `depth`. The same space converts the depth
// alone (exactly as ConvertDepth); another space converts straight colour in float, alpha unchanged.
// Throws InputError when the configuration has no conversion between the two.
Image ConvertColour(const Image& image, std::string_view from, std::string_view to, Depth depth);

}  // namespace fxhost
