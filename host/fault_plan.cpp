#include "host/fault_plan.h"

namespace host {

void FaultPlan::fail(std::string op, long nth, Repeat repeat, std::optional<int32_t> code) {
  fail(FaultRule{std::move(op), nth, repeat, code, {}});
}

void FaultPlan::fail(FaultRule rule) {
  std::lock_guard lock(mutex_);
  std::string op = rule.op;
  rules_[std::move(op)].push_back(std::move(rule));
  has_rules_.store(true, std::memory_order_relaxed);
}

std::optional<long> FaultPlan::counted(const FaultRule& rule, long calls) const {
  if (rule.counted_from.empty()) return calls;
  const auto mark = marks_.find(rule.counted_from);
  if (mark == marks_.end()) return std::nullopt;
  const auto before = mark->second.find(rule.op);
  return calls - (before == mark->second.end() ? 0 : before->second);
}

std::optional<Fault> FaultPlan::on_call(std::string_view op) {
  if (!counting_.load(std::memory_order_relaxed) && !has_rules_.load(std::memory_order_relaxed))
    return std::nullopt;
  std::lock_guard lock(mutex_);
  auto counts = counts_.find(op);
  if (counts == counts_.end()) counts = counts_.emplace(std::string(op), Counts{}).first;
  const long calls = ++counts->second.calls;

  auto rules = rules_.find(op);
  if (rules == rules_.end()) return std::nullopt;
  for (const FaultRule& rule : rules->second) {
    const std::optional<long> n = counted(rule, calls);
    if (!n) continue;
    if (*n == rule.nth || (rule.repeat == Repeat::FromThenOn && *n > rule.nth)) {
      ++counts->second.failed;
      return Fault{rule.code};
    }
  }
  return std::nullopt;
}

void FaultPlan::mark(std::string_view mark) {
  std::lock_guard lock(mutex_);
  if (marks_.find(mark) != marks_.end()) return;
  auto& calls = marks_[std::string(mark)];
  for (const auto& [op, counts] : counts_) calls.emplace(op, counts.calls);
}

long FaultPlan::calls(std::string_view op) const {
  std::lock_guard lock(mutex_);
  auto it = counts_.find(op);
  return it == counts_.end() ? 0 : it->second.calls;
}

long FaultPlan::failed(std::string_view op) const {
  std::lock_guard lock(mutex_);
  auto it = counts_.find(op);
  return it == counts_.end() ? 0 : it->second.failed;
}

void FaultPlan::clear() {
  std::lock_guard lock(mutex_);
  rules_.clear();
  counts_.clear();
  marks_.clear();
  has_rules_.store(false, std::memory_order_relaxed);
}

}  // namespace host
