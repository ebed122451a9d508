// Shared by the fuzz targets: the effect's parameters as fxhost sees them, learnt from the plug-in
// once, and a check that stops the fuzzer with a message (a finding) when an expectation fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fxhost/cli/param_info.h"
#include "fxhost/commands/host_params.h"
#include "host/effect.h"
#include "host/module.h"
#include "host/session.h"

namespace fuzz {

// Ends the run as a finding when `ok` is false.
inline void Expect(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz finding: %s\n", what);
  std::abort();
}

// The parameters the 64-bit variant declares.
inline const std::vector<fxhost::ParamInfo>& EffectParams() {
  static const std::vector<fxhost::ParamInfo> params = [] {
    // Never unloaded: libFuzzer keeps counting in the code of every library it saw loaded.
    static const host::Module module = host::Module::open(ZELKRA_PLUGIN_CS5_PATH);
    host::Session session;
    host::Effect effect(module, session);
    Expect(effect.params_setup().err == PF_Err_NONE, "parameter set-up failed");
    return fxhost::ParamInfosFromStore(effect.params());
  }();
  return params;
}

}  // namespace fuzz
