// The render: set-up, the puzzle of the frame, the gap image, the walk, the composition, and the
// clean-up on every way out.
#include "entry/suite_handler.h"
#include "render/compose_frame.h"
#include "render/gap_image_world.h"
#include "render/puzzle/gap_walk.h"
#include "render/puzzle/tile_grid.h"
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

template <typename Pixel>
PF_Err ComposeAtDepth(const RenderContext& context, const PuzzleFrame& frame, GapImageWorld& gap,
                      PF_Err err) {
  const PixelView<const Pixel> input{ContextPixels<Pixel>::Input(context), context.width, context.height,
                                     context.input_stride};
  const PixelView<Pixel> output{ContextPixels<Pixel>::Output(context), context.output->width,
                                context.output->height, context.output_stride};
  const PixelView<const Pixel> gap_image =
      gap.exists() ? WorldView<const Pixel>(gap.world()) : PixelView<const Pixel>{nullptr, 0, 0, 0};
  ComposeRefcon refcon{context.in_data, &gap};
  const ComposeHost host{&refcon, ReportProgress, DisposeGapImage};
  return ComposeFrame<Pixel>(frame, input, output, gap_image, host, err);
}

PF_Err Compose(const RenderContext& context, const PuzzleFrame& frame, GapImageWorld& gap, PF_Err err) {
  switch (context.depth) {
    case kPixelDepth8:
      return ComposeAtDepth<PF_Pixel>(context, frame, gap, err);
    case kPixelDepth16:
      return ComposeAtDepth<PF_Pixel16>(context, frame, gap, err);
    case kPixelDepthFloat:
      return ComposeAtDepth<PF_PixelFloat>(context, frame, gap, err);
  }
  return err;
}

// Everything after the set-up: the puzzle of the frame and its picture. The holders belong to the
// caller, which frees them.
PF_Err RenderPuzzle(const RenderContext& context, PuzzleInfo& info, SuiteHandler& suites,
                    const PF_WorldSuite2* world_suite2, RenderTables& tables, GapImageWorld& gap) {
  PF_InData* in_data = context.in_data;
  const int32_t tile_count = ClampGridSize(context.width, context.height, info.rows, info.columns);
  // A layer without pixels has no tiles: the output stays cleared.
  if (tile_count <= 0) return PF_Err_NONE;

  PF_Err err = tables.Allocate(tile_count, context.out_data);
  if (err != PF_Err_NONE) return err;
  BuildTileGrid(context.width, context.height, info.rows, info.columns, tables.grid());
  ResetTileOrder(tables.current_order(), tile_count);
  ResetTileOrder(tables.previous_order(), tile_count);
  const int32_t missing = MissingTileIndex(info.missing_tile, tile_count);
  const MoveStep step =
      FrameMoveStep(info.time, in_data->utils->ansi.ceil(info.time), in_data->utils->ansi.floor(info.time));

  err = MakeGapImage(context, suites, world_suite2, tables.grid()[missing], info.fit, gap, err);

  if (err == PF_Err_NONE) {
    WalkGap(GapWalkSettings{info.seed, info.return_flag, info.rows, info.columns, step.move_count, missing},
            tables.current_order(), tables.previous_order());
  }
  const PuzzleFrame frame{tables.grid(), tables.current_order(), tables.previous_order(),
                          info.rows,     info.columns,           tile_count,
                          missing,       step.move_fraction,     info.position};
  return Compose(context, frame, gap, err);
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
  if (err == PF_Err_NONE) err = RenderPuzzle(context, *info, suites, world_suite2.suite(), tables, gap);

  // The clean-up: the first error recorded is the one returned.
  const PF_Err dispose_err = gap.Dispose();
  if (err == PF_Err_NONE) err = dispose_err;
  tables.Dispose();
  const PF_Err release_err = world_suite2.Release();
  if (err == PF_Err_NONE) err = release_err;
  return err;
}
