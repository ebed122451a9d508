// Whole frames through the host, in every depth, against an independent model of the frame.
//
// The frame is the worked example of the puzzle: a 100 x 60 layer, Row 2, Column 2 (cells of
// 50 x 30), Missing Tile 100 % (tile 3 is taken out), Seed 0, Return off, Time 3.25. Worked out by
// hand from the walk's rules, the generator's draws give four moves that leave the current order
// 2, 0, 1, 3 and the previous order 2, 0, 3, 1, a quarter of the way into the last move. So:
//   - cell 0 (0, 0) shows tile 2, the layer's pixels from (0, 30);
//   - cell 1 (50, 0) shows tile 0, the layer's pixels from (0, 0);
//   - tile 1 (the layer's pixels from (50, 0)) slides from cell 3 toward cell 2: it stands at
//     x = 50 - trunc(50 x 0.25) = 38, y = 30, 50 x 30 pixels;
//   - the gap image travels from cell 2 toward cell 3: x = 0 + trunc(50 x 0.25) = 12, y = 30;
//   - in rows 30 to 59 the columns not covered by either stay transparent black;
//   - where both cover (columns 38 to 61) the gap image shows "In front", the tile "Behind".
// The layer and the gap layer are opaque, so each pixel is one source pixel unchanged: the model
// needs no compositing arithmetic. The gap layer is uniform, 100 x 60, and the 50 x 30 gap image
// samples it with boxes that lie wholly inside it (scale 1.96, centred), so by the area-sampling
// rule every gap-image pixel is the gap layer's colour.
#include "render_fixture.h"

namespace {

constexpr A_long kWidth = 100;
constexpr A_long kHeight = 60;
constexpr PF_Pixel kGapColor = {255, 200, 100, 50};
constexpr PF_Pixel kClear = {0, 0, 0, 0};

// The expected 8-bit colour of output pixel (x, y), from the placement above.
PF_Pixel ExpectedColor(A_long x, A_long y, bool gap_in_front) {
  if (y < 30) return x < 50 ? PatternColor(x, y + 30) : PatternColor(x - 50, y);
  const bool in_tile = x >= 38 && x < 88;
  const bool in_gap = x >= 12 && x < 62;
  const PF_Pixel tile = PatternColor(50 + (x - 38), y - 30);
  if (in_tile && in_gap) return gap_in_front ? kGapColor : tile;
  if (in_tile) return tile;
  if (in_gap) return kGapColor;
  return kClear;
}

class FrameTest : public RenderTest {
 protected:
  void SetWorkedExample() {
    Set(kParamRow, 2);
    Set(kParamColumn, 2);
    Set(kParamMissingTile, 100);
    Set(kParamSeed, 0);
    Set(kParamReturn, 0);
    Set(kParamTime, 3.25);
  }

  template <typename Pixel>
  void RenderAndCompare(int32_t position) {
    SetWorkedExample();
    Set(kParamPosition, position);
    const host::WorldBuffer input = MakeLayer<Pixel>(kWidth, kHeight, PatternColor, /*row_padding=*/3);
    const host::WorldBuffer gap_layer =
        MakeLayer<Pixel>(kWidth, kHeight, [](A_long, A_long) { return kGapColor; });
    host::FrameRequest request;
    request.depth = kDepthOf<Pixel>;
    request.input = &input;
    request.layers[kParamMissingTileLayer] = &gap_layer;
    request.output_row_padding = 5;
    request.output_fill = {1, 2, 3, 4};  // the render must clear what it does not draw

    const host::FrameResult result = Render(request);
    ASSERT_EQ(result.err(), PF_Err_NONE);
    long wrong = 0;
    for (A_long y = 0; y < kHeight; ++y) {
      for (A_long x = 0; x < kWidth; ++x) {
        const Pixel expected = InDepth<Pixel>(ExpectedColor(x, y, position == kPositionInFront));
        if (!SamePixel(result.output.At<Pixel>(x, y), expected) && ++wrong <= 5) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") differs";
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    // Progress for the two copied cells and the sliding tile, never for the gap.
    EXPECT_EQ(result.progress, (std::vector<std::pair<A_long, A_long>>{{0, 4}, {1, 4}, {2, 4}}));
    EXPECT_EQ(result.abort_calls, 1);
  }
};

TEST_P(FrameTest, EightBitFrameMatchesTheModel) {
  RenderAndCompare<PF_Pixel>(kPositionInFront);
  RenderAndCompare<PF_Pixel>(kPositionBehind);
}

TEST_P(FrameTest, SixteenBitFrameMatchesTheModel) {
  RenderAndCompare<PF_Pixel16>(kPositionInFront);
  RenderAndCompare<PF_Pixel16>(kPositionBehind);
}

TEST_P(FrameTest, FloatFrameMatchesTheModel) {
  RenderAndCompare<PF_PixelFloat>(kPositionInFront);
  RenderAndCompare<PF_PixelFloat>(kPositionBehind);
}

TEST_P(FrameTest, LayersOfAnotherDepthAreDeliveredInTheFrameDepth) {
  SetWorkedExample();
  const host::WorldBuffer input8 = MakeLayer<PF_Pixel>(kWidth, kHeight, PatternColor);
  const host::WorldBuffer gap8 =
      MakeLayer<PF_Pixel>(kWidth, kHeight, [](A_long, A_long) { return kGapColor; });
  const host::WorldBuffer input16 = MakeLayer<PF_Pixel16>(kWidth, kHeight, PatternColor);
  const host::WorldBuffer gap16 =
      MakeLayer<PF_Pixel16>(kWidth, kHeight, [](A_long, A_long) { return kGapColor; });
  host::FrameRequest request;
  request.depth = host::PixelDepth::k16Bit;
  request.input = &input16;
  request.layers[kParamMissingTileLayer] = &gap16;
  const host::FrameResult native = Render(request);
  request.input = &input8;
  request.layers[kParamMissingTileLayer] = &gap8;
  const host::FrameResult converted = Render(request);
  ASSERT_EQ(converted.err(), PF_Err_NONE);
  EXPECT_EQ(converted.output.depth(), host::PixelDepth::k16Bit);
  // 8-bit v becomes round(v x 32768 / 255), not v x 128: compare one pixel of the tile and the gap.
  EXPECT_EQ(converted.output.At<PF_Pixel16>(0, 0).red, host::ToPixel16(PatternColor(0, 30)).red);
  EXPECT_EQ(converted.output.At<PF_Pixel16>(20, 40).red, host::ToPixel16(kGapColor).red);
  EXPECT_EQ(native.output.At<PF_Pixel16>(20, 40).red, 200 * 128);
}

TEST_P(FrameTest, TheRenderWritesBackTheClampedGrid) {
  Set(kParamRow, 20);
  Set(kParamColumn, 3);
  const host::WorldBuffer input = MakeLayer<PF_Pixel>(10, 12, PatternColor);
  host::FrameRequest request;
  request.input = &input;
  const host::FrameResult result = Render(request);
  ASSERT_EQ(result.err(), PF_Err_NONE);
  EXPECT_EQ(SettingsOf(result.settings_after_pre_render).rows, 20);
  EXPECT_EQ(SettingsOf(result.settings_after_render).rows, 12);
  EXPECT_EQ(SettingsOf(result.settings_after_render).columns, 3);
}

// Ended before the gap image: by a cancel, or by a floor or ceiling of Time that is no number (the
// host's way of failing them; a walk made of it would be a wrong picture reported as success). The
// frame stays cleared; a cancel at the first progress report still completes the frame.
TEST_P(FrameTest, FailuresBeforeTheGapImageLeaveTheClearedFrameACancelDuringProgressCompletesIt) {
  SetWorkedExample();
  const host::WorldBuffer input = MakeLayer<PF_Pixel>(kWidth, kHeight, PatternColor);
  const host::WorldBuffer gap_layer =
      MakeLayer<PF_Pixel>(kWidth, kHeight, [](A_long, A_long) { return kGapColor; });
  host::FrameRequest request;
  request.input = &input;
  request.layers[kParamMissingTileLayer] = &gap_layer;
  request.output_fill = {1, 2, 3, 4};
  const host::FrameResult complete = Render(request);

  struct EarlyEnd {
    const char* fault;  // an operation whose first call fails, or null for a cancel at abort
    PF_Err expected;
  };
  for (const EarlyEnd& end :
       {EarlyEnd{nullptr, PF_Interrupt_CANCEL}, EarlyEnd{"floor", PF_Err_INTERNAL_STRUCT_DAMAGED},
        EarlyEnd{"ceil", PF_Err_INTERNAL_STRUCT_DAMAGED}}) {
    SCOPED_TRACE(end.fault != nullptr ? end.fault : "abort");
    faults().clear();
    if (end.fault != nullptr) faults().fail(end.fault, 1);
    request.cancel_from_abort_call = end.fault == nullptr ? 1 : 0;
    log().clear();
    const host::FrameResult ended = Render(request);
    EXPECT_EQ(ended.err(), end.expected);
    EXPECT_EQ(log().count("new_world"), 0u);
    EXPECT_TRUE(ended.progress.empty());
    for (A_long y = 0; y < kHeight; ++y) {
      for (const PF_Pixel& p : ended.output.Row<PF_Pixel>(y)) EXPECT_TRUE(SamePixel(p, kClear));
    }
  }

  // Cancelled at the first progress report: every position is still drawn, the cancel returned.
  faults().clear();
  request.cancel_from_abort_call = 0;
  request.cancel_from_progress_call = 1;
  const host::FrameResult late = Render(request);
  EXPECT_EQ(late.err(), PF_Interrupt_CANCEL);
  EXPECT_EQ(late.progress.size(), 1u);
  EXPECT_TRUE(SameOutput(late.output, complete.output));
}

TEST_P(FrameTest, AnEarlierFramesWorldRendersTheSameFrameAsANewOne) {
  // How fxhost renders long shots: each frame renders into the world of a frame before it, calls
  // neither logged nor counted, progress counted but not kept.
  SetWorkedExample();
  const host::WorldBuffer input = MakeLayer<PF_Pixel16>(kWidth, kHeight, PatternColor);
  const host::WorldBuffer gap_layer =
      MakeLayer<PF_Pixel16>(kWidth, kHeight, [](A_long, A_long) { return kGapColor; });
  host::FrameRequest request;
  request.depth = host::PixelDepth::k16Bit;
  request.input = &input;
  request.layers[kParamMissingTileLayer] = &gap_layer;
  request.output_row_padding = 2;
  const host::FrameResult fresh = Render(request);
  ASSERT_EQ(fresh.err(), PF_Err_NONE);

  host::WorldBuffer used(kWidth, kHeight, host::PixelDepth::k16Bit, 2);
  for (A_long y = 0; y < kHeight; ++y) {
    for (PF_Pixel16& p : used.PaddedRow<PF_Pixel16>(y)) p = {1, 2, 3, 4};  // padding too
  }
  host::WorldBuffer other_size(kWidth, kHeight + 1, host::PixelDepth::k16Bit, 2);
  log().clear();
  log().set_recording(false);
  faults().set_counting(false);
  request.record_progress = false;
  request.cancel_from_progress_call = 3;
  for (host::WorldBuffer* recycled : {&other_size, &used}) {
    request.recycled_output = recycled;
    host::FrameResult again = Render(request);
    EXPECT_EQ(again.err(), PF_Interrupt_CANCEL);  // the third progress call, still counted
    EXPECT_TRUE(again.progress.empty());
    EXPECT_TRUE(SameOutput(again.output, fresh.output));
    for (A_long y = 0; y < kHeight; ++y) {
      const auto row = again.output.PaddedRow<PF_Pixel16>(y);
      EXPECT_TRUE(SamePixel(row[kWidth], PF_Pixel16{}) && SamePixel(row[kWidth + 1], PF_Pixel16{}));
    }
  }
  EXPECT_EQ(other_size.height(), kHeight + 1);  // not the output's size: left as it was
  EXPECT_EQ(used.height(), 0);                  // taken
  EXPECT_THAT(log().calls(), testing::IsEmpty());
}

ZELKRA_FOR_BOTH_VARIANTS(FrameTest);

}  // namespace
