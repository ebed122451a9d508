#include "host/fault_plan.h"

namespace host {

void FaultPlan::fail(std::string op, long nth, Repeat repeat, std::optional<int32_t> code) {
  std::lock_guard lock(mutex_);
  rules_[std::move(op)].push_back({nth, repeat, code});
  has_rules_.store(true, std::memory_order_relaxed);
}

std::optional<Fault> FaultPlan::on_call(std::string_view op) {
  if (!counting_.load(std::memory_order_relaxed) && !has_rules_.load(std::memory_order_relaxed))
    return std::nullopt;
  std::lock_guard lock(mutex_);
  auto counted = calls_.find(op);
  if (counted == calls_.end()) counted = calls_.emplace(std::string(op), 0).first;
  const long n = ++counted->second;

  auto rules = rules_.find(op);
  if (rules == rules_.end()) return std::nullopt;
  for (const Rule& rule : rules->second) {
    if (n == rule.nth || (rule.repeat == Repeat::FromThenOn && n > rule.nth)) return Fault{rule.code};
  }
  return std::nullopt;
}

long FaultPlan::calls(std::string_view op) const {
  std::lock_guard lock(mutex_);
  auto it = calls_.find(op);
  return it == calls_.end() ? 0 : it->second;
}

void FaultPlan::clear() {
  std::lock_guard lock(mutex_);
  rules_.clear();
  calls_.clear();
  has_rules_.store(false, std::memory_order_relaxed);
}

}  // namespace host
