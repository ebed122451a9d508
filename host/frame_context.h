// The host's state of one frame being rendered: its layers in the frame's depth, its output world,
// the worlds the plug-in made, the layer checkouts, and what the plug-in asked for. The callbacks
// of a render find it through the calling thread: a FrameScope makes it current around the
// frame's commands, so frames on several threads never see each other's.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/render_frame.h"
#include "host/world_buffer.h"

namespace host {

class FrameContext {
 public:
  FrameContext(Effect& effect, const FrameRequest& request);
  // Worlds the plug-in made and never disposed of are freed here; the ledger keeps showing them.
  ~FrameContext();
  FrameContext(const FrameContext&) = delete;
  FrameContext& operator=(const FrameContext&) = delete;

  // The frame current on this thread for `effect_ref`, or null (the misuse noted).
  static FrameContext* current(PF_ProgPtr effect_ref);
  // The frame current on this thread for `effect`, or null; nothing noted.
  static FrameContext* current_for(const Effect& effect);

  Effect& effect() { return effect_; }
  const FrameRequest& request() const { return request_; }

  // checkout_layer: records the call, counts the checkout, answers the result rectangles.
  PF_Err checkout_layer(PF_ParamIndex index, A_long checkout_id, const PF_RenderRequest& request,
                        A_long what_time, A_long time_step, A_u_long time_scale, PF_CheckoutResult& result);
  // checkout_layer_pixels / checkin_layer_pixels of an id checked out in pre-render.
  PF_Err checkout_layer_pixels(A_long checkout_id, PF_EffectWorld** pixels);
  PF_Err checkin_layer_pixels(A_long checkout_id);
  PF_Err checkout_output(PF_EffectWorld** output);
  // Fills a layer parameter's definition with the frame's layer of that index (null data if none).
  void supply_layer(PF_ParamIndex index, PF_LayerDef& layer) const;

  // Worlds made for the plug-in; counted in the ledger as Resource::World.
  PF_Err new_world(A_long width, A_long height, PixelDepth depth, bool clear, PF_EffectWorld& world);
  PF_Err dispose_world(const PF_EffectWorld& world);

  PF_Err abort();
  PF_Err progress(A_long current, A_long total);

  // Ends the frame as the application does: layer checkouts still open are released.
  void release_checkouts();
  std::vector<LayerCheckoutCall> layer_checkouts() const;
  std::vector<std::pair<A_long, A_long>> progress_calls() const;
  long abort_calls() const;
  WorldBuffer take_output() { return std::move(output_); }

 private:
  // The frame's layer of a parameter index in the frame's depth, or null.
  const WorldBuffer* layer(PF_ParamIndex index) const;

  Effect& effect_;
  const FrameRequest& request_;
  std::map<PF_ParamIndex, const WorldBuffer*> layers_;   // in the frame's depth
  std::vector<std::unique_ptr<WorldBuffer>> converted_;  // layers converted for this frame
  PF_EffectWorld input_record_;                          // what checkout_layer_pixels hands out
  WorldBuffer output_;

  mutable std::mutex mutex_;                   // the plug-in may call from the render's own threads
  std::map<A_long, PF_ParamIndex> checkouts_;  // checkout id -> parameter index
  std::map<A_long, long> pixel_checkouts_;     // checkout id -> pixel checkouts not checked in
  std::vector<LayerCheckoutCall> checkout_calls_;
  std::map<const void*, std::unique_ptr<WorldBuffer>> worlds_;  // by platform_ref
  std::vector<std::pair<A_long, A_long>> progress_;
  std::atomic<long> progress_count_{0};  // progress calls, also when they are not recorded
  long abort_calls_ = 0;
};

// Makes `frame` the calling thread's current frame for its lifetime.
class FrameScope {
 public:
  explicit FrameScope(FrameContext& frame);
  ~FrameScope();
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;

 private:
  FrameContext* previous_;
};

}  // namespace host
