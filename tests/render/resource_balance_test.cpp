// Every host operation a frame uses made to fail in turn: the frame returns the expected code and
// the host holds nothing of it afterwards (or exactly what a refused release had to leave).
#include "render_fixture.h"

using testing::ElementsAreArray;
using testing::IsEmpty;

namespace {

// The code of an error thrown below the entry point (a suite missing): 516 or 512 by variant.
constexpr PF_Err kThrown = -1;

struct FaultCase {
  const char* op;
  long nth;
  host::PixelDepth depth;
  PF_Err expected;
  std::vector<std::string> left_held = {};  // what a refused release leaves with the host
  const char* message = "";
};

const host::PixelDepth k8 = host::PixelDepth::k8Bit;
const host::PixelDepth k16 = host::PixelDepth::k16Bit;
const host::PixelDepth kF = host::PixelDepth::kFloat;

// In call order within one frame with a gap layer. AcquireSuite: #1 the handle suite (pre-render),
// #2 the handle suite (render), #3 the world suite version 2, #4 version 1, #5 the sampling suite.
const FaultCase kCases[] = {
    {"host_new_handle", 1, k8, PF_Err_OUT_OF_MEMORY},
    {"host_lock_handle", 1, k8, PF_Err_OUT_OF_MEMORY},
    {"checkout_param", 1, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"checkout_param", 8, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"checkout_layer", 1, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"AcquireSuite", 1, k8, kThrown},
    {"AcquireSuite", 2, k8, kThrown},
    {"host_lock_handle", 2, k8, PF_Err_BAD_CALLBACK_PARAM},
    {"checkout_layer_pixels", 1, k8, PF_Err_BAD_CALLBACK_PARAM},
    {"checkout_output", 1, k8, PF_Err_BAD_CALLBACK_PARAM},
    {"AcquireSuite", 3, k8, PF_Err_BAD_CALLBACK_PARAM, {}, "Couldn't load suite."},
    {"PF_GetPixelFormat", 1, k8, PF_Err_BAD_CALLBACK_PARAM},
    {"host_new_handle", 2, k8, PF_Err_INTERNAL_STRUCT_DAMAGED, {}, "Memory Error!"},
    {"host_new_handle", 3, k16, PF_Err_INTERNAL_STRUCT_DAMAGED, {}, "Memory Error!"},
    {"host_new_handle", 4, kF, PF_Err_INTERNAL_STRUCT_DAMAGED, {}, "Memory Error!"},
    {"checkout_param", 9, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"abort", 1, k8, PF_Interrupt_CANCEL},
    {"AcquireSuite", 4, k8, kThrown},
    {"new_world", 1, k8, PF_Err_OUT_OF_MEMORY},
    {"new_world", 1, k16, PF_Err_OUT_OF_MEMORY},
    {"PF_NewWorld", 1, kF, PF_Err_OUT_OF_MEMORY},
    {"AcquireSuite", 5, k8, kThrown},
    {"AcquireSuite", 5, k16, kThrown},
    {"AcquireSuite", 5, kF, kThrown},
    {"area_sample", 1, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"area_sample", 60, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"area_sample16", 20, k16, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"area_sample_float", 20, kF, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"progress", 1, k8, PF_Interrupt_CANCEL},
    {"progress", 3, kF, PF_Interrupt_CANCEL},
    // A floor or ceiling that is no number (the host's way of failing them) fails the frame.
    {"floor", 1, k8, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"ceil", 1, k16, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"floor", 1, kF, PF_Err_INTERNAL_STRUCT_DAMAGED},
    {"fill", 1, k16, PF_Err_NONE},
    // Refused releases: the code where the plug-in sees one, and the thing the host kept.
    {"dispose_world", 1, k8, PF_Err_BAD_CALLBACK_PARAM, {"world: 1"}},
    {"dispose_world", 1, kF, PF_Err_BAD_CALLBACK_PARAM, {"world: 1"}},
    {"host_dispose_handle", 1, k8, PF_Err_NONE, {"handle: 1"}},
    {"checkin_param", 9, k8, PF_Err_NONE, {"parameter checkout param 3: 1"}},
    {"ReleaseSuite", 1, k8, PF_Err_NONE, {"suite PF Handle Suite v2: 1"}},
};

class ResourceBalanceTest : public RenderTest {};

// A host of its own for each case, so what one case's refused release leaves does not meet the next.
struct FreshHost {
  explicit FreshHost(const host::Module& module) : effect(module, session) {
    EXPECT_EQ(effect.params_setup().err, PF_Err_NONE);
    effect.params().set_value(kParamTime, 2.5);
    effect.params().set_value(kParamMissingTile, 50);
  }
  host::Session session;
  host::Effect effect;
};

TEST_P(ResourceBalanceTest, EachFailingOperationEndsTheFrameCleanly) {
  const host::WorldBuffer input8 = MakeLayer<PF_Pixel>(40, 30, PatternColor);
  const host::WorldBuffer gap8 = MakeLayer<PF_Pixel>(16, 16, PatternColor);
  for (const FaultCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.op << " #" << c.nth << ", depth " << static_cast<int>(c.depth));
    FreshHost fresh(module_);
    fresh.session.faults().fail(c.op, c.nth);
    host::FrameRequest request;
    request.depth = c.depth;
    request.input = &input8;
    request.layers[kParamMissingTileLayer] = &gap8;
    const host::FrameResult result = host::RenderFrame(fresh.effect, request);

    const PF_Err expected = c.expected == kThrown ? missing_suite_result() : c.expected;
    EXPECT_EQ(result.err(), expected);
    EXPECT_GE(fresh.session.faults().calls(c.op), c.nth) << "the operation was not reached";
    const host::CommandResult& last = result.render ? *result.render : result.pre_render;
    EXPECT_EQ(last.return_msg(), c.message);
    std::vector<std::string> left = c.left_held;
    // The 32-bit variant asks for the handle suite in version 1.
    if (is_32bit() && !left.empty() && left[0] == "suite PF Handle Suite v2: 1") {
      left[0] = "suite PF Handle Suite v1: 1";
    }
    EXPECT_THAT(fresh.session.ledger().held(), ElementsAreArray(left));
    EXPECT_THAT(fresh.session.ledger().misuse(), IsEmpty());
  }
}

TEST_P(ResourceBalanceTest, SuitesMissingMidRenderStillFreeEverything) {
  const host::WorldBuffer input = MakeLayer<PF_PixelFloat>(40, 30, PatternColor);
  const host::WorldBuffer gap = MakeLayer<PF_PixelFloat>(16, 16, PatternColor);
  const std::pair<const char*, int32_t> suites[] = {{kPFSamplingFloatSuite, 1}, {kPFWorldSuite, 1}};
  for (const auto& [name, version] : suites) {
    SCOPED_TRACE(name);
    session_.suites().remove(name, version);
    host::FrameRequest request;
    request.depth = host::PixelDepth::kFloat;
    request.input = &input;
    request.layers[kParamMissingTileLayer] = &gap;
    log().clear();
    const host::FrameResult result = Render(request);  // checks that nothing is held
    EXPECT_EQ(result.err(), missing_suite_result());
    EXPECT_EQ(log().count("checkin_param"), 9u);  // eight in pre-render, the gap layer in render
    EXPECT_EQ(log().count("host_dispose_handle"), 3u);
  }
}

ZELKRA_FOR_BOTH_VARIANTS(ResourceBalanceTest);

}  // namespace
