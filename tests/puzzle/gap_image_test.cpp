// The plan of the gap image: scales, radii, centres and each pixel's sample position.
#include "render/pixels/gap_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/pixels/gap_image_plan.h"

namespace {

TEST(GapImagePlan, FullHdLayerIntoOneHundredBySixtyTile) {
  const GapImagePlan kept = PlanGapImage(1920, 1080, 100, 60, 0);
  EXPECT_DOUBLE_EQ(kept.scale_x, 19.008);
  EXPECT_DOUBLE_EQ(kept.scale_y, 19.008);  // the larger scale on both axes: the whole layer fits
  EXPECT_EQ(kept.x_radius, 622854);        // 9.504 in 16.16
  EXPECT_EQ(kept.y_radius, 622854);
  const FixedPoint corner = GapSamplePosition(kept, 0, 0);
  EXPECT_EQ(corner.x, 629146);    // 960 - 19.008 x 50 = 9.6
  EXPECT_EQ(corner.y, -1981809);  // 540 - 19.008 x 30 = -30.24, above the layer, rounded away from zero
  const FixedPoint centre = GapSamplePosition(kept, 50, 30);
  EXPECT_EQ(centre.x, 960 * 65536);
  EXPECT_EQ(centre.y, 540 * 65536);

  const GapImagePlan stretched = PlanGapImage(1920, 1080, 100, 60, 1);
  EXPECT_DOUBLE_EQ(stretched.scale_x, 19.008);
  EXPECT_DOUBLE_EQ(stretched.scale_y, 17.7);
  EXPECT_EQ(stretched.x_radius, 622854);
  EXPECT_EQ(stretched.y_radius, 579994);  // 8.85 x 65536 = 579993.6
}

TEST(GapImagePlan, KeptProportionsTakeTheLargerScale) {
  // A tall layer: the vertical scale is the larger one.
  const GapImagePlan plan = PlanGapImage(100, 400, 10, 10, 0);
  EXPECT_DOUBLE_EQ(plan.scale_x, 36.0);  // 400 x 9 / 100
  EXPECT_DOUBLE_EQ(plan.scale_y, 36.0);
}

TEST(GapImagePlan, OnePixelWideTileSamplesTheLayerCentreColumn) {
  const GapImagePlan plan = PlanGapImage(31, 20, 1, 8, 1);
  EXPECT_EQ(plan.scale_x, 0.0);
  EXPECT_EQ(plan.x_radius, 0);  // 0.5 truncated
  for (int32_t y = 0; y < 8; ++y) EXPECT_EQ(GapSamplePosition(plan, 0, y).x, 15 * 65536 + 32768);  // 15.5
}

TEST(GapImagePlan, EmptyTileGivesZeroScaleRatherThanDividingByZero) {
  const GapImagePlan plan = PlanGapImage(640, 480, 0, 0, 0);
  EXPECT_EQ(plan.scale_x, 0.0);
  EXPECT_EQ(plan.scale_y, 0.0);
}

TEST(FixedFromDouble, RoundsHalfAwayFromZeroAndHoldsTheRange) {
  EXPECT_EQ(FixedFromDouble(0.5 / 65536), 1);
  EXPECT_EQ(FixedFromDouble(-0.5 / 65536), -1);
  EXPECT_EQ(FixedFromDouble(0.49 / 65536), 0);
  EXPECT_EQ(FixedFromDouble(-1.0), -65536);
  EXPECT_EQ(FixedFromDouble(40000.0), INT32_MAX);  // beyond 16.16
  EXPECT_EQ(FixedFromDouble(-40000.0), INT32_MIN);
}

TEST(WorldView, StrideInPixelsOfTheDepth) {
  PF_PixelFloat pixels[2 * 5] = {};
  PF_EffectWorld world{};
  world.data = reinterpret_cast<PF_Pixel*>(pixels);
  world.width = 3;
  world.height = 2;
  world.rowbytes = 5 * 16 + 4;  // padded, not a whole pixel: truncated
  const PixelView<const PF_PixelFloat> view = WorldView<const PF_PixelFloat>(world);
  EXPECT_EQ(view.data, pixels);
  EXPECT_EQ(view.width, 3);
  EXPECT_EQ(view.height, 2);
  EXPECT_EQ(view.stride, 5);
  EXPECT_EQ(view.Row(1), pixels + 5);
}

TEST(SampleGapImage, SamplesEveryPixelRowByRowAndStopsAtTheFirstError) {
  const GapImagePlan plan = PlanGapImage(40, 30, 4, 3, 1);
  std::vector<PF_Pixel> store(3 * 6, PF_Pixel{9, 9, 9, 9});  // row stride 6 > width 4
  const PixelView<PF_Pixel> image{store.data(), 4, 3, 6};

  std::vector<FixedPoint> asked;
  const PF_Err ok = SampleGapImage(plan, image, [&](int32_t x, int32_t y, PF_Pixel* out) -> PF_Err {
    asked.push_back(FixedPoint{x, y});
    *out = PF_Pixel{255, static_cast<A_u_char>(asked.size()), 0, 0};
    return 0;
  });
  EXPECT_EQ(ok, 0);
  ASSERT_EQ(asked.size(), 12u);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 6; ++x) {
      const PF_Pixel& p = store[y * 6 + x];
      if (x < 4) {
        const FixedPoint expected = GapSamplePosition(plan, x, y);
        EXPECT_EQ(asked[y * 4 + x].x, expected.x);
        EXPECT_EQ(asked[y * 4 + x].y, expected.y);
        EXPECT_EQ(p.red, y * 4 + x + 1);
      } else {
        EXPECT_EQ(p.red, 9) << "row padding written at " << x << ", " << y;
      }
    }
  }

  int calls = 0;
  const PF_Err failed = SampleGapImage(
      plan, image, [&](int32_t, int32_t, PF_Pixel*) -> PF_Err { return ++calls == 5 ? 4 : 0; });
  EXPECT_EQ(failed, 4);
  EXPECT_EQ(calls, 5);
}

}  // namespace
