// Fills the gap image by sampling the Missing Tile Layer once per pixel. The sampling itself is
// the caller's (the host's area sampling); this is the loop around it.
#ifndef ZELKRA_RENDER_PIXELS_GAP_IMAGE_H
#define ZELKRA_RENDER_PIXELS_GAP_IMAGE_H

#include "pf_basic_types.h"
#include "render/pixels/gap_image_plan.h"
#include "render/pixels/pixel_view.h"

// Calls sample(x_fixed, y_fixed, Pixel* out) -> PF_Err for each pixel of image, row by row, at
// the plan's position for that pixel, and stores what it returns. The first error ends the
// sampling and is returned; the rest of the image is then left as it was.
template <typename Pixel, typename Sample>
PF_Err SampleGapImage(const GapImagePlan& plan, const PixelView<Pixel>& image, Sample&& sample) {
  for (int32_t y = 0; y < image.height; ++y) {
    Pixel* row = image.Row(y);
    for (int32_t x = 0; x < image.width; ++x) {
      const FixedPoint at = GapSamplePosition(plan, x, y);
      Pixel pixel{};
      const PF_Err err = sample(at.x, at.y, &pixel);
      if (err != 0) return err;
      row[x] = pixel;
    }
  }
  return 0;
}

#endif
