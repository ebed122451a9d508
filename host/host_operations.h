// Every operation the host offers a plug-in under its stable name (the name the call log records
// and a fault plan takes), with the way it fails when a fault plan makes it fail.
#pragma once

#include <span>
#include <string_view>

namespace host {

struct HostOperation {
  std::string_view name;
  std::string_view failure;  // what the failing call answers
};

// In the order of the areas of the host: basic suite, handles, ANSI functions, callbacks, smart-render
// callbacks, worlds, sampling, parameter utilities, AEGP services.
std::span<const HostOperation> host_operations();

// Whether `name` is one of them.
bool is_host_operation(std::string_view name);

}  // namespace host
