// Makes host operations fail on purpose: the Nth call of a named operation, once or from then on.
// Each operation fails in its own way (an error code, a null handle, a null suite); a rule may carry
// the error code to return, otherwise the operation returns its usual one. Thread-safe.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

enum class Repeat { Once, FromThenOn };

// A call that is to fail. `code` is the error code to return, when the rule gives one.
struct Fault {
  std::optional<int32_t> code;
  int32_t code_or(int32_t usual) const { return code.value_or(usual); }
};

class FaultPlan {
 public:
  // The `nth` call (counting from 1) of `op` fails; with Repeat::FromThenOn every later call too.
  void fail(std::string op, long nth, Repeat repeat = Repeat::Once, std::optional<int32_t> code = {});
  // Counts one call of `op` and returns the fault if a rule makes this call fail.
  std::optional<Fault> on_call(std::string_view op);
  // Calls of `op` counted so far.
  long calls(std::string_view op) const;
  // Forgets all rules and counts.
  void clear();
  // Whether calls are counted while no rule is set (the default). Off, a call costs no lock: the plan
  // only starts counting once a rule is set, so a rule's Nth call then counts from there.
  void set_counting(bool on) { counting_.store(on, std::memory_order_relaxed); }

 private:
  std::atomic<bool> counting_{true};
  std::atomic<bool> has_rules_{false};
  struct Rule {
    long nth;
    Repeat repeat;
    std::optional<int32_t> code;
  };
  mutable std::mutex mutex_;
  std::map<std::string, std::vector<Rule>, std::less<>> rules_;
  std::map<std::string, long, std::less<>> calls_;
};

}  // namespace host
