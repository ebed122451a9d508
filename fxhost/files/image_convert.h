#pragma once
// Conversions between the host's three depths and between the host's 16-bit scale and the files'.

#include <cstdint>

#include "fxhost/files/image.h"

namespace fxhost {

// 16-bit file values (0..65535) to the host's 0..32768 and back, each rounded to nearest. Host to file to
// host is exact for every host value, so 16-bit PNG and TIFF round trips of a world are exact.
std::uint16_t FileToHost16(std::uint16_t file_value);
std::uint16_t HostToFile16(std::uint16_t host_value);

// The same picture in another depth: 8 to 16 is round(v * 32768 / 255), float is v / 255 or v / 32768,
// and the way back rounds to nearest after clamping to the full scale.
Image ConvertDepth(const Image& image, Depth depth);

// Colour multiplied by alpha (for files that store premultiplied colour) and back. Unpremultiplying a
// pixel of alpha 0 gives transparent black.
void Premultiply(ImageF& image);
void Unpremultiply(ImageF& image);

// The picture over black with opaque alpha, 8-bit: what formats without alpha (JPEG, movies) show.
Image8 FlattenOnBlack8(const Image& image);

}  // namespace fxhost
