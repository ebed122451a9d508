// A world's pixels in another depth.
#pragma once

#include "host/world_buffer.h"

namespace host {

// A new world of src's size (no padding) holding src's pixels in `depth`. Channels are scaled by
// the full scales (255, 32768, 1.0): 8-bit sources convert as ToPixel16 / ToPixelFloat do, other
// integer results are rounded to nearest and held to the channel's range, float results are the
// plain quotient. Converting to src's own depth copies it.
WorldBuffer ConvertWorld(const WorldBuffer& src, PixelDepth depth);

}  // namespace host
