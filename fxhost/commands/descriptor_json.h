#pragma once
// The plug-in's descriptor (the property list the application reads before calling the plug-in), read
// without calling the plug-in (the library file's section on Linux, the loaded library's resource on
// Windows), as JSON for `fxhost info`.

#include <nlohmann/json.hpp>

#include "host/module.h"

namespace fxhost {

// The descriptor's fields; an empty object when the library carries none. A descriptor that is there
// but malformed gives {"error": "..."}: info still shows the rest.
nlohmann::json DescriptorJson(const host::Module& plugin);

}  // namespace fxhost
