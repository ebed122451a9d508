// One run of the host: the ledger, call log and fault plan, the suites on offer and the memory
// handles handed out. The functions the plug-in calls without any context argument (the basic
// suite, the handle suite, the ANSI functions) find their session through the calling thread:
// a CallScope sets it around each call into the plug-in.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "host/call_log.h"
#include "host/fault_plan.h"
#include "host/handle_store.h"
#include "host/ledger.h"
#include "host/suite_registry.h"
#include "pf_host_interface.h"

namespace host {

class Effect;

class Session {
 public:
  // Offers every standard suite (see standard_suites.h).
  Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Ledger& ledger() { return ledger_; }
  CallLog& log() { return log_; }
  FaultPlan& faults() { return faults_; }
  SuiteRegistry& suites() { return suites_; }
  HandleStore& handles() { return handles_; }

  // Hands out the next plug-in id (1, 2, ...) to a plug-in registering under `name`.
  AEGP_PluginID register_plugin(std::string name);
  // The names plug-ins registered under, in order.
  std::vector<std::string> registrations() const;

  // The session and effect of the calling thread's current call into the plug-in, or null.
  static Session* current();
  static Effect* current_effect();

 private:
  Ledger ledger_;
  CallLog log_;
  FaultPlan faults_;
  SuiteRegistry suites_;
  HandleStore handles_;
  mutable std::mutex registrations_mutex_;
  std::vector<std::string> registrations_;
};

// The current session; only valid after the gate let a call through (it refuses calls without one).
Session& current_session();

// Makes `session` and `effect` the calling thread's current ones for its lifetime; nests.
class CallScope {
 public:
  CallScope(Session& session, Effect* effect);
  ~CallScope();
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

 private:
  Session* previous_session_;
  Effect* previous_effect_;
};

}  // namespace host
