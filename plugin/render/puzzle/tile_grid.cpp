#include "render/puzzle/tile_grid.h"

#include "render/puzzle/truncate.h"

int32_t ClampGridSize(int32_t width, int32_t height, int32_t& rows, int32_t& columns) {
  if (rows > height) rows = height;
  if (columns > width) columns = width;
  if (rows < 0) rows = 0;
  if (columns < 0) columns = 0;
  return rows * columns;
}

void BuildTileGrid(int32_t width, int32_t height, int32_t rows, int32_t columns, TileRect* grid) {
  if (rows <= 0 || columns <= 0) return;
  const double tile_width = static_cast<double>(width) / columns;
  const double tile_height = static_cast<double>(height) / rows;
  // A column's origin and width are the same in every row, a row's in every column: the columns
  // are worked out once, in the first row. Sizes run to the next tile's origin; the last column
  // and row take what is left.
  TileRect* first = grid;
  for (int32_t c = 0; c < columns; ++c) first[c].x = TruncateToInt32(tile_width * c);
  for (int32_t c = 0; c < columns; ++c) {
    first[c].width = (c == columns - 1) ? width - first[c].x : first[c + 1].x - first[c].x;
  }
  for (int32_t r = 0; r < rows; ++r) {
    const int32_t y = TruncateToInt32(tile_height * r);
    const int32_t next_y = (r == rows - 1) ? height : TruncateToInt32(tile_height * (r + 1));
    TileRect* row = grid + static_cast<intptr_t>(r) * columns;
    for (int32_t c = 0; c < columns; ++c) row[c] = TileRect{first[c].x, y, first[c].width, next_y - y};
  }
}

void ResetTileOrder(int32_t* order, int32_t tile_count) {
  for (int32_t p = 0; p < tile_count; ++p) order[p] = p;
}

int32_t MissingTileIndex(double missing_tile, int32_t tile_count) {
  if (tile_count <= 0) return 0;
  const int32_t index = TruncateToInt32(missing_tile * (tile_count - 1));
  if (index < 0) return 0;
  if (index > tile_count - 1) return tile_count - 1;
  return index;
}

MoveStep FrameMoveStep(double time, double time_ceil, double time_floor) {
  const int32_t ceil_moves = TruncateToInt32(time_ceil);
  const int32_t floor_moves = TruncateToInt32(time_floor);
  MoveStep step;
  step.move_count = (ceil_moves == floor_moves && ceil_moves < INT32_MAX) ? ceil_moves + 1 : ceil_moves;
  step.move_fraction = time - time_floor;
  return step;
}
