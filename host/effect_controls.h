// What the plug-in reaches of its effect's controls through the application's AEGP suites: effect
// references, parameter streams, the dynamic flags set on those streams, and the undo history such
// changes enter when they are made undoable.
//
// References are opaque tokens, unique across the process and never reused, so a reference that is
// stale, made up or another effect's is recognised and refused, never dereferenced. Each held one is
// counted in the session's ledger (Resource::EffectRef, Resource::StreamRef "param N"). Thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "host/ledger.h"
#include "pf_host_interface.h"

namespace host {

// One change of a dynamic stream flag.
struct StreamFlagChange {
  PF_ParamIndex index;
  AEGP_DynStreamFlags flag;
  bool set;
  bool operator==(const StreamFlagChange&) const = default;
};

class EffectControls {
 public:
  explicit EffectControls(Ledger& ledger);
  EffectControls(const EffectControls&) = delete;
  EffectControls& operator=(const EffectControls&) = delete;

  // A number that tells this effect's records from other effects' (see the state records of the
  // "PF Param Utils Suite").
  A_u_long id() const { return id_; }

  AEGP_EffectRefH new_effect();
  bool holds(AEGP_EffectRefH effect) const;
  // False for a reference this effect does not hold.
  bool dispose(AEGP_EffectRefH effect);

  AEGP_StreamRefH new_stream(PF_ParamIndex index);
  // The parameter of a stream this effect holds.
  std::optional<PF_ParamIndex> stream_param(AEGP_StreamRefH stream) const;
  // False for a stream this effect does not hold.
  bool dispose(AEGP_StreamRefH stream);

  // Sets or clears `flag` on the parameter's stream; an undoable change enters the undo history.
  void set_flag(PF_ParamIndex index, AEGP_DynStreamFlags flag, bool set, bool undoable);
  AEGP_DynStreamFlags flags(PF_ParamIndex index) const;
  bool hidden(PF_ParamIndex index) const { return (flags(index) & AEGP_DynStreamFlag_HIDDEN) != 0; }
  std::vector<StreamFlagChange> undo_history() const;

 private:
  Ledger& ledger_;
  const A_u_long id_;
  mutable std::mutex mutex_;
  std::map<std::uintptr_t, std::optional<PF_ParamIndex>> refs_;  // held: effects (no index), streams
  std::map<PF_ParamIndex, AEGP_DynStreamFlags> flags_;
  std::vector<StreamFlagChange> undo_history_;
};

}  // namespace host
