#include "render/gap_image_world.h"

#include "params/param_ids.h"
#include "render/pixels/gap_image.h"
#include "render/pixels/gap_image_plan.h"
#include "render/render_cleanup.h"

namespace {

// The area sampling of each depth, through the suite of that depth.
template <typename Pixel>
struct AreaSampling;
template <>
struct AreaSampling<PF_Pixel> {
  static auto Function(SuiteHandler& suites) { return suites.Sampling8Suite()->area_sample; }
};
template <>
struct AreaSampling<PF_Pixel16> {
  static auto Function(SuiteHandler& suites) { return suites.Sampling16Suite()->area_sample16; }
};
template <>
struct AreaSampling<PF_PixelFloat> {
  static auto Function(SuiteHandler& suites) { return suites.SamplingFloatSuite()->area_sample_float; }
};

template <typename Pixel>
PF_Err SampleLayer(SuiteHandler& suites, PF_ProgPtr effect_ref, const PF_ParamDef& layer, GapImageWorld& gap,
                   int32_t fit) {
  const PF_LayerDef& source = layer.u.ld;
  const PixelView<Pixel> image = WorldView<Pixel>(gap.world());
  const GapImagePlan plan = PlanGapImage(source.width, source.height, image.width, image.height, fit);
  PF_SampPB block = {};
  block.x_radius = plan.x_radius;
  block.y_radius = plan.y_radius;
  block.src = const_cast<PF_LayerDef*>(&source);
  const auto area_sample = AreaSampling<Pixel>::Function(suites);
  return SampleGapImage(plan, image, [&](PF_Fixed x, PF_Fixed y, Pixel* out) {
    return area_sample(effect_ref, x, y, &block, out);
  });
}

}  // namespace

PF_Err GapImageWorld::Create(SuiteHandler& suites, const PF_WorldSuite2* world_suite2, PixelDepth depth,
                             A_long width, A_long height) {
  const PF_WorldSuite1* world_suite1 = suites.WorldSuite();
  PF_Err err = PF_Err_NONE;
  world_ = PF_EffectWorld{};
  switch (depth) {
    case kPixelDepth8:
      err = world_suite1->new_world(effect_ref_, width, height, PF_NewWorldFlag_NONE, &world_);
      break;
    case kPixelDepth16:
      err = world_suite1->new_world(effect_ref_, width, height, PF_NewWorldFlag_DEEP_PIXELS, &world_);
      break;
    case kPixelDepthFloat:
      err = world_suite2->PF_NewWorld(effect_ref_, width, height, false, PF_PixelFormat_ARGB128, &world_);
      break;
  }
  if (err == PF_Err_NONE) disposer_ = world_suite1;
  return err;
}

PF_Err GapImageWorld::Dispose() {
  if (disposer_ == nullptr) return PF_Err_NONE;
  const PF_WorldSuite1* disposer = disposer_;
  disposer_ = nullptr;
  return disposer->dispose_world(effect_ref_, &world_);
}

PF_Err MakeGapImage(const RenderContext& context, SuiteHandler& suites, const PF_WorldSuite2* world_suite2,
                    const TileRect& missing_tile, int32_t fit, GapImageWorld& gap, PF_Err err) {
  PF_InData* in_data = context.in_data;
  ParamCheckout layer(in_data);
  if (err == PF_Err_NONE) err = layer.Checkout(kParamMissingTileLayer);
  if (err == PF_Err_NONE) err = in_data->inter.abort(in_data->effect_ref);
  const bool present = layer.def().u.ld.data != nullptr;
  if (err != PF_Err_NONE || !present) return err;

  err = gap.Create(suites, world_suite2, context.depth, missing_tile.width, missing_tile.height);
  if (err == PF_Err_NONE) {
    switch (context.depth) {
      case kPixelDepth8:
        err = SampleLayer<PF_Pixel>(suites, in_data->effect_ref, layer.def(), gap, fit);
        break;
      case kPixelDepth16:
        err = SampleLayer<PF_Pixel16>(suites, in_data->effect_ref, layer.def(), gap, fit);
        break;
      case kPixelDepthFloat:
        err = SampleLayer<PF_PixelFloat>(suites, in_data->effect_ref, layer.def(), gap, fit);
        break;
    }
  }
  return err;  // the layer is checked in as its holder goes
}
