// Composition of the output frame: every tile that did not take part in the last move is copied
// to its position (row spans as whole runs of bytes), and the sliding tile and the gap image are drawn past
// each other by the move fraction. Written once over the pixel type (PF_Pixel, PF_Pixel16, PF_PixelFloat);
// the caller dispatches on depth once. The two host interactions of the loop (progress, freeing the gap
// image) go through ComposeHost, so the loop itself makes no host call.
#ifndef ZELKRA_RENDER_COMPOSE_FRAME_H
#define ZELKRA_RENDER_COMPOSE_FRAME_H

#include <stdint.h>

#include "pf_basic_types.h"
#include "render/pixels/composite_over.h"
#include "render/pixels/pixel_view.h"
#include "render/puzzle/gap_walk.h"
#include "render/puzzle/tile_grid.h"
#include "render/puzzle/truncate.h"

// The puzzle state of the frame, as the walk left it.
struct PuzzleFrame {
  const TileRect* grid;           // tile_count rectangles, row-major, as BuildTileGrid makes them
  const int32_t* current_order;   // tile ids by position after the last move
  const int32_t* previous_order;  // and before it
  int32_t rows;
  int32_t columns;
  int32_t tile_count;
  int32_t missing_tile_index;
  double move_fraction;  // 0 <= f < 1
  int32_t position;      // 1: gap image in front of the sliding tile; otherwise behind it
};

// What the loop asks of the host. progress(refcon, current, total) reports one drawn position;
// dispose_gap_image(refcon) frees the gap image once it has been drawn (the callee forgets it, so
// the render's clean-up does not free it again). Each returns a host error code, 0 for none.
struct ComposeHost {
  void* refcon;
  PF_Err (*progress)(void* refcon, int32_t current, int32_t total);
  PF_Err (*dispose_gap_image)(void* refcon);
};

namespace compose_detail {

// The rows of a width x height block from src, origin (src_x, src_y), drawn onto dst at (dst_x,
// dst_y). Source reads past src's last column or row take that last column or row; destination
// pixels outside limit_width x limit_height are skipped. Columns and rows are worked out once per
// block: draw_row(to, from, n, edge, m) draws n pixels from `from` onto `to`, then m pixels of
// `edge` (the source row's last pixel) onto the m after them.
template <typename Pixel, typename DrawRow>
void ForEachBlockRow(const PixelView<const Pixel>& src, int32_t src_x, int32_t src_y,
                     const PixelView<Pixel>& dst, int32_t dst_x, int32_t dst_y, int32_t width, int32_t height,
                     int32_t limit_width, int32_t limit_height, DrawRow draw_row) {
  const int32_t j_begin = dst_y < 0 ? -dst_y : 0;
  const int32_t j_end = limit_height - dst_y < height ? limit_height - dst_y : height;
  const int32_t i_begin = dst_x < 0 ? -dst_x : 0;
  const int32_t i_end = limit_width - dst_x < width ? limit_width - dst_x : width;
  if (i_begin >= i_end || src.width <= 0 || src.height <= 0) return;
  // Columns from i_split on lie past the source's last column and repeat it.
  int32_t i_split = src.width - src_x;
  if (i_split < i_begin) i_split = i_begin;
  if (i_split > i_end) i_split = i_end;

  for (int32_t j = j_begin; j < j_end; ++j) {
    const int32_t row = src_y + j < src.height ? src_y + j : src.height - 1;
    const Pixel* src_row = src.Row(row);
    const Pixel* from = i_split > i_begin ? src_row + src_x + i_begin : src_row;
    draw_row(dst.Row(dst_y + j) + dst_x + i_begin, from, i_split - i_begin, src_row[src.width - 1],
             i_end - i_split);
  }
}

// Draws the block with put(dst_pixel, src_pixel), pixel by pixel.
template <typename Pixel, typename Put>
void DrawBlock(const PixelView<const Pixel>& src, int32_t src_x, int32_t src_y, const PixelView<Pixel>& dst,
               int32_t dst_x, int32_t dst_y, int32_t width, int32_t height, int32_t limit_width,
               int32_t limit_height, Put put) {
  ForEachBlockRow(src, src_x, src_y, dst, dst_x, dst_y, width, height, limit_width, limit_height,
                  [put](Pixel* to, const Pixel* from, int32_t n, const Pixel& edge, int32_t m) {
                    for (int32_t i = 0; i < n; ++i) put(to[i], from[i]);
                    for (int32_t i = n; i < n + m; ++i) put(to[i], edge);
                  });
}

// Copies the block, each row's span as one run of bytes.
template <typename Pixel>
void CopyBlock(const PixelView<const Pixel>& src, int32_t src_x, int32_t src_y, const PixelView<Pixel>& dst,
               int32_t dst_x, int32_t dst_y, int32_t width, int32_t height, int32_t limit_width,
               int32_t limit_height) {
  ForEachBlockRow(src, src_x, src_y, dst, dst_x, dst_y, width, height, limit_width, limit_height,
                  [](Pixel* to, const Pixel* from, int32_t n, const Pixel& edge, int32_t m) {
                    if (n > 0) __builtin_memcpy(to, from, static_cast<intptr_t>(n) * sizeof(Pixel));
                    for (int32_t i = n; i < n + m; ++i) to[i] = edge;
                  });
}

// The first neighbour of p, in the order left, up, right, down, that passes test; -1 if none.
template <typename Test>
int32_t FindNeighbour(const PuzzleFrame& frame, int32_t p, Test test) {
  constexpr Direction kSearchOrder[] = {kDirectionLeft, kDirectionUp, kDirectionRight, kDirectionDown};
  for (const Direction d : kSearchOrder) {
    const int32_t n = NeighbourPosition(p, d, frame.rows, frame.columns);
    if (n >= 0 && test(n)) return n;
  }
  return -1;
}

// Where a moving drawing stands: on the neighbour n's cell at fraction 0, travelling toward p's
// cell; the offset is truncated toward zero. Its size is tile t's own at fraction 0, otherwise
// that of the cell it travels into.
inline TileRect MovingDrawing(const PuzzleFrame& frame, int32_t p, int32_t n, int32_t t) {
  const TileRect& to = frame.grid[p];
  const TileRect& from = frame.grid[n];
  const TileRect& size = frame.move_fraction == 0.0 ? frame.grid[t] : to;
  return TileRect{from.x + TruncateToInt32(static_cast<double>(to.x - from.x) * frame.move_fraction),
                  from.y + TruncateToInt32(static_cast<double>(to.y - from.y) * frame.move_fraction),
                  size.width, size.height};
}

// The two ways a moving drawing meets the output: over it, under it.
struct PutOnTop {
  template <typename Pixel>
  void operator()(Pixel& dst, const Pixel& src) const {
    dst = CompositeOver(dst, src);
  }
};
struct PutUnderneath {
  template <typename Pixel>
  void operator()(Pixel& dst, const Pixel& src) const {
    dst = CompositeOver(src, dst);
  }
};

}  // namespace compose_detail

// Writes the frame into output, which the caller has cleared; returns the render's error value.
// err is the error recorded before this stage: if it is non-zero nothing is drawn and it is
// returned. Otherwise every position is drawn; the first non-zero result of progress or
// dispose_gap_image becomes the error value, after which neither is called again but drawing goes
// on. Progress is reported after each unchanged position and after the sliding tile, never for
// the gap. gap_image.data is null when the Missing Tile Layer supplied no pixels.
//
// input.width and input.height are the layer size: every drawing is kept within them, also in the
// output, which must have the input's height and a row stride of at least the input's width.
template <typename Pixel>
PF_Err ComposeFrame(const PuzzleFrame& frame, const PixelView<const Pixel>& input,
                    const PixelView<Pixel>& output, const PixelView<const Pixel>& gap_image,
                    const ComposeHost& host, PF_Err err) {
  using namespace compose_detail;
  if (err != 0) return err;

  const int32_t layer_width = input.width;
  const int32_t layer_height = input.height;
  const bool has_gap_image = gap_image.data != nullptr && gap_image.width > 0 && gap_image.height > 0;
  const bool gap_in_front = frame.position == 1;

  for (int32_t p = 0; p < frame.tile_count; ++p) {
    const int32_t t = frame.current_order[p];
    if (t == frame.previous_order[p]) {
      // Unchanged: tile t copied whole onto cell p. Cells that hold their own tile are copied
      // together with the following ones of their grid row that do too, as one block (the cells
      // of a grid row lie side by side): the same pixels, since nothing is drawn between them.
      const TileRect& cell = frame.grid[p];
      if (t == p) {
        int32_t last = p;
        const int32_t row_end = (p / frame.columns + 1) * frame.columns;
        while (last + 1 < row_end && frame.current_order[last + 1] == last + 1 &&
               frame.previous_order[last + 1] == last + 1) {
          ++last;
        }
        const int32_t run_width = frame.grid[last].x + frame.grid[last].width - cell.x;
        CopyBlock(input, cell.x, cell.y, output, cell.x, cell.y, run_width, cell.height, layer_width,
                  layer_height);
        for (; p < last; ++p) {
          if (err == 0) err = host.progress(host.refcon, p, frame.tile_count);
        }
      } else {
        const TileRect& tile = frame.grid[t];
        CopyBlock(input, tile.x, tile.y, output, cell.x, cell.y, cell.width, cell.height, layer_width,
                  layer_height);
      }
    } else if (t == frame.missing_tile_index) {
      // The gap: its image (if any) travels in from the cell the gap is leaving.
      if (!has_gap_image) continue;
      const int32_t n = FindNeighbour(
          frame, p, [&](int32_t q) { return frame.current_order[q] != frame.previous_order[q]; });
      if (n >= 0) {
        const TileRect at = MovingDrawing(frame, p, n, t);
        if (gap_in_front) {
          DrawBlock(gap_image, 0, 0, output, at.x, at.y, at.width, at.height, layer_width, layer_height,
                    PutOnTop{});
        } else {
          DrawBlock(gap_image, 0, 0, output, at.x, at.y, at.width, at.height, layer_width, layer_height,
                    PutUnderneath{});
        }
      }
      if (err == 0) err = host.dispose_gap_image(host.refcon);
      continue;  // no progress for the gap
    } else {
      // The sliding tile, travelling from the cell that now holds the gap.
      const int32_t n = FindNeighbour(
          frame, p, [&](int32_t q) { return frame.current_order[q] == frame.missing_tile_index; });
      if (n >= 0) {
        const TileRect at = MovingDrawing(frame, p, n, t);
        const TileRect& tile = frame.grid[t];
        if (gap_in_front) {
          DrawBlock(input, tile.x, tile.y, output, at.x, at.y, at.width, at.height, layer_width, layer_height,
                    PutUnderneath{});
        } else {
          DrawBlock(input, tile.x, tile.y, output, at.x, at.y, at.width, at.height, layer_width, layer_height,
                    PutOnTop{});
        }
      }
    }
    if (err == 0) err = host.progress(host.refcon, p, frame.tile_count);
  }
  return err;
}

#endif
