#pragma once
// `--inject-fault`, a testing aid: host operations the host makes fail on purpose, to see how the
// plug-in and fxhost cope. Each value is OP:N (the Nth call of OP fails), OP:N+ (the Nth call and every
// later one), either followed by @render to count OP's calls from the first frame on instead of from
// the session's start (where global set-up makes the first calls).

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/fault_plan.h"

namespace fxhost {

// One value of the option. Throws InputError naming the value: a malformed one, or an OP that is not a
// host operation.
host::FaultRule ParseFaultOption(std::string_view text);

std::vector<host::FaultRule> ParseFaultOptions(std::span<const std::string> texts);

// What `fxhost faults` prints: the forms above and every operation with the way it fails.
std::string FaultOptionHelp();

}  // namespace fxhost
