#include "host/frame_context.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "host/session.h"
#include "host/world_convert.h"

namespace host {
namespace {

thread_local FrameContext* tls_frame = nullptr;

// The bytes a world made without the clear flag starts with: whatever a plug-in reads from such a
// world before writing it shows up as this, not as a convenient zero.
constexpr unsigned char kUnclearedByte = 0xCD;

std::string checkout_key(A_long checkout_id) {
  return "checkout id " + std::to_string(checkout_id);
}
std::string pixels_key(A_long checkout_id) {
  return "pixels id " + std::to_string(checkout_id);
}

PF_LRect bounds_of(const WorldBuffer* layer) {
  if (layer == nullptr) return {};
  return {0, 0, layer->width(), layer->height()};
}

PF_LRect intersection(const PF_LRect& a, const PF_LRect& b) {
  PF_LRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
             std::min(a.bottom, b.bottom)};
  if (r.left >= r.right || r.top >= r.bottom) return {};
  return r;
}

WorldBuffer make_output(const FrameRequest& request) {
  if (request.input == nullptr) throw std::invalid_argument("a frame needs an input layer");
  const A_long width = request.output_width.value_or(request.input->width());
  const A_long height = request.output_height.value_or(request.input->height());
  WorldBuffer* recycled = request.recycled_output;
  if (recycled != nullptr && recycled->width() == width && recycled->height() == height &&
      recycled->depth() == request.depth && recycled->row_padding() == request.output_row_padding) {
    // As a new world starts: every byte zero, padding included, then the fill.
    WorldBuffer output = std::move(*recycled);
    if (output.world().data != nullptr) {
      std::memset(output.world().data, 0,
                  static_cast<std::size_t>(output.rowbytes()) * static_cast<std::size_t>(height));
    }
    if (request.output_fill) output.Fill(*request.output_fill);
    return output;
  }
  WorldBuffer output(width, height, request.depth, request.output_row_padding);
  if (request.output_fill) output.Fill(*request.output_fill);
  return output;
}

}  // namespace

FrameContext::FrameContext(Effect& effect, const FrameRequest& request)
    : effect_(effect), request_(request), input_record_{}, output_(make_output(request)) {
  auto add_layer = [&](PF_ParamIndex index, const WorldBuffer* layer) {
    if (layer == nullptr) return;
    if (layer->depth() != request.depth) {
      converted_.push_back(std::make_unique<WorldBuffer>(ConvertWorld(*layer, request.depth)));
      layer = converted_.back().get();
    }
    layers_[index] = layer;
  };
  add_layer(0, request.input);
  for (const auto& [index, layer] : request.layers) {
    if (index != 0) add_layer(index, layer);
  }
  input_record_ = layers_.at(0)->world();
  if (request.edit_input_record) request.edit_input_record(input_record_);
}

FrameContext::~FrameContext() = default;

FrameContext* FrameContext::current(PF_ProgPtr effect_ref) {
  Effect* effect = Effect::from_ref(effect_ref);
  if (effect == nullptr) return nullptr;
  if (FrameContext* frame = current_for(*effect)) return frame;
  effect->session().ledger().note_misuse("a render callback outside any frame");
  return nullptr;
}

FrameContext* FrameContext::current_for(const Effect& effect) {
  return tls_frame != nullptr && &tls_frame->effect_ == &effect ? tls_frame : nullptr;
}

const WorldBuffer* FrameContext::layer(PF_ParamIndex index) const {
  const auto found = layers_.find(index);
  return found == layers_.end() ? nullptr : found->second;
}

void FrameContext::supply_layer(PF_ParamIndex index, PF_LayerDef& def) const {
  const WorldBuffer* source = layer(index);
  if (source != nullptr) def = source->world();
}

PF_Err FrameContext::checkout_layer(PF_ParamIndex index, A_long checkout_id, const PF_RenderRequest& req,
                                    A_long what_time, A_long time_step, A_u_long time_scale,
                                    PF_CheckoutResult& result) {
  if (index < 0 || static_cast<std::size_t>(index) >= effect_.params().size()) return PF_Err_INVALID_INDEX;
  if (effect_.params().at(index).def.param_type != PF_Param_LAYER) return PF_Err_BAD_CALLBACK_PARAM;
  {
    std::lock_guard lock(mutex_);
    checkout_calls_.push_back({index, checkout_id, req, what_time, time_step, time_scale});
    if (checkouts_.count(checkout_id) != 0) {
      effect_.session().ledger().note_misuse("checkout_layer twice under one checkout id");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    checkouts_[checkout_id] = index;
  }
  effect_.session().ledger().acquire(Resource::LayerCheckout, checkout_key(checkout_id));

  if (request_.checkout_answer) {
    result = *request_.checkout_answer;
    return PF_Err_NONE;
  }
  const WorldBuffer* source = layer(index);
  result = PF_CheckoutResult{};
  result.max_result_rect = bounds_of(source);
  result.result_rect = intersection(req.rect, result.max_result_rect);
  result.par = {1, 1};
  result.ref_width = source != nullptr ? source->width() : 0;
  result.ref_height = source != nullptr ? source->height() : 0;
  return PF_Err_NONE;
}

PF_Err FrameContext::checkout_layer_pixels(A_long checkout_id, PF_EffectWorld** pixels) {
  if (pixels == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *pixels = nullptr;
  PF_ParamIndex index = 0;
  {
    std::lock_guard lock(mutex_);
    const auto found = checkouts_.find(checkout_id);
    if (found == checkouts_.end()) {
      effect_.session().ledger().note_misuse("checkout_layer_pixels of an id not checked out in pre-render");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    index = found->second;
    ++pixel_checkouts_[checkout_id];
  }
  effect_.session().ledger().acquire(Resource::LayerCheckout, pixels_key(checkout_id));
  if (index == 0) {
    *pixels = &input_record_;
  } else if (const WorldBuffer* source = layer(index)) {
    // Another layer: its record as it is (only the input's may be edited by a test).
    *pixels = const_cast<PF_EffectWorld*>(&source->world());
  }
  return PF_Err_NONE;
}

PF_Err FrameContext::checkin_layer_pixels(A_long checkout_id) {
  {
    std::lock_guard lock(mutex_);
    const auto found = pixel_checkouts_.find(checkout_id);
    if (found == pixel_checkouts_.end() || found->second == 0) {
      effect_.session().ledger().note_misuse("checkin_layer_pixels of pixels not checked out");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    --found->second;
  }
  effect_.session().ledger().release(Resource::LayerCheckout, pixels_key(checkout_id));
  return PF_Err_NONE;
}

PF_Err FrameContext::checkout_output(PF_EffectWorld** output) {
  if (output == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  *output = &output_.world();
  return PF_Err_NONE;
}

void FrameContext::release_checkouts() {
  std::lock_guard lock(mutex_);
  Ledger& ledger = effect_.session().ledger();
  for (auto& [id, count] : pixel_checkouts_) {
    for (; count > 0; --count) ledger.release(Resource::LayerCheckout, pixels_key(id));
  }
  for (const auto& entry : checkouts_) ledger.release(Resource::LayerCheckout, checkout_key(entry.first));
  checkouts_.clear();
}

PF_Err FrameContext::new_world(A_long width, A_long height, PixelDepth depth, bool clear,
                               PF_EffectWorld& world) {
  if (const PF_Err err = CheckWorldSize(width, height, depth); err != PF_Err_NONE) return err;
  std::unique_ptr<WorldBuffer> buffer;
  try {
    buffer = std::make_unique<WorldBuffer>(width, height, depth);
  } catch (const std::bad_alloc&) {
    return PF_Err_OUT_OF_MEMORY;
  }
  if (!clear && buffer->world().data != nullptr) {
    std::memset(buffer->world().data, kUnclearedByte,
                static_cast<std::size_t>(buffer->rowbytes()) * static_cast<std::size_t>(height));
  }
  world = buffer->world();
  {
    std::lock_guard lock(mutex_);
    worlds_[world.platform_ref] = std::move(buffer);
  }
  effect_.session().ledger().acquire(Resource::World);
  return PF_Err_NONE;
}

PF_Err FrameContext::dispose_world(const PF_EffectWorld& world) {
  {
    std::lock_guard lock(mutex_);
    const auto found = worlds_.find(world.platform_ref);
    if (found == worlds_.end() || !found->second->Describes(world)) {
      effect_.session().ledger().note_misuse("dispose of a world this frame did not make");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    worlds_.erase(found);
  }
  effect_.session().ledger().release(Resource::World);
  return PF_Err_NONE;
}

PF_Err FrameContext::abort() {
  std::lock_guard lock(mutex_);
  ++abort_calls_;
  const long from = request_.cancel_from_abort_call;
  return from > 0 && abort_calls_ >= from ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

PF_Err FrameContext::progress(A_long current, A_long total) {
  const long calls = progress_count_.fetch_add(1, std::memory_order_relaxed) + 1;
  if (request_.record_progress) {
    std::lock_guard lock(mutex_);
    progress_.emplace_back(current, total);
  }
  const long from = request_.cancel_from_progress_call;
  return from > 0 && calls >= from ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

std::vector<LayerCheckoutCall> FrameContext::layer_checkouts() const {
  std::lock_guard lock(mutex_);
  return checkout_calls_;
}

std::vector<std::pair<A_long, A_long>> FrameContext::progress_calls() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

long FrameContext::abort_calls() const {
  std::lock_guard lock(mutex_);
  return abort_calls_;
}

FrameScope::FrameScope(FrameContext& frame) : previous_(tls_frame) {
  tls_frame = &frame;
}

FrameScope::~FrameScope() {
  tls_frame = previous_;
}

}  // namespace host
