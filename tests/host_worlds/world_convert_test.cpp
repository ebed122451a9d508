// Converting a world's pixels to another depth: exact 8-bit to 16-bit, rounding to nearest into the
// integer depths, and out-of-range or NaN float channels held to the channel's range.
#include "host/world_convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace host {
namespace {

TEST(WorldConvert, ChannelsScaleRoundAndStayInRange) {
  WorldBuffer floats(4, 1, PixelDepth::kFloat);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  floats.At<PF_PixelFloat>(0, 0) = {1.0f, 0.5f, 0.0f, 1.0f / 255.0f};
  floats.At<PF_PixelFloat>(1, 0) = {nan, -0.25f, 3.0f, nan};
  floats.At<PF_PixelFloat>(2, 0) = {0.6f / 255.0f, 0.4f / 255.0f, 254.6f / 255.0f, 1.0f};
  floats.At<PF_PixelFloat>(3, 0) = {std::numeric_limits<float>::infinity(),
                                    -std::numeric_limits<float>::infinity(), 0.25f, 0.75f};

  const WorldBuffer eight = ConvertWorld(floats, PixelDepth::k8Bit);
  const auto p8 = [&](int x) {
    const PF_Pixel p = eight.At<PF_Pixel>(x, 0);
    return std::vector<int>{p.alpha, p.red, p.green, p.blue};
  };
  EXPECT_EQ(p8(0), (std::vector<int>{255, 128, 0, 1}));
  EXPECT_EQ(p8(1), (std::vector<int>{0, 0, 255, 0}));
  EXPECT_EQ(p8(2), (std::vector<int>{1, 0, 255, 255}));
  EXPECT_EQ(p8(3), (std::vector<int>{255, 0, 64, 191}));

  const WorldBuffer sixteen = ConvertWorld(floats, PixelDepth::k16Bit);
  const PF_Pixel16 q = sixteen.At<PF_Pixel16>(1, 0);
  EXPECT_EQ((std::vector<int>{q.alpha, q.red, q.green, q.blue}), (std::vector<int>{0, 0, 32768, 0}));
}

TEST(WorldConvert, EightBitToSixteenIsExactAndBack) {
  WorldBuffer eight(256, 1, PixelDepth::k8Bit);
  for (int v = 0; v < 256; ++v) eight.At<PF_Pixel>(v, 0) = {A_u_char(v), A_u_char(v), A_u_char(255 - v), 0};
  const WorldBuffer sixteen = ConvertWorld(eight, PixelDepth::k16Bit);
  const WorldBuffer back = ConvertWorld(sixteen, PixelDepth::k8Bit);
  for (int v = 0; v < 256; ++v) {
    EXPECT_EQ(sixteen.At<PF_Pixel16>(v, 0).alpha, (v * 32768 + 127) / 255) << v;
    EXPECT_EQ(back.At<PF_Pixel>(v, 0).red, v);
    EXPECT_EQ(back.At<PF_Pixel>(v, 0).green, 255 - v);
  }
}

}  // namespace
}  // namespace host
