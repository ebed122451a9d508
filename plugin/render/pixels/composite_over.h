// The "over" operators of the three pixel depths: top laid over bottom, straight (not
// premultiplied) colour, channels alpha, red, green, blue. The first argument is always the pixel
// underneath. Pure functions on values.
#ifndef ZELKRA_RENDER_PIXELS_COMPOSITE_OVER_H
#define ZELKRA_RENDER_PIXELS_COMPOSITE_OVER_H

#include <stdint.h>

#include "pf_basic_types.h"

// Defined here, inline, so the composition's per-pixel loops call no function.

// Colour quotients held to the channel range: 0..255, and 0..32768 for an unsigned quotient
// whose top bit is set (negative read as signed) or that exceeds full scale.
inline int32_t ClampChannel8(int32_t c) {
  if (c < 0) return 0;
  if (c > 255) return 255;
  return c;
}

inline uint32_t ClampChannel16(uint32_t c) {
  if (static_cast<int32_t>(c) < 0) return 0;
  if (c > 32768u) return 32768u;
  return c;
}

// 8-bit, full scale 255: the bottom weighs ((256 - top alpha) x bottom alpha) >> 8.
inline PF_Pixel CompositeOver8(PF_Pixel bottom, PF_Pixel top) {
  // The common cases first: nothing underneath, an opaque top, nothing on top.
  if (bottom.alpha == 0 || top.alpha == 255) return top;
  if (top.alpha == 0) return bottom;

  const int32_t top_alpha = top.alpha;
  const int32_t w = ((256 - top_alpha) * bottom.alpha) >> 8;
  int32_t a = top_alpha + w;
  if (a > 255) a = 255;
  if (a <= 0) return PF_Pixel{0, 0, 0, 0};

  const auto mix = [&](int32_t top_c, int32_t bottom_c) {
    return static_cast<A_u_char>(ClampChannel8((top_c * top_alpha + bottom_c * w) / a));
  };
  return PF_Pixel{static_cast<A_u_char>(a), mix(top.red, bottom.red), mix(top.green, bottom.green),
                  mix(top.blue, bottom.blue)};
}

// 16-bit, full scale 32768: the bottom weighs ((32768 - top alpha) x bottom alpha) >> 15.
inline PF_Pixel16 CompositeOver16(PF_Pixel16 bottom, PF_Pixel16 top) {
  if (bottom.alpha == 0 || top.alpha == 32768) return top;
  if (top.alpha == 0) return bottom;

  const uint32_t top_alpha = top.alpha;
  const uint32_t w = ((32768u - top_alpha) * bottom.alpha) >> 15;
  uint32_t a = top_alpha + w;
  if (a > 32768u) a = 32768u;
  if (a == 0) return PF_Pixel16{0, 0, 0, 0};

  const auto mix = [&](uint32_t top_c, uint32_t bottom_c) {
    return static_cast<A_u_short>(ClampChannel16((top_c * top_alpha + bottom_c * w) / a));
  };
  return PF_Pixel16{static_cast<A_u_short>(a), mix(top.red, bottom.red), mix(top.green, bottom.green),
                    mix(top.blue, bottom.blue)};
}

// Float, full scale 1.0; colours are not clamped, so over-range values pass through.
inline PF_PixelFloat CompositeOverFloat(PF_PixelFloat bottom, PF_PixelFloat top) {
  if (bottom.alpha == 0.0f || top.alpha == 1.0f) return top;
  if (top.alpha == 0.0f) return bottom;

#if ZELKRA_VARIANT_32BIT
  // The 32-bit deliverable forms the weight and each colour sum at higher precision and rounds
  // them to single precision once, when stored; its results may differ in the last bit.
  const float w =
      static_cast<float>((1.0 - static_cast<double>(top.alpha)) * static_cast<double>(bottom.alpha));
  const auto sum = [&](float top_c, float bottom_c) {
    return static_cast<float>(static_cast<double>(top_c) * static_cast<double>(top.alpha) +
                              static_cast<double>(bottom_c) * static_cast<double>(w));
  };
#else
  // Every product and sum rounded to single precision.
  const float w = (1.0f - top.alpha) * bottom.alpha;
  const auto sum = [&](float top_c, float bottom_c) {
    const float top_part = top_c * top.alpha;
    const float bottom_part = bottom_c * w;
    return top_part + bottom_part;
  };
#endif
  float a = top.alpha + w;
  if (a > 1.0f) a = 1.0f;
  if (a <= 0.0f) return PF_PixelFloat{0.0f, 0.0f, 0.0f, 0.0f};

  return PF_PixelFloat{a, sum(top.red, bottom.red) / a, sum(top.green, bottom.green) / a,
                       sum(top.blue, bottom.blue) / a};
}

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
