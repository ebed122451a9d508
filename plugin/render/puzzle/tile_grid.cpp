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
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      TileRect& tile = grid[r * columns + c];
      tile.x = TruncateToInt32(tile_width * c);
      tile.y = TruncateToInt32(tile_height * r);
    }
  }
  // Sizes run to the next tile's origin; the last column and row take what is left.
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t p = r * columns + c;
      TileRect& tile = grid[p];
      tile.width = (c == columns - 1) ? width - tile.x : grid[p + 1].x - tile.x;
      tile.height = (r == rows - 1) ? height - tile.y : grid[p + columns].y - tile.y;
    }
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
