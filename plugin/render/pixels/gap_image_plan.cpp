#include "render/pixels/gap_image_plan.h"

#include "render/puzzle/truncate.h"

namespace {

// Layer pixels per tile pixel along one axis: layer x (tile - 1) / tile^2.
double GapScale(int32_t layer_size, int32_t tile_size) {
  if (tile_size <= 0) return 0.0;
  const double tile = tile_size;
  return layer_size * (tile - 1.0) / (tile * tile);
}

}  // namespace

int32_t FixedFromDouble(double v) {
  const double scaled = v * 65536.0;
  return TruncateToInt32(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
}

GapImagePlan PlanGapImage(int32_t layer_width, int32_t layer_height, int32_t tile_width, int32_t tile_height,
                          int32_t fit) {
  GapImagePlan plan{};
  plan.scale_x = GapScale(layer_width, tile_width);
  plan.scale_y = GapScale(layer_height, tile_height);
  if (fit == 0) {
    const double larger = plan.scale_x > plan.scale_y ? plan.scale_x : plan.scale_y;
    plan.scale_x = plan.scale_y = larger;
  }
  plan.x_radius = FixedFromDouble(plan.scale_x * 0.5);
  plan.y_radius = FixedFromDouble(plan.scale_y * 0.5);
  plan.layer_centre_x = layer_width / 2.0;
  plan.layer_centre_y = layer_height / 2.0;
  plan.tile_centre_x = 0.5 * tile_width;
  plan.tile_centre_y = 0.5 * tile_height;
  return plan;
}

FixedPoint GapSamplePosition(const GapImagePlan& plan, int32_t x, int32_t y) {
  const double px = plan.layer_centre_x + plan.scale_x * (x - plan.tile_centre_x);
  const double py = plan.layer_centre_y + plan.scale_y * (y - plan.tile_centre_y);
  return FixedPoint{FixedFromDouble(px), FixedFromDouble(py)};
}
