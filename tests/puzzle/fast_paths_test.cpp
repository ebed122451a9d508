// The render's fast paths against their plain references (plain_reference.h): the same tile
// grids, the same walks, and frames equal to the last byte, with the same host calls, over many
// puzzles: every depth, both positions, with and without a gap image smaller or larger than the
// cells, cells of unequal size, whole and fractional Times, padded rows, and a progress report
// that fails part-way.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "plain_reference.h"

namespace {

TEST(FastPaths, TileGridsMatchThePlainGrid) {
  const int32_t sizes[][4] = {{97, 61, 3, 4},     {101, 77, 5, 7},      {23, 9, 9, 23}, {50, 6, 6, 7},
                              {1920, 1080, 4, 4}, {1919, 1079, 17, 13}, {7, 5, 5, 7},   {1, 1, 1, 1},
                              {640, 3, 2, 640},   {3, 640, 640, 2}};
  for (const auto& s : sizes) {
    const int32_t count = s[2] * s[3];
    std::vector<TileRect> fast(count), reference(count);
    BuildTileGrid(s[0], s[1], s[2], s[3], fast.data());
    plain::BuildTileGrid(s[0], s[1], s[2], s[3], reference.data());
    EXPECT_EQ(std::memcmp(fast.data(), reference.data(), count * sizeof(TileRect)), 0)
        << s[0] << "x" << s[1] << ", " << s[2] << " x " << s[3];
  }
}

TEST(FastPaths, WalksMatchThePlainWalk) {
  const int32_t grids[][2] = {{2, 2}, {4, 4}, {3, 7}, {1, 5}, {6, 1}, {2, 9}, {13, 11}};
  const int32_t seeds[] = {0, 1, 7, 12, -5, 9999, -2147483647 - 1, 2147483647};
  for (const auto& g : grids) {
    const int32_t count = g[0] * g[1];
    for (const int32_t seed : seeds) {
      for (const int32_t return_flag : {0, 1}) {
        for (const int32_t moves : {0, 1, 2, 5, 100, 4001}) {
          const GapWalkSettings settings{seed, return_flag, g[0], g[1], moves, (seed & 0x7fff) % count};
          std::vector<int32_t> fast_current(count), fast_previous(count), current(count), previous(count);
          for (std::vector<int32_t>* order : {&fast_current, &fast_previous, &current, &previous}) {
            ResetTileOrder(order->data(), count);
          }
          const GapWalkResult fast = WalkGap(settings, fast_current.data(), fast_previous.data());
          const GapWalkResult reference = plain::WalkGap(settings, current.data(), previous.data());
          SCOPED_TRACE(testing::Message() << g[0] << " x " << g[1] << ", seed " << seed << ", return "
                                          << return_flag << ", " << moves << " moves");
          EXPECT_EQ(fast.gap_position, reference.gap_position);
          EXPECT_EQ(fast.previous_gap_position, reference.previous_gap_position);
          EXPECT_EQ(fast_current, current);
          EXPECT_EQ(fast_previous, previous);
        }
      }
    }
  }
}

// Random channels over the whole range of each depth, with fully transparent and fully opaque
// alpha among them; float colours a little outside 0..1.
template <typename Pixel>
Pixel RandomPixel(std::mt19937& random);
template <>
PF_Pixel RandomPixel<PF_Pixel>(std::mt19937& random) {
  const auto c = [&] { return static_cast<A_u_char>(random() % 256); };
  const A_u_char alpha = random() % 4 == 0 ? (random() % 2 ? 0 : 255) : c();
  return {alpha, c(), c(), c()};
}
template <>
PF_Pixel16 RandomPixel<PF_Pixel16>(std::mt19937& random) {
  const auto c = [&] { return static_cast<A_u_short>(random() % 32769); };
  const A_u_short alpha = random() % 4 == 0 ? (random() % 2 ? 0 : 32768) : c();
  return {alpha, c(), c(), c()};
}
template <>
PF_PixelFloat RandomPixel<PF_PixelFloat>(std::mt19937& random) {
  const auto c = [&] { return static_cast<float>(static_cast<int32_t>(random() % 1537) - 256) / 1024.0f; };
  const float alpha =
      random() % 4 == 0 ? (random() % 2 ? 0.0f : 1.0f) : static_cast<float>(random() % 1025) / 1024.0f;
  return {alpha, c(), c(), c()};
}

template <typename Pixel>
struct RandomWorld {
  std::vector<Pixel> pixels;
  int32_t width, height, stride;
  RandomWorld(int32_t w, int32_t h, int32_t padding, std::mt19937& random)
      : pixels(static_cast<size_t>(w + padding) * h), width(w), height(h), stride(w + padding) {
    for (Pixel& p : pixels) p = RandomPixel<Pixel>(random);
  }
  PixelView<Pixel> View() { return {pixels.data(), width, height, stride}; }
  PixelView<const Pixel> ConstView() const { return {pixels.data(), width, height, stride}; }
};

// What the loop asked of the host, in order; progress fails from call fail_from on (0: never).
struct RecordingHost {
  std::vector<std::string> calls;
  int fail_from = 0;
  ComposeHost Callbacks() {
    return ComposeHost{this,
                       [](void* refcon, int32_t current, int32_t total) -> PF_Err {
                         auto* self = static_cast<RecordingHost*>(refcon);
                         self->calls.push_back(std::to_string(current) + "/" + std::to_string(total));
                         const bool fail = self->fail_from > 0 && int(self->calls.size()) >= self->fail_from;
                         return fail ? PF_Err{7} : PF_Err{0};
                       },
                       [](void* refcon) -> PF_Err {
                         static_cast<RecordingHost*>(refcon)->calls.push_back("dispose");
                         return 0;
                       }};
  }
};

template <typename Pixel>
void CompareRandomFrames() {
  std::mt19937 random(20240611u);
  for (int round = 0; round < 300; ++round) {
    const int32_t width = 1 + random() % 90;
    const int32_t height = 1 + random() % 70;
    int32_t rows = 1 + random() % (round % 5 == 0 ? 80 : 8);
    int32_t columns = 1 + random() % (round % 5 == 0 ? 100 : 8);
    const int32_t count = ClampGridSize(width, height, rows, columns);
    std::vector<TileRect> grid(count);
    std::vector<int32_t> current(count), previous(count);
    BuildTileGrid(width, height, rows, columns, grid.data());
    ResetTileOrder(current.data(), count);
    ResetTileOrder(previous.data(), count);
    const int32_t missing = static_cast<int32_t>(random() % count);
    const int32_t moves = static_cast<int32_t>(random() % 40);
    WalkGap(GapWalkSettings{static_cast<int32_t>(random()), static_cast<int32_t>(random() % 2), rows, columns,
                            moves, missing},
            current.data(), previous.data());
    const double fraction = random() % 3 == 0 ? 0.0 : static_cast<double>(random() % 1000) / 1000.0;
    const int32_t position = 1 + random() % 2;
    const PuzzleFrame frame{grid.data(), current.data(), previous.data(), rows,    columns,
                            count,       missing,        fraction,        position};

    const RandomWorld<Pixel> input(width, height, random() % 3, random);
    const int32_t gap_width = random() % 3 == 0 ? 0 : 1 + random() % (2 * grid[missing].width);
    const int32_t gap_height = 1 + random() % (2 * grid[missing].height);
    const RandomWorld<Pixel> gap(gap_width, gap_height, random() % 2, random);
    const PixelView<const Pixel> gap_view =
        gap_width > 0 ? gap.ConstView() : PixelView<const Pixel>{nullptr, 0, 0, 0};
    RandomWorld<Pixel> fast_output(width + random() % 3, height, random() % 3, random);
    RandomWorld<Pixel> reference_output = fast_output;
    RecordingHost fast_host, reference_host;
    fast_host.fail_from = reference_host.fail_from = random() % 4 == 0 ? 1 + random() % 5 : 0;

    const PF_Err fast_err =
        ComposeFrame<Pixel>(frame, input.ConstView(), fast_output.View(), gap_view, fast_host.Callbacks(), 0);
    const PF_Err reference_err = plain::ComposeFrame<Pixel>(frame, input.ConstView(), reference_output.View(),
                                                            gap_view, reference_host.Callbacks(), 0);
    SCOPED_TRACE(testing::Message() << "round " << round << ": " << width << "x" << height << ", " << rows
                                    << " x " << columns << ", fraction " << fraction << ", position "
                                    << position << ", gap image " << gap_width << "x" << gap_height);
    EXPECT_EQ(fast_err, reference_err);
    EXPECT_EQ(fast_host.calls, reference_host.calls);
    ASSERT_EQ(std::memcmp(fast_output.pixels.data(), reference_output.pixels.data(),
                          fast_output.pixels.size() * sizeof(Pixel)),
              0);
  }
}

TEST(FastPaths, FramesMatchThePlainComposition8) {
  CompareRandomFrames<PF_Pixel>();
}
TEST(FastPaths, FramesMatchThePlainComposition16) {
  CompareRandomFrames<PF_Pixel16>();
}
TEST(FastPaths, FramesMatchThePlainCompositionFloat) {
  CompareRandomFrames<PF_PixelFloat>();
}

}  // namespace
