#pragma once
// The parameters a plug-in declared to the host (add_param), as fxhost describes them to the user, and
// the user's settings handed to the host. Nothing here knows any particular effect.

#include <span>
#include <vector>

#include "fxhost/cli/param_info.h"
#include "fxhost/cli/param_setting.h"
#include "fxhost/frames/time_base.h"
#include "host/param_store.h"

namespace fxhost {

// Every declared parameter after the input layer (index 0), in index order. A parameter of a type
// fxhost cannot set is left out.
std::vector<ParamInfo> ParamInfosFromStore(const host::ParamStore& store);

// Gives the host each setting's values. A constant becomes the parameter's value. Animated settings are
// evaluated by fxhost (ValueAt, in frames) and handed over as one host keyframe at each of `frames` and
// at each of the setting's own keys: every rendered frame then gets exactly the value its frame number
// gives, whatever rounding the frame rate brings into host seconds. Layer settings are not values: the
// caller supplies their pictures with each frame.
void ApplySettings(host::ParamStore& store, std::span<const ParamSetting> settings,
                   std::span<const int> frames, const TimeBase& time);

}  // namespace fxhost
