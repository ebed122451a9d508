#include "host/effect_controls.h"

#include <atomic>
#include <string>

namespace host {

namespace {

// Tokens for references and effect ids: never zero, never reused.
std::uintptr_t next_token() {
  static std::atomic<std::uintptr_t> next{0};
  return (next.fetch_add(1) + 1) * 16;  // aligned like a pointer, in case a plug-in checks
}

std::string stream_key(PF_ParamIndex index) {
  return "param " + std::to_string(index);
}

}  // namespace

EffectControls::EffectControls(Ledger& ledger)
    : ledger_(ledger), id_(static_cast<A_u_long>(next_token() / 16)) {}

AEGP_EffectRefH EffectControls::new_effect() {
  const std::uintptr_t token = next_token();
  {
    std::lock_guard lock(mutex_);
    refs_.emplace(token, std::nullopt);
  }
  ledger_.acquire(Resource::EffectRef);
  return reinterpret_cast<AEGP_EffectRefH>(token);
}

bool EffectControls::holds(AEGP_EffectRefH effect) const {
  std::lock_guard lock(mutex_);
  auto it = refs_.find(reinterpret_cast<std::uintptr_t>(effect));
  return it != refs_.end() && !it->second;
}

bool EffectControls::dispose(AEGP_EffectRefH effect) {
  {
    std::lock_guard lock(mutex_);
    auto it = refs_.find(reinterpret_cast<std::uintptr_t>(effect));
    if (it == refs_.end() || it->second) return false;
    refs_.erase(it);
  }
  ledger_.release(Resource::EffectRef);
  return true;
}

AEGP_StreamRefH EffectControls::new_stream(PF_ParamIndex index) {
  const std::uintptr_t token = next_token();
  {
    std::lock_guard lock(mutex_);
    refs_.emplace(token, index);
  }
  ledger_.acquire(Resource::StreamRef, stream_key(index));
  return reinterpret_cast<AEGP_StreamRefH>(token);
}

std::optional<PF_ParamIndex> EffectControls::stream_param(AEGP_StreamRefH stream) const {
  std::lock_guard lock(mutex_);
  auto it = refs_.find(reinterpret_cast<std::uintptr_t>(stream));
  return it == refs_.end() ? std::nullopt : it->second;
}

bool EffectControls::dispose(AEGP_StreamRefH stream) {
  PF_ParamIndex index = 0;
  {
    std::lock_guard lock(mutex_);
    auto it = refs_.find(reinterpret_cast<std::uintptr_t>(stream));
    if (it == refs_.end() || !it->second) return false;
    index = *it->second;
    refs_.erase(it);
  }
  ledger_.release(Resource::StreamRef, stream_key(index));
  return true;
}

void EffectControls::set_flag(PF_ParamIndex index, AEGP_DynStreamFlags flag, bool set, bool undoable) {
  std::lock_guard lock(mutex_);
  AEGP_DynStreamFlags& flags = flags_[index];
  flags = set ? (flags | flag) : (flags & ~flag);
  if (undoable) undo_history_.push_back({index, flag, set});
}

AEGP_DynStreamFlags EffectControls::flags(PF_ParamIndex index) const {
  std::lock_guard lock(mutex_);
  auto it = flags_.find(index);
  return it == flags_.end() ? 0 : it->second;
}

std::vector<StreamFlagChange> EffectControls::undo_history() const {
  std::lock_guard lock(mutex_);
  return undo_history_;
}

}  // namespace host
