// The render's set-up: the frame settings, the input and output worlds, the depth in which the
// whole frame is processed, and the refusal of worlds the later stages cannot handle.
#pragma once

#include <stdint.h>

#include "entry/suite_handler.h"
#include "pf_host_interface.h"
#include "render/puzzle_info.h"
#include "render/render_cleanup.h"

enum PixelDepth : int32_t { kPixelDepth8 = 0, kPixelDepth16 = 1, kPixelDepthFloat = 2 };

// What the later stages work on: the worlds as the host handed them out, and the depth whose
// pixel type the smart render reads them as.
struct RenderContext {
  PF_InData* in_data;
  PF_OutData* out_data;
  PF_EffectWorld* input;
  PF_EffectWorld* output;
  PixelDepth depth;
  int32_t width;  // the input's size: the layer size for every later stage
  int32_t height;
};

// The render's own error for worlds of unequal height or rows shorter than the layer; it is not
// one of the host's named codes.
inline constexpr PF_Err kRenderErrUnsuitableWorld = 255;

// Locks the frame settings into *info, checks out input and output, acquires the world suite
// version 2 into world_suite2 (released by its guard), finds the depth, refuses unsuitable worlds
// and clears the output to transparent black. On any refusal the output is left as it was.
PF_Err SetUpRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra, SuiteHandler& suites,
                   WorldSuite2Hold& world_suite2, PuzzleInfo** info, RenderContext& context);
