// The parameters a plug-in declared with add_param, and their values over time.
//
// Index 0 is the effect's input layer, present from the start; add_param appends after it. Each
// definition is kept as declared, with its strings (name, popup choices, checkbox label) copied:
// the plug-in's pointers are not kept. A value is a constant or a list of keyframes; between keys it
// is interpolated linearly (popups and checkboxes hold the earlier key), outside them the nearest
// key holds. Values are in the parameter's own units: percent for a fixed slider (100 is 100 %),
// the choice number for a popup, 0 or 1 for a checkbox. Values are passed on as set, even outside
// the declared ranges, so tests can probe them. Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pf_host_interface.h"

namespace host {

struct Keyframe {
  double seconds;
  double value;
};

struct Parameter {
  PF_ParamDef def{};  // as declared; its string pointers point at the copies below
  std::string choices;
  std::string label;
  double constant = 0;
  std::vector<Keyframe> keys;    // empty: the value is `constant`
  std::uint64_t changed_at = 0;  // the store's revision when its value, keys or layer last changed
  std::string name() const { return def.name; }
};

class ParamStore {
 public:
  ParamStore();
  ParamStore(const ParamStore&) = delete;
  ParamStore& operator=(const ParamStore&) = delete;

  // Appends a copy of `def`. PF_Err_UNRECOGNIZED_PARAM_TYPE for a type this host does not know.
  PF_Err declare(const PF_ParamDef& def);

  std::size_t size() const;
  // A copy of the parameter at `index`; throws std::out_of_range for a wrong index.
  Parameter at(PF_ParamIndex index) const;
  std::optional<PF_ParamIndex> find(std::string_view name) const;

  void set_value(PF_ParamIndex index, double value);
  // Keys in any order; an empty list makes the value constant again (the last one set).
  void set_keyframes(PF_ParamIndex index, std::vector<Keyframe> keys);
  double value_at(PF_ParamIndex index, double seconds) const;

  // Notes a change the store cannot see, such as another layer chosen for a layer parameter.
  void touch(PF_ParamIndex index);
  // Counts the changes to any parameter's value, keys or layer: it grows with each change, and
  // setting what a parameter already holds is no change.
  std::uint64_t revision() const;

  // Writes the definition of `index` into `out` with its value at `seconds`. A layer comes back
  // without pixels; whoever supplies layers fills `out.u.ld` afterwards.
  void checkout(PF_ParamIndex index, double seconds, PF_ParamDef& out) const;

 private:
  const Parameter& get(PF_ParamIndex index) const;  // caller holds mutex_
  Parameter& get(PF_ParamIndex index);
  void note_change(Parameter& param) { param.changed_at = ++revision_; }  // caller holds mutex_

  mutable std::mutex mutex_;
  std::deque<Parameter> params_;  // a deque keeps each Parameter, and its strings, in place
  std::uint64_t revision_ = 0;
};

// The declared value of a definition, in the parameter's own units.
double declared_value(const PF_ParamDef& def);

}  // namespace host
