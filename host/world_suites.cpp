#include "host/world_suites.h"

#include "host/frame_context.h"
#include "host/gate.h"

namespace host {
namespace {

PF_Err new_world(PF_ProgPtr effect_ref, A_long width, A_long height, PF_NewWorldFlags flags,
                 PF_EffectWorld* world) {
  if (auto fault = gate("new_world", effect_ref, width, height, flags))
    return fault->code_or(PF_Err_OUT_OF_MEMORY);
  if (world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const PixelDepth depth =
      (flags & PF_NewWorldFlag_DEEP_PIXELS) != 0 ? PixelDepth::k16Bit : PixelDepth::k8Bit;
  return frame->new_world(width, height, depth, (flags & PF_NewWorldFlag_CLEAR_PIXELS) != 0, *world);
}

PF_Err dispose_world(PF_ProgPtr effect_ref, PF_EffectWorld* world) {
  if (auto fault = gate("dispose_world", effect_ref, static_cast<const void*>(world))) {
    return fault->code_or(PF_Err_BAD_CALLBACK_PARAM);
  }
  if (world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->dispose_world(*world);
}

PF_Err PF_NewWorld(PF_ProgPtr effect_ref, A_long width, A_long height, PF_Boolean clear_pixB,
                   PF_PixelFormat pixel_format, PF_EffectWorld* world) {
  if (auto fault =
          gate("PF_NewWorld", effect_ref, width, height, static_cast<int>(clear_pixB), pixel_format)) {
    return fault->code_or(PF_Err_OUT_OF_MEMORY);
  }
  const auto depth = DepthOfPixelFormat(pixel_format);
  if (world == nullptr || !depth) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->new_world(width, height, *depth, clear_pixB != 0, *world);
}

PF_Err PF_DisposeWorld(PF_ProgPtr effect_ref, PF_EffectWorld* world) {
  if (auto fault = gate("PF_DisposeWorld", effect_ref, static_cast<const void*>(world))) {
    return fault->code_or(PF_Err_BAD_CALLBACK_PARAM);
  }
  if (world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  FrameContext* frame = FrameContext::current(effect_ref);
  if (frame == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  return frame->dispose_world(*world);
}

// Any world of this host, also outside a frame: its format, or PF_PixelFormat_INVALID and
// PF_Err_BAD_CALLBACK_PARAM for a record that does not describe a live world exactly.
PF_Err PF_GetPixelFormat(const PF_EffectWorld* world, PF_PixelFormat* pixel_format) {
  if (auto fault = gate("PF_GetPixelFormat", static_cast<const void*>(world))) {
    return fault->code_or(PF_Err_BAD_CALLBACK_PARAM);
  }
  if (world == nullptr || pixel_format == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *pixel_format = FindPixelFormat(*world);
  return *pixel_format == PF_PixelFormat_INVALID ? PF_Err_BAD_CALLBACK_PARAM : PF_Err_NONE;
}

}  // namespace

const PF_WorldSuite1 kWorldSuite1 = {new_world, dispose_world};
const PF_WorldSuite2 kWorldSuite2 = {PF_NewWorld, PF_DisposeWorld, PF_GetPixelFormat};

void register_world_suites(SuiteRegistry& registry) {
  registry.add(kPFWorldSuite, kPFWorldSuiteVersion1, &kWorldSuite1);
  registry.add(kPFWorldSuite, kPFWorldSuiteVersion2, &kWorldSuite2);
}

}  // namespace host
