// Where each pixel of the gap image samples the Missing Tile Layer: the layer, centred on the
// tile, shrunk to the tile's size (proportions kept) or stretched to it on each axis.
#ifndef ZELKRA_RENDER_PIXELS_GAP_IMAGE_PLAN_H
#define ZELKRA_RENDER_PIXELS_GAP_IMAGE_PLAN_H

#include <stdint.h>

struct GapImagePlan {
  double scale_x;  // layer pixels per tile pixel
  double scale_y;
  int32_t x_radius;  // half the scales, 16.16 fixed point: the layer area one tile pixel covers
  int32_t y_radius;
  double layer_centre_x;
  double layer_centre_y;
  double tile_centre_x;
  double tile_centre_y;
};

// A double in 16.16 fixed point, rounded half away from zero (held to the 32-bit range).
int32_t FixedFromDouble(double v);

// The plan for a tile_width x tile_height gap image of a layer_width x layer_height layer. With
// fit 0 both axes take the larger scale, so the whole layer fits in the tile; with fit non-zero
// each axis has its own and the layer is stretched. A tile of width or height 0 gets scale 0.
GapImagePlan PlanGapImage(int32_t layer_width, int32_t layer_height, int32_t tile_width, int32_t tile_height,
                          int32_t fit);

struct FixedPoint {
  int32_t x;
  int32_t y;
};

// The layer position, 16.16, that tile pixel (x, y) samples.
FixedPoint GapSamplePosition(const GapImagePlan& plan, int32_t x, int32_t y);

#endif
