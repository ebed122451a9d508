// The render's set-up: the frame settings, the input and output worlds, the depth in which the
// whole frame is processed, and the refusal of worlds the later stages cannot handle.
#pragma once

#include <stdint.h>

#include "entry/suite_handler.h"
#include "pf_host_interface.h"
#include "render/puzzle_info.h"
#include "render/render_cleanup.h"

enum PixelDepth : int32_t { kPixelDepth8 = 0, kPixelDepth16 = 1, kPixelDepthFloat = 2 };

// What the later stages work on. Only the pixel pointers of the depth in use are set.
struct RenderContext {
  PF_InData* in_data;
  PF_OutData* out_data;
  PF_EffectWorld* input;
  PF_EffectWorld* output;
  PixelDepth depth;
  PF_Pixel* input8;
  PF_Pixel* output8;
  PF_Pixel16* input16;
  PF_Pixel16* output16;
  PF_PixelFloat* input_float;
  PF_PixelFloat* output_float;
  int32_t width;  // the input's size: the layer size for every later stage
  int32_t height;
  int32_t input_stride;  // row strides in pixels
  int32_t output_stride;
};

// The render's own error for worlds of unequal height or rows shorter than the layer; it is not
// one of the host's named codes.
inline constexpr PF_Err kRenderErrUnsuitableWorld = 255;

// Locks the frame settings into *info, checks out input and output, acquires the world suite
// version 2 into world_suite2 (released by its guard), finds the depth, refuses unsuitable worlds
// and clears the output to transparent black. On any refusal the output is left as it was.
PF_Err SetUpRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra, SuiteHandler& suites,
                   WorldSuite2Hold& world_suite2, PuzzleInfo** info, RenderContext& context);

// Pixel views of the context's worlds in the depth in use: Pixel must match context.depth.
template <typename Pixel>
struct ContextPixels;
template <>
struct ContextPixels<PF_Pixel> {
  static PF_Pixel* Input(const RenderContext& c) { return c.input8; }
  static PF_Pixel* Output(const RenderContext& c) { return c.output8; }
};
template <>
struct ContextPixels<PF_Pixel16> {
  static PF_Pixel16* Input(const RenderContext& c) { return c.input16; }
  static PF_Pixel16* Output(const RenderContext& c) { return c.output16; }
};
template <>
struct ContextPixels<PF_PixelFloat> {
  static PF_PixelFloat* Input(const RenderContext& c) { return c.input_float; }
  static PF_PixelFloat* Output(const RenderContext& c) { return c.output_float; }
};
