#include "render/puzzle/gap_walk.h"

Direction ReverseDirection(Direction d) {
  switch (d) {
    case kDirectionLeft:
      return kDirectionRight;
    case kDirectionUp:
      return kDirectionDown;
    case kDirectionRight:
      return kDirectionLeft;
    case kDirectionDown:
      break;
  }
  return kDirectionUp;
}

Direction DrawDirection(PuzzleRng& rng) {
  const double u = next_unit(rng);
  if (u < 0.25) return kDirectionLeft;
  if (u < 0.5) return kDirectionUp;
  if (u < 0.75) return kDirectionRight;
  return kDirectionDown;
}

int32_t NeighbourPosition(int32_t p, Direction d, int32_t rows, int32_t columns) {
  int32_t column = p % columns;
  int32_t row = p / columns;
  switch (d) {
    case kDirectionLeft:
      --column;
      break;
    case kDirectionUp:
      --row;
      break;
    case kDirectionRight:
      ++column;
      break;
    case kDirectionDown:
      ++row;
      break;
  }
  if (column < 0 || column >= columns || row < 0 || row >= rows) return -1;
  return row * columns + column;
}

GapWalkResult WalkGap(const GapWalkSettings& settings, int32_t* current_order, int32_t* previous_order) {
  GapWalkResult result{settings.missing_tile_index, settings.missing_tile_index};
  // With a single tile (or none) the gap has no neighbour and a move would never be found.
  if (settings.rows < 1 || settings.columns < 1 || settings.rows * settings.columns < 2) return result;

  PuzzleRng rng = MakePuzzleRng(settings.seed);
  next_int(rng);  // the first draw is not used
  // Not a move: the direction the first move must not undo.
  Direction last_direction = DrawDirection(rng);
  // On a single row or column the way back is at times the only way.
  const bool return_allowed = settings.return_flag != 0 || settings.rows == 1 || settings.columns == 1;

  int32_t& gap = result.gap_position;
  int32_t& previous_gap = result.previous_gap_position;
  for (int32_t move = 0; move < settings.move_count; ++move) {
    // Only the two entries that the preceding move swapped differ; bring them up to date.
    previous_order[gap] = current_order[gap];
    previous_order[previous_gap] = current_order[previous_gap];
    previous_gap = gap;
    for (;;) {
      const Direction d = DrawDirection(rng);
      if (!return_allowed && d == ReverseDirection(last_direction)) continue;
      const int32_t next = NeighbourPosition(previous_gap, d, settings.rows, settings.columns);
      if (next < 0) continue;
      last_direction = d;
      gap = next;
      break;
    }
    const int32_t sliding = current_order[gap];
    current_order[gap] = current_order[previous_gap];
    current_order[previous_gap] = sliding;
  }
  return result;
}
