// A view of a world's pixels for the per-depth loops: pixel (x, y) is data[y * stride + x].
#ifndef ZELKRA_RENDER_PIXELS_PIXEL_VIEW_H
#define ZELKRA_RENDER_PIXELS_PIXEL_VIEW_H

#include <stdint.h>

template <typename Pixel>
struct PixelView {
  Pixel* data;
  int32_t width;
  int32_t height;
  int32_t stride;  // row stride in pixels: the world's rowbytes / sizeof(Pixel)

  Pixel* Row(int32_t y) const { return data + static_cast<intptr_t>(y) * stride; }
};

#endif
