#include "render/render_setup.h"

namespace {

// The depth of a pixel format, and its bytes per pixel; false for any other format.
bool DepthOfFormat(PF_PixelFormat format, PixelDepth& depth, int32_t& bytes_per_pixel) {
  switch (format) {
    case PF_PixelFormat_ARGB32:
      depth = kPixelDepth8;
      bytes_per_pixel = 4;
      return true;
    case PF_PixelFormat_ARGB64:
      depth = kPixelDepth16;
      bytes_per_pixel = 8;
      return true;
    case PF_PixelFormat_ARGB128:
      depth = kPixelDepthFloat;
      bytes_per_pixel = 16;
      return true;
    default:
      return false;
  }
}

// Every channel of every pixel of the world's rows set to 0; padding is left alone.
void ClearWorld(PF_EffectWorld& world, int32_t bytes_per_pixel) {
  if (world.data == nullptr) return;
  auto* bytes = reinterpret_cast<unsigned char*>(world.data);
  const intptr_t row_bytes = static_cast<intptr_t>(world.width) * bytes_per_pixel;
  for (int32_t y = 0; y < world.height; ++y) {
    unsigned char* row = bytes + static_cast<intptr_t>(y) * world.rowbytes;
    for (intptr_t i = 0; i < row_bytes; ++i) row[i] = 0;
  }
}

}  // namespace

PF_Err SetUpRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra, SuiteHandler& suites,
                   WorldSuite2Hold& world_suite2, PuzzleInfo** info, RenderContext& context) {
  void* pre_render_data = extra->input->pre_render_data;
  *info = pre_render_data == nullptr ? nullptr
                                     : static_cast<PuzzleInfo*>(suites.HandleSuite()->host_lock_handle(
                                           static_cast<PF_Handle>(pre_render_data)));
  if (*info == nullptr) return PF_Err_BAD_CALLBACK_PARAM;

  context = RenderContext{};
  PF_Err err = PF_Err_NONE;
  PF_PixelFormat format = PF_PixelFormat_INVALID;
  PF_EffectWorld* input = nullptr;
  PF_EffectWorld* output = nullptr;
  err = extra->cb->checkout_layer_pixels(in_data->effect_ref, 0, &input);
  if (err == PF_Err_NONE) err = extra->cb->checkout_output(in_data->effect_ref, &output);
  if (err == PF_Err_NONE) err = world_suite2.Acquire();
  // A world the host did not deliver leaves the format unknown.
  if (err == PF_Err_NONE && input != nullptr && output != nullptr) {
    err = world_suite2.suite()->PF_GetPixelFormat(input, &format);
  }

  int32_t bytes_per_pixel = 0;
  if (err != PF_Err_NONE || !DepthOfFormat(format, context.depth, bytes_per_pixel)) {
    return PF_Err_BAD_CALLBACK_PARAM;
  }

  context.in_data = in_data;
  context.out_data = out_data;
  context.input = input;
  context.output = output;
  context.width = input->width;
  context.height = input->height;
  // Row strides in pixels, as the later stages read the worlds.
  const int32_t input_stride = input->rowbytes / bytes_per_pixel;
  const int32_t output_stride = output->rowbytes / bytes_per_pixel;
  if (input_stride < context.width || output_stride < context.width) {
    return kRenderErrUnsuitableWorld;
  }
  if (input->height != output->height) return kRenderErrUnsuitableWorld;

  // Transparent black everywhere, whatever the depth. Should the host's fill fail, the output is
  // cleared here instead: the frame is drawn onto it, and what shows between the tiles must not be
  // whatever the world held before.
  const PF_Pixel transparent = {0, 0, 0, 0};
  if (in_data->utils->fill(in_data->effect_ref, &transparent, nullptr, output) != PF_Err_NONE) {
    ClearWorld(*output, bytes_per_pixel);
  }
  return PF_Err_NONE;
}
