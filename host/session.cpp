#include "host/session.h"

#include "host/standard_suites.h"

namespace host {

namespace {

thread_local Session* tls_session = nullptr;
thread_local Effect* tls_effect = nullptr;

}  // namespace

Session::Session() : handles_(ledger_) {
  register_standard_suites(suites_);
}

AEGP_PluginID Session::register_plugin(std::string name) {
  std::lock_guard lock(registrations_mutex_);
  registrations_.push_back(std::move(name));
  return static_cast<AEGP_PluginID>(registrations_.size());
}

std::vector<std::string> Session::registrations() const {
  std::lock_guard lock(registrations_mutex_);
  return registrations_;
}

Session* Session::current() {
  return tls_session;
}
Effect* Session::current_effect() {
  return tls_effect;
}

Session& current_session() {
  return *tls_session;
}

CallScope::CallScope(Session& session, Effect* effect)
    : previous_session_(tls_session), previous_effect_(tls_effect) {
  tls_session = &session;
  tls_effect = effect;
}

CallScope::~CallScope() {
  tls_session = previous_session_;
  tls_effect = previous_effect_;
}

}  // namespace host
