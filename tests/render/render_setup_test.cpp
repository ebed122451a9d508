// The render's set-up: refused worlds leave the output untouched; the output is cleared; layers
// of no size and grids of one tile.
#include "host/world_suites.h"
#include "render_fixture.h"

using testing::Each;
using testing::IsEmpty;

namespace {

constexpr PF_Pixel kMarker = {9, 8, 7, 6};

// A world suite version 2 whose PF_GetPixelFormat answers a chosen format for any world, so a
// test can hand the render worlds the host itself would not vouch for.
PF_PixelFormat g_answered_format = PF_PixelFormat_ARGB32;
PF_Err AnswerFormat(const PF_EffectWorld*, PF_PixelFormat* format) {
  *format = g_answered_format;
  return PF_Err_NONE;
}
const PF_WorldSuite2 kAnsweringWorldSuite2 = {host::kWorldSuite2.PF_NewWorld,
                                              host::kWorldSuite2.PF_DisposeWorld, AnswerFormat};

class RenderSetupTest : public RenderTest {
 protected:
  RenderSetupTest() : input_(MakeLayer<PF_Pixel>(12, 8, PatternColor)) {
    request_.input = &input_;
    request_.output_fill = kMarker;
  }

 public:
  void AnswerPixelFormat(PF_PixelFormat format) {
    g_answered_format = format;
    session_.suites().add(kPFWorldSuite, kPFWorldSuiteVersion2, &kAnsweringWorldSuite2);
  }

 protected:
  // Every pixel of the output, padding aside, still holds the marker.
  static bool Untouched(const host::WorldBuffer& output) {
    for (A_long y = 0; y < output.height(); ++y) {
      for (const PF_Pixel& p : output.Row<PF_Pixel>(y)) {
        if (!SamePixel(p, kMarker)) return false;
      }
    }
    return true;
  }

  host::WorldBuffer input_;
  host::FrameRequest request_;
};

struct RefusalCase {
  const char* name;
  PF_Err expected;
  std::function<void(RenderSetupTest&, host::FrameRequest&)> arrange;
};

TEST_P(RenderSetupTest, RefusedWorldsLeaveTheOutputUntouched) {
  const RefusalCase cases[] = {
      {"unknown pixel format", PF_Err_BAD_CALLBACK_PARAM,
       [](RenderSetupTest& t, host::FrameRequest&) { t.AnswerPixelFormat(PF_FOURCC('a', 'b', 'c', 'd')); }},
      {"input the host does not know", PF_Err_BAD_CALLBACK_PARAM,
       [](RenderSetupTest&, host::FrameRequest& r) {
         r.edit_input_record = [](PF_EffectWorld& w) { w.platform_ref = nullptr; };
       }},
      {"output row shorter than the input", 255,
       [](RenderSetupTest&, host::FrameRequest& r) { r.output_width = 11; }},
      {"output row of the input's width only with padding", 255,
       [](RenderSetupTest&, host::FrameRequest& r) {
         r.output_width = 10;
         r.output_row_padding = 1;
       }},
      {"input row shorter than its width", 255,
       [](RenderSetupTest& t, host::FrameRequest& r) {
         t.AnswerPixelFormat(PF_PixelFormat_ARGB32);
         r.edit_input_record = [](PF_EffectWorld& w) { w.rowbytes = 11 * 4; };
       }},
      {"heights differ", 255, [](RenderSetupTest&, host::FrameRequest& r) { r.output_height = 7; }},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    host::FrameRequest request = request_;
    c.arrange(*this, request);
    const host::FrameResult result = Render(request);
    ASSERT_TRUE(result.render.has_value());
    EXPECT_EQ(result.render->err, c.expected);
    EXPECT_TRUE(Untouched(result.output));
    EXPECT_EQ(log().count("fill"), 0u);
    session_.suites().add(kPFWorldSuite, kPFWorldSuiteVersion2, &host::kWorldSuite2);
  }
}

TEST_P(RenderSetupTest, AWiderOutputKeepsItsExtraColumnsTransparent) {
  const host::FrameResult same_width = Render(request_);
  request_.output_width = 15;
  request_.output_row_padding = 2;
  const host::FrameResult wider = Render(request_);
  ASSERT_EQ(wider.err(), PF_Err_NONE);
  for (A_long y = 0; y < 8; ++y) {
    for (A_long x = 0; x < 15; ++x) {
      const PF_Pixel p = wider.output.At<PF_Pixel>(x, y);
      if (x < 12) {
        EXPECT_TRUE(SamePixel(p, same_width.output.At<PF_Pixel>(x, y))) << x << ", " << y;
      } else {
        EXPECT_TRUE(SamePixel(p, PF_Pixel{0, 0, 0, 0})) << x << ", " << y;
      }
    }
  }
}

TEST_P(RenderSetupTest, AFailingFillStillGivesACleanFrame) {
  const host::FrameResult expected = Render(request_);
  faults().fail("fill", 1);
  const host::FrameResult result = Render(request_);
  EXPECT_EQ(result.err(), PF_Err_NONE);
  EXPECT_TRUE(SameOutput(result.output, expected.output));
}

TEST_P(RenderSetupTest, ALayerOfNoSizeGivesAClearedOutputAndNoError) {
  host::WorldBuffer gap_layer = MakeLayer<PF_Pixel>(4, 4, PatternColor);
  for (const auto& [width, height] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    host::WorldBuffer empty(width, height, host::PixelDepth::k8Bit);
    host::FrameRequest request = request_;
    request.input = &empty;
    request.output_width = width + 3;  // wider, so there are pixels to clear when the height is not 0
    request.layers[kParamMissingTileLayer] = &gap_layer;
    log().clear();
    const host::FrameResult result = Render(request);
    EXPECT_EQ(result.err(), PF_Err_NONE);
    for (A_long y = 0; y < result.output.height(); ++y) {
      EXPECT_THAT(result.output.Row<PF_Pixel>(y), Each(testing::Truly([](const PF_Pixel& p) {
                    return SamePixel(p, PF_Pixel{0, 0, 0, 0});
                  })));
    }
    EXPECT_EQ(log().count("host_new_handle"), 1u);  // the settings record only
    EXPECT_EQ(log().count("new_world"), 0u);
    EXPECT_EQ(
        SettingsOf(result.settings_after_render).rows * SettingsOf(result.settings_after_render).columns, 0);
  }
}

TEST_P(RenderSetupTest, AOnePixelLayerIsOneTileShownAsItIs) {
  host::WorldBuffer pixel = MakeLayer<PF_Pixel>(1, 1, [](A_long, A_long) { return PF_Pixel{255, 1, 2, 3}; });
  host::WorldBuffer gap_layer = MakeLayer<PF_Pixel>(4, 4, PatternColor);
  request_.input = &pixel;
  request_.layers[kParamMissingTileLayer] = &gap_layer;
  Set(kParamTime, 5.5);
  const host::FrameResult result = Render(request_);
  ASSERT_EQ(result.err(), PF_Err_NONE);
  EXPECT_TRUE(SamePixel(result.output.At<PF_Pixel>(0, 0), PF_Pixel{255, 1, 2, 3}));
  const PuzzleInfo info = SettingsOf(result.settings_after_render);
  EXPECT_EQ(info.rows, 1);
  EXPECT_EQ(info.columns, 1);
  EXPECT_EQ(log().count("new_world"), 1u);  // the gap image was made, not drawn, and freed
  EXPECT_EQ(log().count("dispose_world"), 1u);
}

ZELKRA_FOR_BOTH_VARIANTS(RenderSetupTest);

}  // namespace
