// The gap image (the Missing Tile Layer shrunk to one tile) in a host world of the render's depth.
#pragma once

#include "entry/suite_handler.h"
#include "params/param_checkout.h"
#include "params/param_ids.h"
#include "pf_host_interface.h"
#include "render/depth_traits.h"
#include "render/pixels/gap_image.h"
#include "render/pixels/gap_image_plan.h"
#include "render/pixels/pixel_view.h"
#include "render/puzzle/tile_grid.h"
#include "render/render_cleanup.h"
#include "render/render_setup.h"

// The gap image's world while it exists. It is disposed of through the world suite version 1 in
// every depth, so that suite is fetched before the world is made: a world that could not be
// disposed of is never made. Disposed of by Dispose, or when the holder goes.
class GapImageWorld {
 public:
  explicit GapImageWorld(PF_ProgPtr effect_ref) : effect_ref_(effect_ref) {}
  ~GapImageWorld() { Dispose(); }
  GapImageWorld(const GapImageWorld&) = delete;
  GapImageWorld& operator=(const GapImageWorld&) = delete;

  // Makes a width x height world of Pixel's depth; the pixels are not cleared.
  template <typename Pixel>
  PF_Err Create(SuiteHandler& suites, const PF_WorldSuite2* world_suite2, A_long width, A_long height) {
    const PF_WorldSuite1* world_suite1 = suites.WorldSuite();
    world_ = PF_EffectWorld{};
    const PF_Err err =
        DepthTraits<Pixel>::NewWorld(world_suite1, world_suite2, effect_ref_, width, height, &world_);
    if (err == PF_Err_NONE) disposer_ = world_suite1;
    return err;
  }
  // Disposes of the world if it exists and forgets it; the host's result, 0 when there was none.
  PF_Err Dispose();

  bool exists() const { return disposer_ != nullptr; }
  const PF_EffectWorld& world() const { return world_; }
  PF_EffectWorld& world() { return world_; }

 private:
  PF_ProgPtr effect_ref_;
  PF_EffectWorld world_ = {};
  const PF_WorldSuite1* disposer_ = nullptr;  // set while the world exists
};

// Checks out the Missing Tile Layer, asks whether the user has cancelled, and when the layer has
// pixels and no error was recorded, resamples it into a tile-sized world of Pixel's depth in gap,
// through the host's area sampling of that depth. The parameter is checked in on every way out.
// Returns the render's error value (err, if it was already set).
template <typename Pixel>
PF_Err MakeGapImage(const RenderContext& context, SuiteHandler& suites, const PF_WorldSuite2* world_suite2,
                    const TileRect& missing_tile, int32_t fit, GapImageWorld& gap, PF_Err err) {
  PF_InData* in_data = context.in_data;
  ParamCheckout layer;
  if (err == PF_Err_NONE) err = layer.Checkout(in_data, kParamMissingTileLayer);
  if (err == PF_Err_NONE) err = in_data->inter.abort(in_data->effect_ref);
  const PF_LayerDef& source = layer.def().u.ld;
  if (err != PF_Err_NONE || source.data == nullptr) return err;

  err = gap.Create<Pixel>(suites, world_suite2, missing_tile.width, missing_tile.height);
  if (err != PF_Err_NONE) return err;
  const PixelView<Pixel> image = WorldView<Pixel>(gap.world());
  const GapImagePlan plan = PlanGapImage(source.width, source.height, image.width, image.height, fit);
  PF_SampPB block = {};
  block.x_radius = plan.x_radius;
  block.y_radius = plan.y_radius;
  block.src = const_cast<PF_LayerDef*>(&source);
  const auto area_sample = DepthTraits<Pixel>::AreaSample(suites);
  return SampleGapImage(plan, image, [&](PF_Fixed x, PF_Fixed y, Pixel* out) {
    return area_sample(in_data->effect_ref, x, y, &block, out);
  });  // the layer is checked in as its holder goes
}
