// One frame of the effect through the host, everything from the fuzzer: the variant, the depth, a
// layer of 0 to 300 pixels each way with padded rows and any pixels, a wider output with its own
// padding, every parameter anywhere in its valid range, a gap layer of any size and depth, and
// optionally one host operation made to fail (once or from then on). After the frame the host's
// accounting must be clean (or hold only what a refused release kept), the host unmisused, and the
// answer one the plug-in may give; without a failure the frame must succeed, and with one a success
// must show the clean frame's picture.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "fault_accounting.h"
#include "fuzz_support.h"
#include "host/host_operations.h"
#include "host/render_frame.h"
#include "params/param_ids.h"

namespace {

namespace fa = fault_accounting;

// Loaded once and never unloaded: libFuzzer keeps counting in the code of every library it saw loaded.
const host::Module& Variant(bool is_32bit) {
  static const host::Module cs5 = host::Module::open(ZELKRA_PLUGIN_CS5_PATH);
  static const host::Module v32 = host::Module::open(ZELKRA_PLUGIN_32_PATH);
  return is_32bit ? v32 : cs5;
}

struct Frame {
  bool is_32bit = false;
  host::FrameRequest request;
  double values[kParamCount] = {};
};

// Fills `world` from `bytes` repeated, or with an opaque pattern when there are none.
void Fill(host::WorldBuffer& world, const std::vector<std::uint8_t>& bytes) {
  const std::size_t row = static_cast<std::size_t>(world.width()) * host::BytesPerPixel(world.depth());
  std::size_t next = 0;
  if (world.world().data == nullptr) return;  // no pixels (a width of 0 with padded rows)
  for (A_long y = 0; y < world.height(); ++y) {
    auto* out = reinterpret_cast<std::uint8_t*>(world.world().data) + y * world.rowbytes();
    for (std::size_t i = 0; i < row; ++i) {
      if (bytes.empty()) {
        out[i] = static_cast<std::uint8_t>(i % 4 == 0 ? 0xFF : (i * 7 + static_cast<std::size_t>(y) * 13));
      } else {
        out[i] = bytes[next++ % bytes.size()];
      }
    }
  }
}

host::PixelDepth Depth(FuzzedDataProvider& in) {
  return static_cast<host::PixelDepth>(in.ConsumeIntegralInRange<int>(0, 2));
}

// Renders the frame in a fresh host with `fault` (if any) in its plan and checks the host after it.
host::FrameResult RenderChecked(const Frame& frame, const std::optional<host::FaultRule>& fault) {
  host::Session session;
  host::Effect effect(Variant(frame.is_32bit), session);
  fuzz::Expect(effect.params_setup().err == PF_Err_NONE, "parameter set-up failed");
  for (int index = kParamTime; index < kParamCount; ++index) {
    if (index != kParamMissingTileLayer) effect.params().set_value(index, frame.values[index]);
  }
  if (fault) session.faults().fail(*fault);
  host::FrameResult result = host::RenderFrame(effect, frame.request);

  fuzz::Expect(session.ledger().misuse().empty(), "the host was misused");
  if (!fault) {
    fuzz::Expect(result.err() == PF_Err_NONE, "a frame failed with no host failure");
    fuzz::Expect(session.ledger().clean(), "the host still holds something after a clean frame");
    return result;
  }
  fuzz::Expect(fa::UnexplainedHeld(session).empty(), "the host still holds what was not refused back");
  fuzz::Expect(fa::AllowedResult(PF_Cmd_SMART_PRE_RENDER, result.pre_render.err, frame.is_32bit) &&
                   fa::AllowedMessage(PF_Cmd_SMART_PRE_RENDER, result.pre_render.return_msg()),
               "pre-render answered what it may not");
  if (result.render) {
    fuzz::Expect(fa::AllowedResult(PF_Cmd_SMART_RENDER, result.render->err, frame.is_32bit) &&
                     fa::AllowedMessage(PF_Cmd_SMART_RENDER, result.render->return_msg()),
                 "render answered what it may not");
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Frame frame;
  frame.is_32bit = in.ConsumeBool();
  frame.request.depth = Depth(in);

  const A_long width = in.ConsumeIntegralInRange<A_long>(0, 300);
  const A_long height = in.ConsumeIntegralInRange<A_long>(0, 300);
  const host::PixelDepth input_depth = in.ConsumeBool() ? frame.request.depth : Depth(in);
  const A_long input_padding = in.ConsumeIntegralInRange<A_long>(0, 9);
  frame.request.output_width = width + in.ConsumeIntegralInRange<A_long>(0, 40);
  frame.request.output_row_padding = in.ConsumeIntegralInRange<A_long>(0, 9);

  frame.values[kParamTime] = in.ConsumeBool() ? in.ConsumeFloatingPointInRange<double>(-100000, 100000)
                                              : in.ConsumeIntegralInRange<int>(-40, 40) / 4.0;
  frame.values[kParamMissingTile] = in.ConsumeFloatingPointInRange<double>(0, 100);
  frame.values[kParamPosition] = in.ConsumeIntegralInRange<int>(kPositionInFront, kPositionBehind);
  frame.values[kParamFit] = in.ConsumeBool() ? 1 : 0;
  frame.values[kParamRow] =
      in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(2, 5000) : in.ConsumeIntegralInRange<int>(2, 9);
  frame.values[kParamColumn] =
      in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(2, 5000) : in.ConsumeIntegralInRange<int>(2, 9);
  frame.values[kParamReturn] = in.ConsumeBool() ? 1 : 0;
  frame.values[kParamSeed] = in.ConsumeIntegralInRange<int>(0, 10000);

  const bool gap = in.ConsumeBool();
  const A_long gap_width = in.ConsumeIntegralInRange<A_long>(0, 300);
  const A_long gap_height = in.ConsumeIntegralInRange<A_long>(0, 300);
  const host::PixelDepth gap_depth = Depth(in);

  std::optional<host::FaultRule> fault;
  if (in.ConsumeBool()) {
    const auto operations = host::host_operations();
    host::FaultRule rule;
    rule.op = std::string(operations[in.ConsumeIntegralInRange<std::size_t>(0, operations.size() - 1)].name);
    rule.nth = in.ConsumeIntegralInRange<long>(1, 400);
    rule.repeat = in.ConsumeBool() ? host::Repeat::FromThenOn : host::Repeat::Once;
    rule.code = fa::kInjectedCode;
    rule.counted_from = std::string(host::kFirstFrameMark);
    fault = rule;
  }
  const std::vector<std::uint8_t> pixels = in.ConsumeRemainingBytes<std::uint8_t>();

  std::optional<host::WorldBuffer> input, gap_layer;
  try {
    input.emplace(width, height, input_depth, input_padding);
    if (gap) gap_layer.emplace(gap_width, gap_height, gap_depth);
  } catch (const host::WorldSizeError&) {
    return 0;  // a size the host does not make
  }
  Fill(*input, pixels);
  frame.request.input = &*input;
  if (gap_layer) {
    Fill(*gap_layer, {});
    frame.request.layers[kParamMissingTileLayer] = &*gap_layer;
  }

  try {
    const host::FrameResult result = RenderChecked(frame, fault);
    if (fault && result.err() == PF_Err_NONE && !fa::KnownWrongSuccess(fault->op)) {
      const host::FrameResult clean = RenderChecked(frame, std::nullopt);
      fuzz::Expect(fa::PixelsOf(result.output) == fa::PixelsOf(clean.output),
                   "a frame that differs from the clean one reported success");
    }
  } catch (const host::WorldSizeError&) {
    // An output size the host does not make.
  }
  return 0;
}
