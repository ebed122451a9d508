#include "host/call_log.h"

#include <algorithm>

namespace host {

void CallLog::record(std::string_view op, std::string args) {
  if (!recording()) return;
  std::lock_guard lock(mutex_);
  calls_.push_back({std::string(op), std::move(args)});
}

std::vector<Call> CallLog::calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::string> CallLog::calls_of(std::string_view op) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  for (const Call& call : calls_) {
    if (call.op == op) texts.push_back(call.text());
  }
  return texts;
}

std::size_t CallLog::count(std::string_view op) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(calls_.begin(), calls_.end(), [&](const Call& call) { return call.op == op; }));
}

void CallLog::clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

}  // namespace host
