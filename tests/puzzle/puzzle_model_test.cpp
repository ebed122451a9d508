// The puzzle model: generator, tile geometry, move step and the walk of the gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/puzzle/gap_walk.h"
#include "render/puzzle/puzzle_rng.h"
#include "render/puzzle/tile_grid.h"

namespace {

TEST(PuzzleRng, SeedZeroReplaysTheKnownDraws) {
  PuzzleRng rng = MakePuzzleRng(0);
  EXPECT_EQ(next_int(rng), 12345);
  const double units[] = {0.6551540484651923,  0.30481432331725955, 0.6749606337398291, 0.10676848376169801,
                          0.5165744470432401,  0.4896663404069841,  0.6024721972644329, 0.36995475785806775,
                          0.25666705798357725, 0.37418220518156886, 0.8255849797278643, 0.1727199167944491,
                          0.29781185183674097, 0.6435306607745588};
  for (const double u : units) EXPECT_DOUBLE_EQ(next_unit(rng), u);

  // The same draws as directions.
  const int32_t directions[] = {3, 2, 3, 1, 3, 2, 3, 2, 2, 2, 4, 1, 2, 3};
  PuzzleRng again = MakePuzzleRng(0);
  next_int(again);
  for (const int32_t d : directions) EXPECT_EQ(DrawDirection(again), d);
}

TEST(PuzzleRng, NegativeSeedStartsFromItsBitPattern) {
  PuzzleRng rng = MakePuzzleRng(-5);
  EXPECT_EQ(rng.state, 4294967291u);
  EXPECT_EQ(next_int(rng), 924887064);  // (4294967291 * 1103515245 + 12345) mod 2^32, top bit cleared
}

TEST(PuzzleRng, LargestDrawStaysBelowOne) {
  PuzzleRng rng{230538014u};  // advances to 0xFFFFFFFF
  EXPECT_EQ(next_unit(rng), 0.9999999995343387);
  EXPECT_EQ(rng.state, 0xFFFFFFFFu);
}

struct GridCase {
  int32_t width, height, rows, columns;
  std::vector<int32_t> xs, widths, ys, heights;  // per column / per row
};

TEST(TileGrid, CutsTheLayerWithTheRemainderInTheLastColumnAndRow) {
  const GridCase cases[] = {
      {10, 7, 2, 3, {0, 3, 6}, {3, 3, 4}, {0, 3}, {3, 4}},
      {100, 60, 2, 2, {0, 50}, {50, 50}, {0, 30}, {30, 30}},
      {101, 61, 2, 2, {0, 50}, {50, 51}, {0, 30}, {30, 31}},
      {5, 1, 1, 5, {0, 1, 2, 3, 4}, {1, 1, 1, 1, 1}, {0}, {1}},
  };
  for (const GridCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.rows << "x" << c.columns);
    std::vector<TileRect> grid(c.rows * c.columns);
    BuildTileGrid(c.width, c.height, c.rows, c.columns, grid.data());
    for (int32_t r = 0; r < c.rows; ++r) {
      for (int32_t col = 0; col < c.columns; ++col) {
        const TileRect& t = grid[r * c.columns + col];
        EXPECT_EQ(t.x, c.xs[col]);
        EXPECT_EQ(t.width, c.widths[col]);
        EXPECT_EQ(t.y, c.ys[r]);
        EXPECT_EQ(t.height, c.heights[r]);
      }
    }
  }
}

TEST(TileGrid, ClampsRowsAndColumnsToTheLayerAndCoversItExactly) {
  struct Case {
    int32_t width, height, rows, columns, clamped_rows, clamped_columns;
  };
  const Case cases[] = {
      {40, 12, 20, 3, 12, 3}, {7, 9, 4, 50, 4, 7}, {1920, 1080, 5000, 5000, 1080, 1920},
      {1, 1, 2, 2, 1, 1},     {0, 5, 3, 4, 3, 0},  {37, 23, 5, 6, 5, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.rows << "x" << c.columns);
    int32_t rows = c.rows;
    int32_t columns = c.columns;
    const int32_t count = ClampGridSize(c.width, c.height, rows, columns);
    EXPECT_EQ(rows, c.clamped_rows);
    EXPECT_EQ(columns, c.clamped_columns);
    ASSERT_EQ(count, rows * columns);

    std::vector<TileRect> grid(count);
    BuildTileGrid(c.width, c.height, rows, columns, grid.data());
    std::vector<int> cover(static_cast<size_t>(c.width) * c.height, 0);
    for (const TileRect& t : grid) {
      ASSERT_GE(t.width, 1);
      ASSERT_GE(t.height, 1);
      for (int32_t y = t.y; y < t.y + t.height; ++y)
        for (int32_t x = t.x; x < t.x + t.width; ++x) ++cover.at(static_cast<size_t>(y) * c.width + x);
    }
    EXPECT_TRUE(std::all_of(cover.begin(), cover.end(), [](int n) { return n == 1; }));
  }
}

TEST(TileGrid, MissingTileIndexRunsAlongTheGridInReadingOrder) {
  EXPECT_EQ(MissingTileIndex(0.0, 12), 0);
  EXPECT_EQ(MissingTileIndex(1.0, 12), 11);
  EXPECT_EQ(MissingTileIndex(0.5, 12), 5);  // 5.5 truncated
  EXPECT_EQ(MissingTileIndex(1.0, 4), 3);
  EXPECT_EQ(MissingTileIndex(1.0, 1), 0);
  // Never outside the grid, whatever the record holds.
  EXPECT_EQ(MissingTileIndex(1.5, 12), 11);
  EXPECT_EQ(MissingTileIndex(-0.5, 12), 0);
  EXPECT_EQ(MissingTileIndex(1.0, 0), 0);
}

TEST(FrameMoveStep, WholeNumberedTimeStartsTheNextMove) {
  struct Case {
    double time, ceil, floor;
    int32_t moves;
    double fraction;
  };
  const Case cases[] = {
      {0.0, 0.0, 0.0, 1, 0.0},      {0.999, 1.0, 0.0, 1, 0.999}, {1.0, 1.0, 1.0, 2, 0.0},
      {2.0, 2.0, 2.0, 3, 0.0},      {2.5, 3.0, 2.0, 3, 0.5},     {3.25, 4.0, 3.0, 4, 0.25},
      {1e5, 1e5, 1e5, 100001, 0.0},
  };
  for (const Case& c : cases) {
    const MoveStep step = FrameMoveStep(c.time, c.ceil, c.floor);
    EXPECT_EQ(step.move_count, c.moves) << c.time;
    EXPECT_DOUBLE_EQ(step.move_fraction, c.fraction) << c.time;
  }
}

// A rows x columns puzzle with both orders the identity, walked move_count moves.
struct Walked {
  std::vector<int32_t> current, previous;
  GapWalkResult result;
};

Walked Walk(int32_t seed, int32_t return_flag, int32_t rows, int32_t columns, int32_t moves,
            int32_t missing) {
  Walked w;
  w.current.resize(rows * columns);
  w.previous.resize(rows * columns);
  ResetTileOrder(w.current.data(), rows * columns);
  ResetTileOrder(w.previous.data(), rows * columns);
  w.result = WalkGap(GapWalkSettings{seed, return_flag, rows, columns, moves, missing}, w.current.data(),
                     w.previous.data());
  return w;
}

TEST(GapWalk, FourMovesOnTheTwoByTwoGrid) {
  struct Step {
    int32_t moves;
    std::vector<int32_t> current;
    int32_t gap, previous_gap;
  };
  const Step steps[] = {
      {1, {0, 3, 2, 1}, 1, 3},
      {2, {3, 0, 2, 1}, 0, 1},
      {3, {2, 0, 3, 1}, 2, 0},
      {4, {2, 0, 1, 3}, 3, 2},
  };
  for (const Step& s : steps) {
    const Walked w = Walk(0, 0, 2, 2, s.moves, 3);
    EXPECT_EQ(w.current, s.current) << s.moves << " moves";
    EXPECT_EQ(w.result.gap_position, s.gap) << s.moves << " moves";
    EXPECT_EQ(w.result.previous_gap_position, s.previous_gap) << s.moves << " moves";
  }
  const Walked four = Walk(0, 0, 2, 2, 4, 3);
  EXPECT_EQ(four.previous, (std::vector<int32_t>{2, 0, 3, 1}));
}

// The direction of a move from the two gap positions of a 1-move-longer walk.
Direction MoveDirection(int32_t from, int32_t to) {
  if (to == from - 1) return kDirectionLeft;
  if (to == from + 1) return kDirectionRight;
  return to < from ? kDirectionUp : kDirectionDown;
}

// How many moves of a walk undo the move before it (the first compared with the set-up draw).
int CountReversals(int32_t seed, int32_t return_flag, int32_t rows, int32_t columns, int32_t moves) {
  PuzzleRng rng = MakePuzzleRng(seed);
  next_int(rng);
  Direction last = DrawDirection(rng);
  int reversals = 0;
  for (int32_t m = 1; m <= moves; ++m) {
    const GapWalkResult r = Walk(seed, return_flag, rows, columns, m, 0).result;
    const Direction d = MoveDirection(r.previous_gap_position, r.gap_position);
    if (d == ReverseDirection(last)) ++reversals;
    last = d;
  }
  return reversals;
}

TEST(GapWalk, ReturnDecidesWhetherAMoveMayUndoTheLastOne) {
  for (const int32_t seed : {0, 1, 7, -3, 9999}) {
    EXPECT_EQ(CountReversals(seed, 0, 3, 4, 120), 0) << "seed " << seed;
    EXPECT_GT(CountReversals(seed, 1, 3, 4, 120), 0) << "seed " << seed;
  }
}

TEST(GapWalk, OnePixelHighLayerMayGoBackWithReturnOff) {
  int32_t rows = 5;
  int32_t columns = 4;
  ClampGridSize(40, 1, rows, columns);
  ASSERT_EQ(rows, 1);
  // With the way back forbidden a single row would trap the gap at its ends.
  EXPECT_GT(CountReversals(3, 0, rows, columns, 60), 0);
}

TEST(GapWalk, OrdersDifferInExactlyTheTwoPositionsOfTheLastMove) {
  struct Case {
    int32_t seed, return_flag, rows, columns, moves, missing;
  };
  const Case cases[] = {
      {0, 0, 2, 2, 1, 3},        {0, 0, 2, 2, 1000, 3}, {42, 0, 3, 4, 777, 11}, {-17, 1, 3, 4, 500, 0},
      {5, 0, 20, 20, 5000, 199}, {9, 1, 1, 7, 333, 3},  {11, 0, 6, 1, 250, 5},  {10000, 0, 5, 3, 1, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "seed " << c.seed << " grid " << c.rows << "x" << c.columns
                                    << " moves " << c.moves);
    const Walked w = Walk(c.seed, c.return_flag, c.rows, c.columns, c.moves, c.missing);
    std::vector<int32_t> differing;
    for (size_t p = 0; p < w.current.size(); ++p)
      if (w.current[p] != w.previous[p]) differing.push_back(static_cast<int32_t>(p));
    const int32_t gap = w.result.gap_position;
    const int32_t previous_gap = w.result.previous_gap_position;
    ASSERT_EQ(differing.size(), 2u);
    EXPECT_EQ(differing[0], std::min(gap, previous_gap));
    EXPECT_EQ(differing[1], std::max(gap, previous_gap));
    EXPECT_EQ(w.current[gap], c.missing);
    EXPECT_EQ(w.previous[previous_gap], c.missing);
    EXPECT_EQ(w.current[previous_gap], w.previous[gap]);
    // Neighbours in the grid.
    const int32_t dr = gap / c.columns - previous_gap / c.columns;
    const int32_t dc = gap % c.columns - previous_gap % c.columns;
    EXPECT_EQ(dr * dr + dc * dc, 1);
    // Still a permutation of the tiles.
    std::vector<int32_t> sorted = w.current;
    std::sort(sorted.begin(), sorted.end());
    for (size_t p = 0; p < sorted.size(); ++p) EXPECT_EQ(sorted[p], static_cast<int32_t>(p));
  }
}

TEST(GapWalk, FewerThanTwoTilesMakeNoMove) {
  // A one-pixel layer: one tile, which has no neighbour to swap with.
  const Walked one = Walk(4, 0, 1, 1, 50, 0);
  EXPECT_EQ(one.current, std::vector<int32_t>{0});
  EXPECT_EQ(one.previous, std::vector<int32_t>{0});
  EXPECT_EQ(one.result.gap_position, 0);
  EXPECT_EQ(one.result.previous_gap_position, 0);

  // No tiles at all: nothing is read or written.
  const GapWalkResult none = WalkGap(GapWalkSettings{4, 0, 0, 3, 50, 0}, nullptr, nullptr);
  EXPECT_EQ(none.gap_position, 0);
}

TEST(GapWalk, NeighboursDoNotWrapAtTheBorders) {
  // 3 x 4 grid: position 4 starts the second row, 7 ends it.
  EXPECT_EQ(NeighbourPosition(4, kDirectionLeft, 3, 4), -1);
  EXPECT_EQ(NeighbourPosition(7, kDirectionRight, 3, 4), -1);
  EXPECT_EQ(NeighbourPosition(1, kDirectionUp, 3, 4), -1);
  EXPECT_EQ(NeighbourPosition(9, kDirectionDown, 3, 4), -1);
  EXPECT_EQ(NeighbourPosition(5, kDirectionLeft, 3, 4), 4);
  EXPECT_EQ(NeighbourPosition(5, kDirectionUp, 3, 4), 1);
  EXPECT_EQ(NeighbourPosition(5, kDirectionRight, 3, 4), 6);
  EXPECT_EQ(NeighbourPosition(5, kDirectionDown, 3, 4), 9);
}

}  // namespace
