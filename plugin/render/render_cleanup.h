// What the render holds for its whole run and must give back on every way out, also when a suite
// missing mid-render throws its error code through the render. Each holder gives its resource back
// explicitly in the normal clean-up (returning the host's result) and otherwise when it goes out of
// scope. They live on the render's stack, in the order that makes the unwinding free them as the
// clean-up does: the gap image, the tables, the world suite version 2, the SuiteHandler's suites.
#pragma once

#include "entry/new_handle.h"
#include "pf_host_interface.h"
#include "render/puzzle/tile_grid.h"

// "PF World Suite" version 2, acquired and released with the user told about a failure.
class WorldSuite2Hold {
 public:
  WorldSuite2Hold(PF_InData* in_data, PF_OutData* out_data) : in_data_(in_data), out_data_(out_data) {}
  ~WorldSuite2Hold() { Release(); }
  WorldSuite2Hold(const WorldSuite2Hold&) = delete;
  WorldSuite2Hold& operator=(const WorldSuite2Hold&) = delete;

  PF_Err Acquire();
  // Releases the suite if it is held; the result of the release (0 when nothing was held).
  PF_Err Release();
  const PF_WorldSuite2* suite() const { return suite_; }

 private:
  PF_InData* in_data_;
  PF_OutData* out_data_;
  const PF_WorldSuite2* suite_ = nullptr;
};

// The tile grid and the two tile orders, each in a host handle of its own, read and written
// through the handle without locking.
class RenderTables {
 public:
  explicit RenderTables(PF_InData* in_data) : in_data_(in_data) {}
  ~RenderTables() { Dispose(); }  // in the order of the normal clean-up
  RenderTables(const RenderTables&) = delete;
  RenderTables& operator=(const RenderTables&) = delete;

  // Makes the three handles for tile_count tiles, in the order grid, current, previous. When one
  // cannot be made, "Memory Error!" is shown and the result is PF_Err_INTERNAL_STRUCT_DAMAGED.
  PF_Err Allocate(int32_t tile_count, PF_OutData* out_data);
  // Frees the handles that exist, in the order grid, current, previous, and forgets them.
  void Dispose();

  TileRect* grid() const { return static_cast<TileRect*>(*grid_.get()); }
  int32_t* current_order() const { return static_cast<int32_t*>(*current_.get()); }
  int32_t* previous_order() const { return static_cast<int32_t*>(*previous_.get()); }

 private:
  PF_InData* in_data_;
  // Made and disposed of through the utility callbacks.
  NewHandle grid_;
  NewHandle current_;
  NewHandle previous_;
};
