// The "over" operators of the three pixel depths: top laid over bottom, straight (not
// premultiplied) colour, channels alpha, red, green, blue. The first argument is always the pixel
// underneath. Pure functions on values.
#ifndef ZELKRA_RENDER_PIXELS_COMPOSITE_OVER_H
#define ZELKRA_RENDER_PIXELS_COMPOSITE_OVER_H

#include <stdint.h>

#include "pf_basic_types.h"

// 8-bit, full scale 255: the bottom weighs ((256 - top alpha) x bottom alpha) >> 8.
PF_Pixel CompositeOver8(PF_Pixel bottom, PF_Pixel top);

// 16-bit, full scale 32768: the bottom weighs ((32768 - top alpha) x bottom alpha) >> 15.
PF_Pixel16 CompositeOver16(PF_Pixel16 bottom, PF_Pixel16 top);

// Float, full scale 1.0; colours are not clamped, so over-range values pass through.
PF_PixelFloat CompositeOverFloat(PF_PixelFloat bottom, PF_PixelFloat top);

// Colour quotients held to the channel range: 0..255, and 0..32768 for an unsigned quotient
// whose top bit is set (negative read as signed) or that exceeds full scale.
int32_t ClampChannel8(int32_t c);
uint32_t ClampChannel16(uint32_t c);

// The operator of a pixel type, for code written once over the three depths.
inline PF_Pixel CompositeOver(PF_Pixel bottom, PF_Pixel top) {
  return CompositeOver8(bottom, top);
}
inline PF_Pixel16 CompositeOver(PF_Pixel16 bottom, PF_Pixel16 top) {
  return CompositeOver16(bottom, top);
}
inline PF_PixelFloat CompositeOver(PF_PixelFloat bottom, PF_PixelFloat top) {
  return CompositeOverFloat(bottom, top);
}

#endif
