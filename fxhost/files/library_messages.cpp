#include "fxhost/files/library_messages.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

#if defined(__GLIBC__)
#include <unistd.h>

#include <cerrno>
#define FXHOST_ROUTES_STDERR 1
#else
#define FXHOST_ROUTES_STDERR 0
#endif

namespace fxhost {
namespace {

// The capture of the calling thread, when it has one open.
thread_local std::string* t_capture = nullptr;

#if FXHOST_ROUTES_STDERR
// Text written to the routed `stderr`: into the thread's capture, else on to file descriptor 2.
ssize_t WriteRouted(void* /*cookie*/, const char* data, std::size_t size) {
  if (t_capture != nullptr) {
    t_capture->append(data, size);
    return static_cast<ssize_t>(size);
  }
  std::size_t done = 0;
  while (done < size) {
    const ssize_t written = ::write(STDERR_FILENO, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return done > 0 ? static_cast<ssize_t>(done) : -1;
    done += static_cast<std::size_t>(written);
  }
  return static_cast<ssize_t>(size);
}
#endif

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

void RouteLibraryMessages() {
#if FXHOST_ROUTES_STDERR
  static std::once_flag once;
  std::call_once(once, [] {
    const cookie_io_functions_t functions{nullptr, WriteRouted, nullptr, nullptr};
    FILE* routed = fopencookie(nullptr, "w", functions);
    if (routed == nullptr) return;
    std::setvbuf(routed, nullptr, _IONBF, 0);
    // The C library lets a program set its standard streams; libraries read `stderr` when they print.
    stderr = routed;
  });
#endif
}

LibraryMessages::LibraryMessages() {
  RouteLibraryMessages();
  t_capture = &text_;
}

LibraryMessages::~LibraryMessages() {
  t_capture = nullptr;
}

std::string OneLineMessage(const std::vector<std::string_view>& pieces) {
  std::vector<std::string_view> lines;
  for (std::string_view piece : pieces) {
    std::size_t start = 0;
    while (start <= piece.size()) {
      const std::size_t end = std::min(piece.find('\n', start), piece.size());
      std::string_view line = Trimmed(piece.substr(start, end - start));
      for (std::string_view prefix : {"libpng error: ", "libpng warning: "}) {
        if (line.starts_with(prefix)) line.remove_prefix(prefix.size());
      }
      if (!line.empty()) lines.push_back(line);
      start = end + 1;
    }
  }
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    bool contained = false;
    for (std::size_t j = 0; j < lines.size() && !contained; ++j) {
      // A line inside a longer one (or an earlier copy of itself) says nothing new.
      contained = j != i && lines[j].find(lines[i]) != std::string_view::npos &&
                  (lines[j].size() > lines[i].size() || j < i);
    }
    if (contained) continue;
    if (!joined.empty()) joined += "; ";
    joined += lines[i];
  }
  return joined;
}

}  // namespace fxhost
