// Application ids as four-character codes ("FXTC" for After Effects, "PrMr" for Premiere Pro).
#pragma once

#include <string>
#include <string_view>

#include "pf_host_interface.h"

namespace host {

// The id of a four-character code; throws std::invalid_argument for any other length.
A_long app_id_from_code(std::string_view code);
std::string app_id_code(A_long app_id);

}  // namespace host
