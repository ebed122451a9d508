// The shuffle: a seeded random walk of the gap through the grid, each step sliding the
// neighbouring tile into the gap. Replayed from the seed on every frame.
#ifndef ZELKRA_RENDER_PUZZLE_GAP_WALK_H
#define ZELKRA_RENDER_PUZZLE_GAP_WALK_H

#include <stdint.h>

#include "render/puzzle/puzzle_rng.h"

// The way the gap moves in one step.
enum Direction : int32_t {
  kDirectionLeft = 1,
  kDirectionUp = 2,
  kDirectionRight = 3,
  kDirectionDown = 4,
};

// The direction that undoes d.
Direction ReverseDirection(Direction d);

// One direction from one next_unit draw: [0, 0.25) left, [0.25, 0.5) up, [0.5, 0.75) right,
// [0.75, 1) down.
Direction DrawDirection(PuzzleRng& rng);

// The position next to p in direction d on a rows x columns grid, or -1 when that leaves the
// grid (there is no wrapping at the borders).
int32_t NeighbourPosition(int32_t p, Direction d, int32_t rows, int32_t columns);

struct GapWalkSettings {
  int32_t seed;
  int32_t return_flag;  // non-zero: a move may undo the move before it
  int32_t rows;         // clamped grid size
  int32_t columns;
  int32_t move_count;
  int32_t missing_tile_index;  // the gap's start
};

struct GapWalkResult {
  int32_t gap_position;           // where the gap is after the last move
  int32_t previous_gap_position;  // where it was before it: the sliding tile's position now
};

// Replays move_count moves of the gap. current_order and previous_order (rows x columns entries
// each, both the identity on entry) are updated in place: afterwards current_order is the order
// after the last move and previous_order the one before it, differing in exactly the two returned
// positions. A grid of fewer than two tiles has no move to make: the orders stay equal and both
// positions are the missing tile index.
GapWalkResult WalkGap(const GapWalkSettings& settings, int32_t* current_order, int32_t* previous_order);

#endif
