#include "host/suite_registry.h"

#include "host/gate.h"
#include "host/session.h"

namespace host {

void SuiteRegistry::add(std::string name, int32_t version, const void* table) {
  std::lock_guard lock(mutex_);
  tables_[{std::move(name), version}] = table;
}

void SuiteRegistry::remove(std::string_view name, int32_t version) {
  std::lock_guard lock(mutex_);
  auto it = tables_.find(std::pair{std::string(name), version});
  if (it != tables_.end()) tables_.erase(it);
}

const void* SuiteRegistry::find(std::string_view name, int32_t version) const {
  std::lock_guard lock(mutex_);
  auto it = tables_.find(std::pair{std::string(name), version});
  return it == tables_.end() ? nullptr : it->second;
}

std::string suite_key(std::string_view name, int32_t version) {
  return std::string(name) + " v" + std::to_string(version);
}

namespace {

SPErr AcquireSuite(const char* name, int32_t version, const void** suite) {
  if (suite != nullptr) *suite = nullptr;
  if (auto fault = gate("AcquireSuite", name, version)) return fault->code_or(kSPSuiteNotFoundError);
  if (name == nullptr || suite == nullptr) return kSPBadParameterError;
  Session& session = current_session();
  const void* table = session.suites().find(name, version);
  if (table == nullptr) return kSPSuiteNotFoundError;
  session.ledger().acquire(Resource::Suite, suite_key(name, version));
  *suite = table;
  return kSPNoError;
}

SPErr ReleaseSuite(const char* name, int32_t version) {
  if (auto fault = gate("ReleaseSuite", name, version)) return fault->code_or(kSPSuiteNotFoundError);
  if (name == nullptr) return kSPBadParameterError;
  if (!current_session().ledger().release(Resource::Suite, suite_key(name, version))) {
    return kSPSuiteNotFoundError;
  }
  return kSPNoError;
}

constexpr SPBasicSuite kBasicSuite = {AcquireSuite, ReleaseSuite};

}  // namespace

const SPBasicSuite* basic_suite() {
  return &kBasicSuite;
}

}  // namespace host
