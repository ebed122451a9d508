// The suite tables the host offers, by name and version, and the basic suite that hands them out.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>

#include "pf_host_interface.h"

namespace host {

class SuiteRegistry {
 public:
  // Offers `table` under (name, version). The table must outlive the registry (static tables do).
  void add(std::string name, int32_t version, const void* table);
  // Withdraws a suite, so acquiring it fails as with a host that lacks it.
  void remove(std::string_view name, int32_t version);
  // The table of (name, version), or null.
  const void* find(std::string_view name, int32_t version) const;

 private:
  mutable std::mutex mutex_;
  std::map<std::pair<std::string, int32_t>, const void*, std::less<>> tables_;
};

// The ledger key of a suite: "PF Handle Suite v2".
std::string suite_key(std::string_view name, int32_t version);

// The basic suite: AcquireSuite and ReleaseSuite over the current session's registry, counted in its
// ledger. An unknown name or version answers kSPSuiteNotFoundError and a null table.
const SPBasicSuite* basic_suite();

}  // namespace host
