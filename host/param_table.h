// The declared parameters as text, for people: one line per parameter with its index, name, type,
// ranges and default.
#pragma once

#include <string>

#include "host/param_store.h"

namespace host {

std::string param_type_name(PF_ParamType type);
std::string format_param_table(const ParamStore& params);

}  // namespace host
