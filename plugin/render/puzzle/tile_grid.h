// The tile grid of a frame: the layer cut into rows x columns rectangles, the two tile orders,
// the missing tile and how far the walk of the gap has got at a given Time.
#ifndef ZELKRA_RENDER_PUZZLE_TILE_GRID_H
#define ZELKRA_RENDER_PUZZLE_TILE_GRID_H

#include <stdint.h>

// One tile's rectangle in pixels of the input layer, origin at the top-left corner.
struct TileRect {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};
static_assert(sizeof(TileRect) == 16, "the grid's handle holds 16 bytes per tile");

// Limits rows to the layer height and columns to the layer width (so no tile is empty), writing
// the limits back, and returns the tile count rows x columns. Values below zero (never handed out
// by the host) become 0; a zero-sized layer therefore has no tiles at all.
int32_t ClampGridSize(int32_t width, int32_t height, int32_t& rows, int32_t& columns);

// Fills grid[0 .. rows x columns - 1] row-major. Tile origins are the truncated multiples of
// width / columns and height / rows; the last column and the last row take the remainder, so the
// grid covers the layer exactly. Expects the clamped rows and columns.
void BuildTileGrid(int32_t width, int32_t height, int32_t rows, int32_t columns, TileRect* grid);

// Sets order[p] = p for every position: each tile at its home position.
void ResetTileOrder(int32_t* order, int32_t tile_count);

// The id of the tile taken out: missing_tile (0.0 to 1.0) along the grid in reading order,
// truncated. Always a valid position when tile_count > 0 (an out-of-range fraction is held to the
// grid's ends); 0 when there are no tiles.
int32_t MissingTileIndex(double missing_tile, int32_t tile_count);

// How far the walk has got at a Time: the number of moves to replay and the fraction of the last
// one already made.
struct MoveStep {
  int32_t move_count;
  double move_fraction;
};

// time_ceil and time_floor are the host's ceil and floor of time. The move count is the ceiling,
// plus one when ceiling and floor agree (a whole-numbered Time starts a new move at fraction 0);
// the fraction is time minus the floor. So a non-negative Time t gives floor(t) + 1 moves.
MoveStep FrameMoveStep(double time, double time_ceil, double time_floor);

#endif
