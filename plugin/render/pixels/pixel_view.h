// A view of a world's pixels for the per-depth loops: pixel (x, y) is data[y * stride + x].
#ifndef ZELKRA_RENDER_PIXELS_PIXEL_VIEW_H
#define ZELKRA_RENDER_PIXELS_PIXEL_VIEW_H

#include <stdint.h>

#include "pf_basic_types.h"

template <typename Pixel>
struct PixelView {
  Pixel* data;
  int32_t width;
  int32_t height;
  int32_t stride;  // row stride in pixels: the world's rowbytes / sizeof(Pixel)

  Pixel* Row(int32_t y) const { return data + static_cast<intptr_t>(y) * stride; }
};

// The view of a host world whose pixels are of type Pixel (the render's depth): its width, height
// and row stride in pixels (rowbytes / sizeof(Pixel), truncated).
template <typename Pixel>
PixelView<Pixel> WorldView(const PF_EffectWorld& world) {
  return PixelView<Pixel>{reinterpret_cast<Pixel*>(world.data), world.width, world.height,
                          world.rowbytes / static_cast<int32_t>(sizeof(Pixel))};
}

#endif
