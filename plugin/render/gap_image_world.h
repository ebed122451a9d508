// The gap image (the Missing Tile Layer shrunk to one tile) in a host world of the render's depth.
#pragma once

#include "entry/suite_handler.h"
#include "pf_host_interface.h"
#include "render/pixels/pixel_view.h"
#include "render/puzzle/tile_grid.h"
#include "render/render_setup.h"

// The gap image's world while it exists. It is disposed of through the world suite version 1 in
// every depth, so that suite is fetched before the world is made: a world that could not be
// disposed of is never made. Disposed of by Dispose, or when the holder goes.
class GapImageWorld {
 public:
  explicit GapImageWorld(PF_ProgPtr effect_ref) : effect_ref_(effect_ref) {}
  ~GapImageWorld() { Dispose(); }
  GapImageWorld(const GapImageWorld&) = delete;
  GapImageWorld& operator=(const GapImageWorld&) = delete;

  // Makes a width x height world of the depth; the pixels are not cleared.
  PF_Err Create(SuiteHandler& suites, const PF_WorldSuite2* world_suite2, PixelDepth depth, A_long width,
                A_long height);
  // Disposes of the world if it exists and forgets it; the host's result, 0 when there was none.
  PF_Err Dispose();

  bool exists() const { return disposer_ != nullptr; }
  const PF_EffectWorld& world() const { return world_; }
  PF_EffectWorld& world() { return world_; }

 private:
  PF_ProgPtr effect_ref_;
  PF_EffectWorld world_ = {};
  const PF_WorldSuite1* disposer_ = nullptr;  // set while the world exists
};

// Checks out the Missing Tile Layer, asks whether the user has cancelled, and when the layer has
// pixels and no error was recorded, resamples it into a tile-sized world in gap. The parameter is
// checked in on every way out. Returns the render's error value (err, if it was already set).
PF_Err MakeGapImage(const RenderContext& context, SuiteHandler& suites, const PF_WorldSuite2* world_suite2,
                    const TileRect& missing_tile, int32_t fit, GapImageWorld& gap, PF_Err err);
