// Every host operation the plug-in calls, in order, with its arguments as text.
// Thread-safe; calls from several threads are interleaved in the order they arrive.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace host {

struct Call {
  std::string op;    // the operation's stable name, e.g. "AcquireSuite"
  std::string args;  // its arguments, comma-separated: strings quoted, pointers in hex or null
  std::string text() const { return op + "(" + args + ")"; }
};

class CallLog {
 public:
  void record(std::string_view op, std::string args);
  std::vector<Call> calls() const;
  // The calls of one operation, as text, in order.
  std::vector<std::string> calls_of(std::string_view op) const;
  std::size_t count(std::string_view op) const;
  void clear();
  // Whether calls are recorded (the default). A host that never reads the log (fxhost) turns it off:
  // a frame may make millions of calls (a sample per gap pixel, a progress call per tile), and
  // recording them would cost more time and memory than the frame.
  void set_recording(bool on) { recording_.store(on, std::memory_order_relaxed); }
  bool recording() const { return recording_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> recording_{true};
  mutable std::mutex mutex_;
  std::vector<Call> calls_;
};

namespace detail {

inline void describe_one(std::ostringstream& os, const char* text) {
  if (text == nullptr) {
    os << "null";
  } else {
    os << '"' << text << '"';
  }
}
template <typename T>
void describe_one(std::ostringstream& os, const T& value) {
  if constexpr (std::is_pointer_v<T>) {
    if (value == nullptr) {
      os << "null";
    } else {
      os << static_cast<const void*>(value);
    }
  } else if constexpr (std::is_same_v<T, unsigned char> || std::is_same_v<T, signed char>) {
    os << static_cast<int>(value);
  } else {
    os << value;
  }
}

}  // namespace detail

// Formats arguments for the call log: describe_args("PF Handle Suite", 2) is "\"PF Handle Suite\", 2".
template <typename... Args>
std::string describe_args(const Args&... args) {
  std::ostringstream os;
  bool first = true;
  ((os << (first ? "" : ", "), detail::describe_one(os, args), first = false), ...);
  return os.str();
}

}  // namespace host
