#include "frame_bench.h"

#include <cstdint>
#include <utility>

#include "host/render_frame.h"

namespace {

// Parameter indices of the effect (each parameter's id is its index).
constexpr PF_ParamIndex kTime = 1;
constexpr PF_ParamIndex kGapLayer = 3;
constexpr PF_ParamIndex kRow = 6;
constexpr PF_ParamIndex kColumn = 7;

template <typename Pixel>
Pixel InDepth(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  const PF_Pixel p{a, r, g, b};
  if constexpr (std::is_same_v<Pixel, PF_Pixel16>) {
    return host::ToPixel16(p);
  } else if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) {
    return host::ToPixelFloat(p);
  } else {
    return p;
  }
}

// A layer whose every channel varies across the picture, with partly transparent pixels.
template <typename Pixel>
void Paint(host::WorldBuffer& layer, int seed) {
  for (A_long y = 0; y < layer.height(); ++y) {
    auto row = layer.Row<Pixel>(y);
    for (A_long x = 0; x < layer.width(); ++x) {
      row[static_cast<std::size_t>(x)] =
          InDepth<Pixel>(static_cast<std::uint8_t>(128 + (x + y + seed) % 128), static_cast<std::uint8_t>(x),
                         static_cast<std::uint8_t>(y + seed), static_cast<std::uint8_t>(x ^ y));
    }
  }
}

host::WorldBuffer MakeLayer(A_long width, A_long height, host::PixelDepth depth, int seed) {
  host::WorldBuffer layer(width, height, depth);
  switch (depth) {
    case host::PixelDepth::k8Bit:
      Paint<PF_Pixel>(layer, seed);
      break;
    case host::PixelDepth::k16Bit:
      Paint<PF_Pixel16>(layer, seed);
      break;
    case host::PixelDepth::kFloat:
      Paint<PF_PixelFloat>(layer, seed);
      break;
  }
  return layer;
}

}  // namespace

FrameBench::FrameBench(A_long width, A_long height, host::PixelDepth depth, const FrameSettings& settings)
    : module_(host::Module::open(ZELKRA_PLUGIN_PATH)),
      effect_(module_, session_),
      input_(MakeLayer(width, height, depth, 0)),
      depth_(depth),
      output_bytes_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                    host::BytesPerPixel(depth)) {
  // As fxhost: no call log, no call counts.
  session_.log().set_recording(false);
  session_.faults().set_counting(false);
  effect_.settings().width = width;
  effect_.settings().height = height;
  effect_.global_setup();
  effect_.params_setup();
  effect_.sequence_setup();
  effect_.params().set_value(kTime, settings.time);
  effect_.params().set_value(kRow, settings.rows);
  effect_.params().set_value(kColumn, settings.columns);
  if (settings.gap_layer) gap_.emplace(MakeLayer(width, height, depth, 77));
}

FrameBench::~FrameBench() {
  effect_.sequence_setdown();
  effect_.global_setdown();
}

std::string FrameBench::RenderOnce() {
  host::FrameRequest request;
  request.depth = depth_;
  request.input = &input_;
  if (gap_) request.layers[kGapLayer] = &*gap_;
  // As fxhost: progress counted, not kept; each frame renders into the world of the frame before.
  request.record_progress = false;
  if (previous_) request.recycled_output = &*previous_;
  host::FrameResult frame = host::RenderFrame(effect_, request);
  if (frame.err() != PF_Err_NONE) return "the frame failed with result " + std::to_string(frame.err());
  previous_.emplace(std::move(frame.output));
  return {};
}
