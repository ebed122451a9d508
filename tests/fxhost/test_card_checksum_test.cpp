// The built-in test card and the frame checksum: both are golden results, so both are pinned here.
#include <gtest/gtest.h>

#include <cstring>

#include "fxhost/files/test_card.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {
namespace {

TEST(FrameChecksum, IsTheStandardCrc32OverAlphaRedGreenBlue) {
  const char* check = "123456789";
  EXPECT_EQ(Crc32(std::as_bytes(std::span(check, std::strlen(check)))), 0xCBF43926u);

  Image8 one(1, 1);
  one.pixels[0] = {1, 2, 3, 4};  // r, g, b, a
  const std::byte argb[] = {std::byte{4}, std::byte{1}, std::byte{2}, std::byte{3}};
  EXPECT_EQ(FrameCrc(one), Crc32(argb));

  Image16 deep(1, 1);
  deep.pixels[0] = {0x0102, 0, 0, 0x8000};
  const std::byte little_endian[] = {std::byte{0x00}, std::byte{0x80}, std::byte{0x02}, std::byte{0x01},
                                     std::byte{0},    std::byte{0},    std::byte{0},    std::byte{0}};
  EXPECT_EQ(FrameCrc(deep), Crc32(little_endian));

  // Every channel counts, and so does the depth.
  Image8 swapped = one;
  std::swap(swapped.pixels[0].r, swapped.pixels[0].a);
  EXPECT_NE(FrameCrc(one), FrameCrc(swapped));
}

TEST(TestCard, SamePictureEveryRunInEveryDepth) {
  // Golden lines: a change here changes every golden result made from the test card.
  struct Case {
    Depth depth;
    const char* line;
  };
  const std::vector<Case> cases = {
      {Depth::k8, "7, 8, 160x90, 0x9491ea17"},
      {Depth::k16, "7, 16, 160x90, 0x12b1796d"},
      {Depth::k32, "7, 32, 160x90, 0x85634387"},
  };
  for (const Case& c : cases) {
    const Image card = MakeTestCard({160, 90}, c.depth);
    EXPECT_EQ(DepthOf(card), c.depth);
    EXPECT_EQ(card, MakeTestCard({160, 90}, c.depth));
    EXPECT_EQ(FrameChecksumLine(7, card), c.line);
  }
}

TEST(TestCard, TilesAreNumberedColouredAndSoftEdged) {
  const Image8 card = std::get<Image8>(MakeTestCard({400, 300}, Depth::k8));
  EXPECT_LT(card.at(0, 0).a, 10);  // the soft edge
  EXPECT_LT(card.at(399, 150).a, 10);
  EXPECT_EQ(card.at(200, 150).a, 255);
  // Each tile has its own colour; its middle carries the white number.
  const Rgba8 tile1 = card.at(20, 20);
  const Rgba8 tile2 = card.at(120, 20);
  EXPECT_NE(tile1, tile2);
  EXPECT_EQ(card.at(50, 50), (Rgba8{255, 255, 255, 255}));  // the "1" of tile 1 runs through its middle
  // Odd sizes down to one pixel work.
  for (ImageSize size : {ImageSize{1, 1}, ImageSize{3, 2}, ImageSize{7, 1000}}) {
    EXPECT_EQ(WidthOf(MakeTestCard(size, Depth::k16)), size.width);
  }
}

}  // namespace
}  // namespace fxhost
