#pragma once
// The plug-in's descriptor (the property list the application reads before calling the plug-in), read
// from the library file without loading it, as JSON for `fxhost info`.

#include <filesystem>
#include <nlohmann/json.hpp>

namespace fxhost {

// The descriptor's fields; an empty object when the library carries none. A descriptor that is there
// but malformed gives {"error": "..."}: info still shows the rest.
nlohmann::json DescriptorJson(const std::filesystem::path& plugin);

}  // namespace fxhost
