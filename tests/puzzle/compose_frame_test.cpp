// Frame composition against frames worked out by hand from the grid's coordinates: which input or
// gap-image pixel each output pixel must show.
#include "render/compose_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Channel values are given on an 8-bit scale and stretched to the depth's full scale.
template <typename Pixel>
Pixel MakePixel(int a, int r, int g, int b);
template <>
PF_Pixel MakePixel<PF_Pixel>(int a, int r, int g, int b) {
  return PF_Pixel{static_cast<A_u_char>(a), static_cast<A_u_char>(r), static_cast<A_u_char>(g),
                  static_cast<A_u_char>(b)};
}
template <>
PF_Pixel16 MakePixel<PF_Pixel16>(int a, int r, int g, int b) {
  const auto wide = [](int v) { return static_cast<A_u_short>(v == 255 ? 32768 : v * 128); };
  return PF_Pixel16{wide(a), wide(r), wide(g), wide(b)};
}
template <>
PF_PixelFloat MakePixel<PF_PixelFloat>(int a, int r, int g, int b) {
  return PF_PixelFloat{a / 255.0f, r / 255.0f, g / 255.0f, b / 255.0f};
}

template <typename Pixel>
bool SamePixel(const Pixel& a, const Pixel& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// A world in test memory, its row padding filled with a value no drawing may produce or read.
template <typename Pixel>
struct TestWorld {
  std::vector<Pixel> pixels;
  int32_t width, height, stride;

  TestWorld(int32_t w, int32_t h, int32_t s, std::function<Pixel(int32_t, int32_t)> at)
      : pixels(static_cast<size_t>(s) * h), width(w), height(h), stride(s) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < s; ++x)
        pixels[y * s + x] = x < w ? at(x, y) : MakePixel<Pixel>(1, 250, 250, 250);
  }
  Pixel& At(int32_t x, int32_t y) { return pixels[y * stride + x]; }
  PixelView<Pixel> View() { return PixelView<Pixel>{pixels.data(), width, height, stride}; }
  PixelView<const Pixel> ConstView() const {
    return PixelView<const Pixel>{pixels.data(), width, height, stride};
  }
};

// Opaque layer pixels that name their own coordinates; a half-transparent gap image likewise.
template <typename Pixel>
Pixel LayerPixel(int32_t x, int32_t y) {
  return MakePixel<Pixel>(255, x, y, 7);
}
template <typename Pixel>
Pixel GapPixel(int32_t i, int32_t j) {
  return MakePixel<Pixel>(128, 200 - i, 100 + j, 250);
}

// Records what the loop asks of the host; progress answers fail_code from call number fail_from on.
struct FakeHost {
  std::vector<std::pair<int32_t, int32_t>> progress;
  std::vector<std::string> events;
  int disposals = 0;
  int fail_from = 0;  // 0: never
  PF_Err fail_code = 0;
  PF_Err dispose_code = 0;

  ComposeHost Callbacks() {
    return ComposeHost{this,
                       [](void* refcon, int32_t current, int32_t total) -> PF_Err {
                         auto* self = static_cast<FakeHost*>(refcon);
                         self->progress.emplace_back(current, total);
                         self->events.push_back("progress " + std::to_string(current));
                         const bool fail =
                             self->fail_from > 0 && int(self->progress.size()) >= self->fail_from;
                         return fail ? self->fail_code : 0;
                       },
                       [](void* refcon) -> PF_Err {
                         auto* self = static_cast<FakeHost*>(refcon);
                         ++self->disposals;
                         self->events.push_back("dispose");
                         return self->dispose_code;
                       }};
  }
};

// The 100 x 60 layer cut 2 x 2 (cells 50 x 30), missing tile 3, after the walk of seed 0 at
// Time 3.25: tile 1 is on its way from position 3 to position 2.
const TileRect kGrid100x60[] = {{0, 0, 50, 30}, {50, 0, 50, 30}, {0, 30, 50, 30}, {50, 30, 50, 30}};
const int32_t kCurrent[] = {2, 0, 1, 3};
const int32_t kPrevious[] = {2, 0, 3, 1};

PuzzleFrame WorkedFrame(double fraction, int32_t position) {
  return PuzzleFrame{kGrid100x60, kCurrent, kPrevious, 2, 2, 4, 3, fraction, position};
}

// The output is wider than the layer (104 columns, stride 106); columns from 100 on hold a marker
// that the composition must leave alone.
template <typename Pixel>
Pixel OutsideMarker() {
  return MakePixel<Pixel>(3, 3, 3, 3);
}

template <typename Pixel>
struct WorkedSetup {
  TestWorld<Pixel> input{100, 60, 103, LayerPixel<Pixel>};
  TestWorld<Pixel> gap{50, 30, 52, GapPixel<Pixel>};
  TestWorld<Pixel> output{104, 60, 106, [](int32_t x, int32_t) {
                            return x < 100 ? MakePixel<Pixel>(0, 0, 0, 0) : OutsideMarker<Pixel>();
                          }};
  FakeHost host;

  PF_Err Compose(const PuzzleFrame& frame, bool with_gap = true, PF_Err before = 0) {
    const PixelView<const Pixel> gap_view =
        with_gap ? gap.ConstView() : PixelView<const Pixel>{nullptr, 0, 0, 0};
    return ComposeFrame<Pixel>(frame, input.ConstView(), output.View(), gap_view, host.Callbacks(), before);
  }

  // Compares every output pixel, padding included, with expected(x, y) inside the layer.
  void ExpectOutput(const std::function<Pixel(int32_t, int32_t)>& expected) {
    int mismatches = 0;
    for (int32_t y = 0; y < output.height; ++y) {
      for (int32_t x = 0; x < output.stride; ++x) {
        Pixel want = x < 100   ? expected(x, y)
                     : x < 104 ? OutsideMarker<Pixel>()
                               : MakePixel<Pixel>(1, 250, 250, 250);
        if (!SamePixel(output.At(x, y), want) && ++mismatches <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
};

// The unchanged top row band: tile 2 (home 0, 30) at position 0, tile 0 at position 1.
template <typename Pixel>
Pixel TopBand(int32_t x, int32_t y) {
  return x < 50 ? LayerPixel<Pixel>(x, y + 30) : LayerPixel<Pixel>(x - 50, y);
}

template <typename Pixel>
class ComposeFrameTyped : public testing::Test {};
using PixelTypes = testing::Types<PF_Pixel, PF_Pixel16, PF_PixelFloat>;
TYPED_TEST_SUITE(ComposeFrameTyped, PixelTypes);

// At f = 0.25 tile 1 (home 50, 0) is drawn at (38, 30) and the gap image at (12, 30), both 50 x 30:
// in the lower band columns 0-11 and 88-99 keep the fill, 38-61 are where the two overlap.
template <typename Pixel>
Pixel LowerBandQuarter(int32_t x, int32_t y, bool gap_in_front) {
  const int32_t j = y - 30;
  const bool tile_here = x >= 38 && x < 88;
  const bool gap_here = x >= 12 && x < 62;
  const Pixel tile = LayerPixel<Pixel>(50 + x - 38, j);
  const Pixel gap = GapPixel<Pixel>(x - 12, j);
  if (tile_here && gap_here) return gap_in_front ? CompositeOver(tile, gap) : tile;  // the tile is opaque
  if (tile_here) return tile;
  if (gap_here) return gap;
  return MakePixel<Pixel>(0, 0, 0, 0);
}

TYPED_TEST(ComposeFrameTyped, WorkedExampleInFrontAndBehind) {
  using Pixel = TypeParam;
  for (const int32_t position : {1, 2}) {
    SCOPED_TRACE(position == 1 ? "In front" : "Behind");
    WorkedSetup<Pixel> s;
    EXPECT_EQ(s.Compose(WorkedFrame(0.25, position)), 0);
    s.ExpectOutput([&](int32_t x, int32_t y) {
      return y < 30 ? TopBand<Pixel>(x, y) : LowerBandQuarter<Pixel>(x, y, position == 1);
    });
    // Progress for positions 0, 1 and 2, never for the gap; the gap image is freed once, right
    // after it is drawn.
    EXPECT_EQ(s.host.events, (std::vector<std::string>{"progress 0", "progress 1", "progress 2", "dispose"}));
    for (const auto& call : s.host.progress) EXPECT_EQ(call.second, 4);
  }
}

TYPED_TEST(ComposeFrameTyped, WholeNumberedTimeShowsThePuzzleBeforeTheLastMove) {
  using Pixel = TypeParam;
  WorkedSetup<Pixel> s;
  EXPECT_EQ(s.Compose(WorkedFrame(0.0, 1)), 0);
  // Tile 1 still on position 3's cell at its own size, the gap image on position 2's cell.
  s.ExpectOutput([](int32_t x, int32_t y) {
    if (y < 30) return TopBand<Pixel>(x, y);
    return x < 50 ? GapPixel<Pixel>(x, y - 30) : LayerPixel<Pixel>(x, y - 30);
  });
}

TEST(ComposeFrame, WithoutGapLayerTheGapKeepsTheFill) {
  WorkedSetup<PF_Pixel> s;
  EXPECT_EQ(s.Compose(WorkedFrame(0.25, 1), /*with_gap=*/false), 0);
  s.ExpectOutput([](int32_t x, int32_t y) {
    if (y < 30) return TopBand<PF_Pixel>(x, y);
    return x >= 38 && x < 88 ? LayerPixel<PF_Pixel>(50 + x - 38, y - 30) : PF_Pixel{0, 0, 0, 0};
  });
  EXPECT_EQ(s.host.disposals, 0);
  EXPECT_EQ(s.host.progress.size(), 3u);
}

TEST(ComposeFrame, CancelAtFirstPositionStillCompletesTheFrame) {
  WorkedSetup<PF_Pixel> s;
  s.host.fail_from = 1;
  s.host.fail_code = 5;
  EXPECT_EQ(s.Compose(WorkedFrame(0.25, 1)), 5);
  s.ExpectOutput([](int32_t x, int32_t y) {
    return y < 30 ? TopBand<PF_Pixel>(x, y) : LowerBandQuarter<PF_Pixel>(x, y, true);
  });
  // No more progress after the error, and the gap image is left to the render's clean-up.
  EXPECT_EQ(s.host.events, std::vector<std::string>{"progress 0"});
}

TEST(ComposeFrame, ErrorBeforeTheStageDrawsNothing) {
  WorkedSetup<PF_Pixel> s;
  EXPECT_EQ(s.Compose(WorkedFrame(0.25, 1), true, 4), 4);
  s.ExpectOutput([](int32_t, int32_t) { return PF_Pixel{0, 0, 0, 0}; });
  EXPECT_TRUE(s.host.events.empty());
}

TEST(ComposeFrame, FailedDisposalIsReturnedAndStopsProgressButNotDrawing) {
  // Missing tile 1 has just moved from position 1 to 0: the gap is the first position drawn.
  const int32_t current[] = {1, 0, 2, 3};
  const int32_t previous[] = {0, 1, 2, 3};
  const PuzzleFrame frame{kGrid100x60, current, previous, 2, 2, 4, 1, 0.5, 2};
  WorkedSetup<PF_Pixel> s;
  s.host.dispose_code = 7;
  EXPECT_EQ(s.Compose(frame), 7);
  EXPECT_EQ(s.host.events, std::vector<std::string>{"dispose"});
  // "Behind": tile 0 at (25, 0) covers the gap image drawn at (25, 0) before it.
  s.ExpectOutput([](int32_t x, int32_t y) {
    if (y >= 30) return LayerPixel<PF_Pixel>(x, y);
    return x >= 25 && x < 75 ? LayerPixel<PF_Pixel>(x - 25, y) : PF_Pixel{0, 0, 0, 0};
  });
}

TEST(ComposeFrame, EqualOrdersCopyTheWholeLayerAndLeaveTheGapImage) {
  // What a grid of fewer than two tiles gives: no move, every position unchanged.
  const int32_t identity[] = {0, 1, 2, 3};
  const PuzzleFrame frame{kGrid100x60, identity, identity, 2, 2, 4, 3, 0.0, 1};
  WorkedSetup<PF_Pixel> s;
  EXPECT_EQ(s.Compose(frame), 0);
  s.ExpectOutput(LayerPixel<PF_Pixel>);
  EXPECT_EQ(s.host.disposals, 0);
  EXPECT_EQ(s.host.progress.size(), 4u);
}

// 101 x 61 cut 2 x 2: columns 50 and 51 wide, rows 30 and 31 high. Tiles travel into cells of
// another size at f = 0.5.
const TileRect kGrid101x61[] = {{0, 0, 50, 30}, {50, 0, 51, 30}, {0, 30, 50, 31}, {50, 30, 51, 31}};

struct UnevenSetup {
  TestWorld<PF_Pixel> input{101, 61, 101, LayerPixel<PF_Pixel>};
  TestWorld<PF_Pixel> output{101, 61, 101, [](int32_t, int32_t) { return PF_Pixel{0, 0, 0, 0}; }};
  FakeHost host;

  void Compose(const PuzzleFrame& frame, TestWorld<PF_Pixel>& gap) {
    EXPECT_EQ(
        ComposeFrame<PF_Pixel>(frame, input.ConstView(), output.View(), gap.ConstView(), host.Callbacks(), 0),
        0);
  }
  void ExpectTopBand(const std::function<PF_Pixel(int32_t, int32_t)>& expected) {
    for (int32_t y = 0; y < 61; ++y)
      for (int32_t x = 0; x < 101; ++x) {
        const PF_Pixel want = y < 30 ? expected(x, y) : LayerPixel<PF_Pixel>(x, y);
        ASSERT_TRUE(SamePixel(output.At(x, y), want)) << "pixel (" << x << ", " << y << ")";
      }
  }
};

TEST(ComposeFrame, GapImageSmallerThanItsDrawingRepeatsItsLastColumn) {
  // Missing tile 0 (50 wide) moves into cell 1 (51 wide); tile 1 slides toward cell 0.
  const int32_t current[] = {1, 0, 2, 3};
  const int32_t previous[] = {0, 1, 2, 3};
  UnevenSetup s;
  TestWorld<PF_Pixel> gap{50, 30, 50, GapPixel<PF_Pixel>};
  s.Compose(PuzzleFrame{kGrid101x61, current, previous, 2, 2, 4, 0, 0.5, 2}, gap);
  // Tile 1 at (25, 0) in cell 0's size 50 x 30; the gap image at (25, 0) in cell 1's size 51 x 30,
  // behind the tile, so only its repeated last column 75 shows.
  s.ExpectTopBand([](int32_t x, int32_t y) {
    if (x >= 25 && x < 75) return LayerPixel<PF_Pixel>(x + 25, y);
    if (x == 75) return GapPixel<PF_Pixel>(49, y);
    return PF_Pixel{0, 0, 0, 0};
  });
  EXPECT_EQ(s.host.events, (std::vector<std::string>{"progress 0", "dispose", "progress 2", "progress 3"}));
}

TEST(ComposeFrame, SlidingTileWiderThanItsHomeReadsTheNeighbouringTile) {
  // Missing tile 1 moves into cell 0; tile 0 (50 wide) slides toward cell 1 (51 wide).
  const int32_t current[] = {1, 0, 2, 3};
  const int32_t previous[] = {0, 1, 2, 3};
  UnevenSetup s;
  TestWorld<PF_Pixel> gap{51, 30, 51, GapPixel<PF_Pixel>};
  s.Compose(PuzzleFrame{kGrid101x61, current, previous, 2, 2, 4, 1, 0.5, 1}, gap);
  // The gap image at (25, 0) in cell 0's size 50 x 30, in front of tile 0 drawn at (25, 0) in
  // cell 1's size 51 x 30, whose last column is the layer's column 50.
  s.ExpectTopBand([](int32_t x, int32_t y) {
    const PF_Pixel tile = LayerPixel<PF_Pixel>(x - 25, y);
    if (x >= 25 && x < 75) return CompositeOver(tile, GapPixel<PF_Pixel>(x - 25, y));
    if (x == 75) return tile;
    return PF_Pixel{0, 0, 0, 0};
  });
  EXPECT_EQ(s.host.events, (std::vector<std::string>{"dispose", "progress 1", "progress 2", "progress 3"}));
}

TEST(ComposeFrame, WholeNumberedTimeDrawsBothAtTheirOwnSizes) {
  // Missing tile 1 (51 wide) has just moved into cell 0 (50 wide); at f = 0 nothing has slid yet.
  const int32_t current[] = {1, 0, 2, 3};
  const int32_t previous[] = {0, 1, 2, 3};
  UnevenSetup s;
  TestWorld<PF_Pixel> gap{51, 30, 51, GapPixel<PF_Pixel>};
  s.Compose(PuzzleFrame{kGrid101x61, current, previous, 2, 2, 4, 1, 0.0, 2}, gap);
  // Tile 0 stays home at 50 x 30; the gap image fills cell 1 at its own 51 x 30.
  s.ExpectTopBand([](int32_t x, int32_t y) {
    return x < 50 ? LayerPixel<PF_Pixel>(x, y) : GapPixel<PF_Pixel>(x - 50, y);
  });
}

}  // namespace
