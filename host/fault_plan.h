// Makes host operations fail on purpose: the Nth call of a named operation, once or from then on.
// Each operation fails in its own way (an error code, a null handle, a null suite; see
// host_operations.h); a rule may carry the error code to return, otherwise the operation returns its
// usual one. Thread-safe.
//
// Calls are counted from the session's start, or, for a rule tied to a mark, from the moment the
// mark is first reached: RenderFrame reaches kFirstFrameMark at the start of every frame, so a rule
// tied to it counts the calls of the frames alone, whatever the set-up commands made before.
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

// The mark RenderFrame reaches at the start of each frame (only the first reach counts).
inline constexpr std::string_view kFirstFrameMark = "render";

// A call that is to fail. `code` is the error code to return, when the rule gives one.
struct Fault {
  std::optional<int32_t> code;
  int32_t code_or(int32_t usual) const { return code.value_or(usual); }
};

// Which calls of an operation fail.
struct FaultRule {
  std::string op;
  long nth = 1;  // counting from 1
  Repeat repeat = Repeat::Once;
  std::optional<int32_t> code;
  std::string counted_from;  // "" counts from the session's start, else from this mark on
};

class FaultPlan {
 public:
  // The `nth` call (counting from 1) of `op` fails; with Repeat::FromThenOn every later call too.
  void fail(std::string op, long nth, Repeat repeat = Repeat::Once, std::optional<int32_t> code = {});
  void fail(FaultRule rule);
  // Counts one call of `op` and returns the fault if a rule makes this call fail.
  std::optional<Fault> on_call(std::string_view op);
  // The calls counted from here on belong to rules tied to `mark`; only its first reach counts.
  void mark(std::string_view mark);
  // Calls of `op` counted so far, and how many of them were made to fail.
  long calls(std::string_view op) const;
  long failed(std::string_view op) const;
  // Forgets all rules, counts and marks.
  void clear();
  // Whether calls are counted while no rule is set (the default). Off, a call costs no lock: the plan
  // only starts counting once a rule is set, so a rule's Nth call then counts from there.
  void set_counting(bool on) { counting_.store(on, std::memory_order_relaxed); }

 private:
  std::atomic<bool> counting_{true};
  std::atomic<bool> has_rules_{false};
  struct Counts {
    long calls = 0;
    long failed = 0;
  };
  // The calls of `op` a rule counts: all of them, or those since its mark (none before it).
  std::optional<long> counted(const FaultRule& rule, long calls) const;

  mutable std::mutex mutex_;
  std::map<std::string, std::vector<FaultRule>, std::less<>> rules_;
  std::map<std::string, Counts, std::less<>> counts_;
  // Each mark reached, with the calls of every operation counted when it was first reached.
  std::map<std::string, std::map<std::string, long, std::less<>>, std::less<>> marks_;
};

}  // namespace host
