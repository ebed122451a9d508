// Pre-render: the frame settings record, the input request, the result rectangles, and failures.
#include <cmath>

#include "render_fixture.h"

using testing::IsEmpty;

namespace {

class PreRenderTest : public RenderTest {
 protected:
  PreRenderTest() : input_(MakeLayer<PF_Pixel>(8, 6, PatternColor)) { request_.input = &input_; }

  // Pre-render alone: the host discards the frame (and its settings) without rendering it.
  host::FrameResult PreRender() {
    host::FrameRequest request = request_;
    request.render = false;
    return Render(request);
  }

  host::WorldBuffer input_;
  host::FrameRequest request_;
};

struct TimeCase {
  double time;
  double seed;
  double expected_time;
  int32_t expected_seed;
};

TEST_P(PreRenderTest, NegativeTimeRendersAsPositiveTimeWithTheSeedNegated) {
  const TimeCase cases[] = {
      {2.75, 7, 2.75, 7}, {-2.75, 7, 2.75, -7}, {0.0, 5, 0.0, 5}, {-0.0, 5, -0.0, 5}, {-1.0, 0, 1.0, 0},
  };
  for (const TimeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "Time " << c.time << ", Seed " << c.seed);
    Set(kParamTime, c.time);
    Set(kParamSeed, c.seed);
    const host::FrameResult result = PreRender();
    ASSERT_EQ(result.err(), PF_Err_NONE);
    const PuzzleInfo info = SettingsOf(result.settings_after_pre_render);
    EXPECT_EQ(info.time, c.expected_time);
    EXPECT_EQ(std::signbit(info.time), std::signbit(c.expected_time));
    EXPECT_EQ(info.seed, c.expected_seed);
  }
}

TEST_P(PreRenderTest, RecordsTheSettingsAsSetWithMissingTileAsAFraction) {
  Set(kParamRow, 50);  // clamping is the render's, not pre-render's
  Set(kParamColumn, 3);
  Set(kParamReturn, 1);
  Set(kParamPosition, kPositionBehind);
  Set(kParamFit, 1);
  const std::pair<double, double> fractions[] = {{100, 1.0}, {0, 0.0}, {25, 0.25}};
  for (const auto& [percent, fraction] : fractions) {
    Set(kParamMissingTile, percent);
    const PuzzleInfo info = SettingsOf(PreRender().settings_after_pre_render);
    EXPECT_EQ(info.missing_tile, fraction) << percent << " %";
    EXPECT_EQ(info.rows, 50);
    EXPECT_EQ(info.columns, 3);
    EXPECT_EQ(info.return_flag, 1);
    EXPECT_EQ(info.position, kPositionBehind);
    EXPECT_EQ(info.fit, 1);
  }
}

TEST_P(PreRenderTest, RequestsTheInputAsTheOutputWasRequestedKeepingRgbOfZeroAlpha) {
  PF_RenderRequest output_request{};
  output_request.rect = {1, 2, 7, 5};
  output_request.field = PF_Field_UPPER;
  output_request.channel_mask = PF_ChannelMask_ALPHA | PF_ChannelMask_RED;
  output_request.preserve_rgb_of_zero_alpha = false;
  request_.output_request = output_request;
  request_.current_time = 45;
  request_.time_step = 3;
  request_.time_scale = 90;

  const host::FrameResult result = PreRender();
  ASSERT_EQ(result.err(), PF_Err_NONE);
  ASSERT_EQ(result.layer_checkouts.size(), 1u);
  const host::LayerCheckoutCall& call = result.layer_checkouts[0];
  EXPECT_EQ(call.index, 0);
  EXPECT_EQ(call.checkout_id, 0);
  EXPECT_EQ(call.what_time, 45);
  EXPECT_EQ(call.time_step, 3);
  EXPECT_EQ(call.time_scale, 90u);
  PF_RenderRequest expected = output_request;
  expected.preserve_rgb_of_zero_alpha = true;
  EXPECT_EQ(std::memcmp(&call.request, &expected, sizeof(expected)), 0);
  // The host clipped the request to the layer and said so; pre-render passed it on.
  EXPECT_EQ(result.pre_render_output.result_rect.left, 1);
  EXPECT_EQ(result.pre_render_output.result_rect.bottom, 5);
  EXPECT_EQ(result.pre_render_output.max_result_rect.right, 8);
  // Every parameter was read at the frame's time.
  for (const std::string& call_text : log().calls_of("checkout_param")) {
    EXPECT_THAT(call_text, testing::HasSubstr(", 45, 3, 90)"));
  }
}

struct UnionCase {
  const char* name;
  PF_LRect output;  // handed over by the host
  PF_LRect input;   // the input's checkout result
  PF_LRect expected;
};

TEST_P(PreRenderTest, ReportsTheUnionOfTheInputResultWithWhatTheHostHandedOver) {
  const UnionCase cases[] = {
      {"empty output takes the input", {0, 0, 0, 0}, {0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
      {"bounding box", {0, 0, 10, 10}, {5, -5, 20, 8}, {0, -5, 20, 10}},
      {"empty input leaves the output", {0, 0, 10, 10}, {5, 5, 5, 9}, {0, 0, 10, 10}},
      {"empty output copies an empty input", {0, 0, 0, 0}, {3, 3, 1, 1}, {3, 3, 1, 1}},
      {"input inside the output", {0, 0, 10, 10}, {2, 2, 4, 4}, {0, 0, 10, 10}},
  };
  for (const UnionCase& c : cases) {
    SCOPED_TRACE(c.name);
    request_.result_rect = c.output;
    request_.max_result_rect = c.output;
    PF_CheckoutResult answer{};
    answer.result_rect = c.input;
    answer.max_result_rect = c.input;
    request_.checkout_answer = answer;
    const host::FrameResult result = PreRender();
    ASSERT_EQ(result.err(), PF_Err_NONE);
    for (const PF_LRect& r :
         {result.pre_render_output.result_rect, result.pre_render_output.max_result_rect}) {
      EXPECT_EQ(r.left, c.expected.left);
      EXPECT_EQ(r.top, c.expected.top);
      EXPECT_EQ(r.right, c.expected.right);
      EXPECT_EQ(r.bottom, c.expected.bottom);
    }
  }
}

TEST_P(PreRenderTest, HandsBackEveryParameterItCheckedOut) {
  ASSERT_EQ(PreRender().err(), PF_Err_NONE);
  EXPECT_EQ(log().count("checkout_param"), 8u);
  EXPECT_EQ(log().count("checkin_param"), 8u);
}

struct FailureCase {
  const char* op;
  long nth;
  PF_Err expected;
  std::size_t checkouts_made;  // parameter checkouts before the failure
};

TEST_P(PreRenderTest, FailuresReturnTheirCodeLeaveTheRectanglesAndHoldNothing) {
  const FailureCase cases[] = {
      {"host_new_handle", 1, PF_Err_OUT_OF_MEMORY, 0},
      {"host_lock_handle", 1, PF_Err_OUT_OF_MEMORY, 0},
      {"checkout_param", 1, PF_Err_INTERNAL_STRUCT_DAMAGED, 0},
      {"checkout_param", 5, PF_Err_INTERNAL_STRUCT_DAMAGED, 4},
      {"checkout_param", 8, PF_Err_INTERNAL_STRUCT_DAMAGED, 7},
      {"checkout_layer", 1, PF_Err_INTERNAL_STRUCT_DAMAGED, 8},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.op << " #" << c.nth);
    faults().clear();
    log().clear();
    faults().fail(c.op, c.nth);
    request_.result_rect = {1, 1, 2, 2};
    request_.max_result_rect = {1, 1, 2, 2};
    const host::FrameResult result = Render(request_);
    EXPECT_EQ(result.err(), c.expected);
    EXPECT_FALSE(result.render.has_value());
    EXPECT_EQ(result.pre_render_output.result_rect.right, 2);
    EXPECT_EQ(result.pre_render_output.max_result_rect.right, 2);
    EXPECT_EQ(log().count("checkin_param"), c.checkouts_made);
    EXPECT_EQ(result.pre_render.return_msg(), "");
  }
}

ZELKRA_FOR_BOTH_VARIANTS(PreRenderTest);

}  // namespace
