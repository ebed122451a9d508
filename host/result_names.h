// Names of the result codes a plug-in command or a host function returns, for messages:
// "PF_Err_OUT_OF_MEMORY (4)".
#pragma once

#include <string>

namespace host {

// The code's name as the host interface declares it ("PF_Err_OUT_OF_MEMORY"); nullptr for a code it
// does not declare.
const char* result_name(long code);

// The name and the number, "PF_Err_OUT_OF_MEMORY (4)"; just the number for an undeclared code.
std::string result_text(long code);

}  // namespace host
