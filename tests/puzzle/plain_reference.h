// The plain forms of the render's fast paths, kept as references: a pixel-by-pixel composition of
// the frame, a tile grid worked out tile by tile and a walk that draws through next_unit and
// finds each neighbour by division. The fast paths must give exactly what these give.
#pragma once

#include <stdint.h>

#include "render/compose_frame.h"
#include "render/puzzle/gap_walk.h"
#include "render/puzzle/tile_grid.h"
#include "render/puzzle/truncate.h"

namespace plain {

template <typename Pixel, typename Put>
void DrawPixels(const PixelView<const Pixel>& src, int32_t src_x, int32_t src_y, const PixelView<Pixel>& dst,
                int32_t dst_x, int32_t dst_y, int32_t width, int32_t height, int32_t limit_width,
                int32_t limit_height, Put put) {
  for (int32_t j = 0; j < height; ++j) {
    const int32_t y = dst_y + j;
    if (y < 0 || y >= limit_height) continue;
    for (int32_t i = 0; i < width; ++i) {
      const int32_t x = dst_x + i;
      if (x < 0 || x >= limit_width || src.width <= 0 || src.height <= 0) continue;
      const int32_t sx = src_x + i < src.width ? src_x + i : src.width - 1;
      const int32_t sy = src_y + j < src.height ? src_y + j : src.height - 1;
      put(dst.Row(y)[x], src.Row(sy)[sx]);
    }
  }
}

struct PutCopy {
  template <typename Pixel>
  void operator()(Pixel& dst, const Pixel& src) const {
    dst = src;
  }
};

// Every position in order, each drawn pixel by pixel.
template <typename Pixel>
PF_Err ComposeFrame(const PuzzleFrame& frame, const PixelView<const Pixel>& input,
                    const PixelView<Pixel>& output, const PixelView<const Pixel>& gap_image,
                    const ComposeHost& host, PF_Err err) {
  using namespace compose_detail;
  if (err != 0) return err;
  const int32_t w = input.width;
  const int32_t h = input.height;
  const bool has_gap_image = gap_image.data != nullptr && gap_image.width > 0 && gap_image.height > 0;
  const bool gap_in_front = frame.position == 1;
  for (int32_t p = 0; p < frame.tile_count; ++p) {
    const int32_t t = frame.current_order[p];
    if (t == frame.previous_order[p]) {
      const TileRect& cell = frame.grid[p];
      const TileRect& tile = frame.grid[t];
      DrawPixels(input, tile.x, tile.y, output, cell.x, cell.y, cell.width, cell.height, w, h, PutCopy{});
    } else if (t == frame.missing_tile_index) {
      if (!has_gap_image) continue;
      const int32_t n = FindNeighbour(
          frame, p, [&](int32_t q) { return frame.current_order[q] != frame.previous_order[q]; });
      if (n >= 0) {
        const TileRect at = MovingDrawing(frame, p, n, t);
        if (gap_in_front) {
          DrawPixels(gap_image, 0, 0, output, at.x, at.y, at.width, at.height, w, h, PutOnTop{});
        } else {
          DrawPixels(gap_image, 0, 0, output, at.x, at.y, at.width, at.height, w, h, PutUnderneath{});
        }
      }
      if (err == 0) err = host.dispose_gap_image(host.refcon);
      continue;
    } else {
      const int32_t n = FindNeighbour(
          frame, p, [&](int32_t q) { return frame.current_order[q] == frame.missing_tile_index; });
      if (n >= 0) {
        const TileRect at = MovingDrawing(frame, p, n, t);
        const TileRect& tile = frame.grid[t];
        if (gap_in_front) {
          DrawPixels(input, tile.x, tile.y, output, at.x, at.y, at.width, at.height, w, h, PutUnderneath{});
        } else {
          DrawPixels(input, tile.x, tile.y, output, at.x, at.y, at.width, at.height, w, h, PutOnTop{});
        }
      }
    }
    if (err == 0) err = host.progress(host.refcon, p, frame.tile_count);
  }
  return err;
}

inline void BuildTileGrid(int32_t width, int32_t height, int32_t rows, int32_t columns, TileRect* grid) {
  if (rows <= 0 || columns <= 0) return;
  const double tile_width = static_cast<double>(width) / columns;
  const double tile_height = static_cast<double>(height) / rows;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      grid[r * columns + c].x = TruncateToInt32(tile_width * c);
      grid[r * columns + c].y = TruncateToInt32(tile_height * r);
    }
  }
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      const int32_t p = r * columns + c;
      grid[p].width = (c == columns - 1) ? width - grid[p].x : grid[p + 1].x - grid[p].x;
      grid[p].height = (r == rows - 1) ? height - grid[p].y : grid[p + columns].y - grid[p].y;
    }
  }
}

inline GapWalkResult WalkGap(const GapWalkSettings& s, int32_t* current_order, int32_t* previous_order) {
  GapWalkResult result{s.missing_tile_index, s.missing_tile_index};
  if (s.rows < 1 || s.columns < 1 || s.rows * s.columns < 2) return result;
  PuzzleRng rng = MakePuzzleRng(s.seed);
  next_int(rng);
  Direction last_direction = DrawDirection(rng);
  const bool return_allowed = s.return_flag != 0 || s.rows == 1 || s.columns == 1;
  int32_t& gap = result.gap_position;
  int32_t& previous_gap = result.previous_gap_position;
  for (int32_t move = 0; move < s.move_count; ++move) {
    previous_order[gap] = current_order[gap];
    previous_order[previous_gap] = current_order[previous_gap];
    previous_gap = gap;
    for (;;) {
      const Direction d = DrawDirection(rng);
      if (!return_allowed && d == ReverseDirection(last_direction)) continue;
      const int32_t next = NeighbourPosition(previous_gap, d, s.rows, s.columns);
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

}  // namespace plain
