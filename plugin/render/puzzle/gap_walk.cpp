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

namespace {

// next_unit's value is next_int x 2^-31 exactly, so comparing it with a quarter, a half and three
// quarters is comparing next_int with 2^29, 2^30 and 3 x 2^29: the draw's quarter is next_int's
// top two bits (of 31), and the direction that quarter plus one. The walk below draws this way,
// without the conversion to double.
static_assert(4.656612873077393e-10 == 1.0 / 2147483648.0, "next_unit scales by 2^-31 exactly");
static_assert(kDirectionLeft == 1 && kDirectionUp == 2 && kDirectionRight == 3 && kDirectionDown == 4,
              "directions in the order of the draw's quarters");

inline int32_t DrawQuarter(PuzzleRng& rng) {
  return next_int(rng) >> 29;
}

}  // namespace

GapWalkResult WalkGap(const GapWalkSettings& settings, int32_t* current_order, int32_t* previous_order) {
  GapWalkResult result{settings.missing_tile_index, settings.missing_tile_index};
  // With a single tile (or none) the gap has no neighbour and a move would never be found.
  if (settings.rows < 1 || settings.columns < 1 || settings.rows * settings.columns < 2) return result;

  PuzzleRng rng = MakePuzzleRng(settings.seed);
  next_int(rng);  // the first draw is not used
  // Not a move: the direction the first move must not undo. Directions are counted from 0 here
  // (left, up, right, down), so the one that undoes quarter q is (q + 2) & 3.
  int32_t last_quarter = DrawQuarter(rng);
  // On a single row or column the way back is at times the only way.
  const bool return_allowed = settings.return_flag != 0 || settings.rows == 1 || settings.columns == 1;

  // The gap's cell as row and column, and per direction the step of position, row and column: a
  // move needs no division, and the directions open to the next move are one mask of four bits,
  // worked out without a branch. The same positions as NeighbourPosition gives.
  const int32_t columns = settings.columns;
  const int32_t last_row = settings.rows - 1;
  const int32_t last_column = columns - 1;
  const int32_t position_step[4] = {-1, -columns, 1, columns};
  const int32_t row_step[4] = {0, -1, 0, 1};
  const int32_t column_step[4] = {-1, 0, 1, 0};
  int32_t& gap = result.gap_position;
  int32_t& previous_gap = result.previous_gap_position;
  int32_t row = gap / columns;
  int32_t column = gap % columns;
  for (int32_t move = 0; move < settings.move_count; ++move) {
    // Only the two entries that the preceding move swapped differ; bring them up to date.
    previous_order[gap] = current_order[gap];
    previous_order[previous_gap] = current_order[previous_gap];
    previous_gap = gap;

    const uint32_t closed = static_cast<uint32_t>(column == 0) | static_cast<uint32_t>(row == 0) << 1 |
                            static_cast<uint32_t>(column == last_column) << 2 |
                            static_cast<uint32_t>(row == last_row) << 3 |
                            static_cast<uint32_t>(!return_allowed) << ((last_quarter + 2) & 3);
    const uint32_t open = ~closed & 15u;
    int32_t q = DrawQuarter(rng);
    while (((open >> q) & 1u) == 0) q = DrawQuarter(rng);

    last_quarter = q;
    gap += position_step[q];
    row += row_step[q];
    column += column_step[q];
    const int32_t sliding = current_order[gap];
    current_order[gap] = current_order[previous_gap];
    current_order[previous_gap] = sliding;
  }
  return result;
}
