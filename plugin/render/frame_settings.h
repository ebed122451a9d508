// Frame settings from checked-out parameter values, and the rectangle union of pre-render.
#pragma once

#include "pf_host_interface.h"
#include "render/puzzle_info.h"

// The checked-out values the record is made of, as the host delivers them.
struct FrameParamValues {
  double time;            // float slider
  PF_Fixed missing_tile;  // fixed slider, percent in 16.16
  A_long seed, rows, columns;
  A_long return_flag;  // checkbox
  A_long position;     // popup choice
  A_long fit;          // checkbox
};

// The record for these values: cleared, filled, a negative Time folded. Row and Column are kept
// as set (the render clamps them).
PuzzleInfo MakePuzzleInfo(const FrameParamValues& values);

// A negative Time renders as the positive one with the Seed negated: -t with seed s is t with -s.
// 0.0 and -0.0 are left alone.
void FoldNegativeTime(PuzzleInfo& info);

// Grows dst by src: an empty dst (left >= right or top >= bottom) becomes a copy of src, even an
// empty one; an empty src leaves dst as it is; otherwise dst becomes the bounding box of both.
void UnionLRect(const PF_LRect& src, PF_LRect& dst);
