// The frame settings record: the parameter values of one frame, read by pre-render and carried by
// the host, in a handle, to the render of the same frame.
#pragma once

#include <stdint.h>

struct PuzzleInfo {
  double time;          // "Time", never negative (a negative Time is folded, see FoldNegativeTime)
  double missing_tile;  // "Missing Tile" as a fraction, 0.0 to 1.0
  int32_t rows;         // "Row"; the render clamps it to the layer height and writes it back
  int32_t columns;      // "Column"; likewise clamped to the layer width
  int32_t return_flag;  // "Return": 0 off, 1 on
  int32_t seed;         // "Seed"; negated when Time is negative
  int32_t position;     // "Position": 1 in front, 2 behind
  int32_t fit;          // "Fit": 0 off, 1 on
};
static_assert(sizeof(PuzzleInfo) == 40, "two doubles and six 32-bit integers");
