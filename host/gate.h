// The one place every host operation passes through before it does anything: the call is logged
// with its arguments, counted, and checked against the fault plan of the calling thread's session.
//
//   PF_Handle host_new_handle(A_HandleSize size) {
//     if (auto fault = gate("host_new_handle", size)) return nullptr;  // fails its own way
//     ...
//
// The operation name is its stable name for logs and fault plans: the host function's own name.
// A call made outside any command (no current session) is reported on stderr and fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/call_log.h"
#include "host/fault_plan.h"

namespace host {

std::optional<Fault> pass_gate(std::string_view op, std::string args);
// The gate of a session whose call log is not recording: the arguments are not even formatted.
std::optional<Fault> pass_gate_unrecorded(std::string_view op);
// Whether the calling thread's session records calls (true outside any session: the call is refused
// with its arguments printed).
bool gate_records();

template <typename... Args>
std::optional<Fault> gate(std::string_view op, const Args&... args) {
  if (!gate_records()) return pass_gate_unrecorded(op);
  return pass_gate(op, describe_args(args...));
}

}  // namespace host
