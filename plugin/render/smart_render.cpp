// The render: set-up, the puzzle of the frame, the gap image, the walk, the composition, and the
// clean-up on every way out.
#include "entry/suite_handler.h"
#include "render/compose_frame.h"
#include "render/gap_image_world.h"
#include "render/puzzle/gap_walk.h"
#include "render/puzzle/tile_grid.h"
#include "render/puzzle/truncate.h"
#include "render/render_cleanup.h"
#include "render/render_handlers.h"
#include "render/render_setup.h"

namespace {

// What the composition's host callbacks reach.
struct ComposeRefcon {
  PF_InData* in_data;
  GapImageWorld* gap;
};

PF_Err ReportProgress(void* refcon, int32_t current, int32_t total) {
  PF_InData* in_data = static_cast<ComposeRefcon*>(refcon)->in_data;
  return in_data->inter.progress(in_data->effect_ref, current, total);
}

PF_Err DisposeGapImage(void* refcon) {
  return static_cast<ComposeRefcon*>(refcon)->gap->Dispose();
}

// The frame's puzzle before the walk: the tables hold the grid and the two orders at the start.
struct PuzzleStart {
  int32_t tile_count;
  int32_t missing;
  MoveStep step;
};

// The tables and the start of the walk for the frame; tile_count 0 when the layer has no pixels.
PF_Err StartPuzzle(const RenderContext& context, PuzzleInfo& info, RenderTables& tables, PuzzleStart& start) {
  PF_InData* in_data = context.in_data;
  start = PuzzleStart{};
  start.tile_count = ClampGridSize(context.width, context.height, info.rows, info.columns);
  if (start.tile_count <= 0) return PF_Err_NONE;

  const PF_Err err = tables.Allocate(start.tile_count, context.out_data);
  if (err != PF_Err_NONE) return err;
  BuildTileGrid(context.width, context.height, info.rows, info.columns, tables.grid());
  ResetTileOrder(tables.current_order(), start.tile_count);
  ResetTileOrder(tables.previous_order(), start.tile_count);
  start.missing = MissingTileIndex(info.missing_tile, start.tile_count);
  const double time_floor = in_data->utils->ansi.floor(info.time);
  const double time_ceil = in_data->utils->ansi.ceil(info.time);
  // Time is finite, so are its floor and ceiling: anything else is the host failing, and a walk
  // made of it would be a wrong picture reported as success.
  if (!IsFinite(time_floor) || !IsFinite(time_ceil)) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  start.step = FrameMoveStep(info.time, time_ceil, time_floor);
  return PF_Err_NONE;
}

// Everything after the set-up, in the depth whose pixel type is Pixel: the puzzle of the frame,
// its gap image and its picture. The holders belong to the caller, which frees them.
template <typename Pixel>
PF_Err RenderPuzzle(const RenderContext& context, PuzzleInfo& info, SuiteHandler& suites,
                    const PF_WorldSuite2* world_suite2, RenderTables& tables, GapImageWorld& gap) {
  PuzzleStart start{};
  PF_Err err = StartPuzzle(context, info, tables, start);
  // A layer without pixels has no tiles: the output stays cleared.
  if (err != PF_Err_NONE || start.tile_count <= 0) return err;

  err = MakeGapImage<Pixel>(context, suites, world_suite2, tables.grid()[start.missing], info.fit, gap, err);
  if (err == PF_Err_NONE) {
    WalkGap(GapWalkSettings{info.seed, info.return_flag, info.rows, info.columns, start.step.move_count,
                            start.missing},
            tables.current_order(), tables.previous_order());
  }
  const PuzzleFrame frame{
      tables.grid(),    tables.current_order(), tables.previous_order(),  info.rows,    info.columns,
      start.tile_count, start.missing,          start.step.move_fraction, info.position};
  const PixelView<const Pixel> gap_image =
      gap.exists() ? WorldView<const Pixel>(gap.world()) : PixelView<const Pixel>{nullptr, 0, 0, 0};
  ComposeRefcon refcon{context.in_data, &gap};
  const ComposeHost host{&refcon, ReportProgress, DisposeGapImage};
  return ComposeFrame<Pixel>(frame, WorldView<const Pixel>(*context.input), WorldView<Pixel>(*context.output),
                             gap_image, host, err);
}

}  // namespace

PF_Err SmartRender(PF_InData* in_data, PF_OutData* out_data, PF_SmartRenderExtra* extra) {
  SuiteHandler suites(in_data->pica_basicP);
  // Declared in the order of acquisition, so that leaving by a thrown error code frees the gap
  // image, then the tables, then the world suite version 2, then the SuiteHandler's suites.
  WorldSuite2Hold world_suite2(in_data, out_data);
  RenderTables tables(in_data);
  GapImageWorld gap(in_data->effect_ref);

  PuzzleInfo* info = nullptr;
  RenderContext context{};
  PF_Err err = SetUpRender(in_data, out_data, extra, suites, world_suite2, &info, context);
  if (err == PF_Err_NONE) {
    // The one choice of depth: everything after the set-up is written over the pixel type.
    switch (context.depth) {
      case kPixelDepth8:
        err = RenderPuzzle<PF_Pixel>(context, *info, suites, world_suite2.suite(), tables, gap);
        break;
      case kPixelDepth16:
        err = RenderPuzzle<PF_Pixel16>(context, *info, suites, world_suite2.suite(), tables, gap);
        break;
      case kPixelDepthFloat:
        err = RenderPuzzle<PF_PixelFloat>(context, *info, suites, world_suite2.suite(), tables, gap);
        break;
    }
  }

  // The clean-up: the first error recorded is the one returned.
  const PF_Err dispose_err = gap.Dispose();
  if (err == PF_Err_NONE) err = dispose_err;
  tables.Dispose();
  const PF_Err release_err = world_suite2.Release();
  if (err == PF_Err_NONE) err = release_err;
  return err;
}
