#include "fxhost/frames/progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/result_names.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fxhost {

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

std::string FormatDuration(double seconds) {
  const long long total = std::llround(std::max(0.0, seconds));
  char text[32];
  if (total >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
  }
  return text;
}

std::string ProgressLine(std::size_t done, std::size_t total, double elapsed_seconds, std::size_t skipped) {
  char text[128];
  const double fps = elapsed_seconds > 0 ? static_cast<double>(done - skipped) / elapsed_seconds : 0;
  std::snprintf(text, sizeof text, "frames %zu/%zu", done, total);
  std::string line = text;
  if (skipped > 0) line += " (" + std::to_string(skipped) + " skipped)";
  std::snprintf(text, sizeof text, "  %.1f fps", fps);
  line += text;
  if (done > 0 && done < total && fps > 0) line += "  " + FormatDuration((total - done) / fps) + " left";
  return line;
}

std::string FrameLine(const FrameResult& frame) {
  std::string line = "frame " + std::to_string(frame.frame) + ": ";
  if (frame.skipped) return line + "skipped, " + frame.output + " exists";
  if (!frame.succeeded) {
    line += "FAILED";
    if (frame.result != 0) line += ", result " + host::result_text(frame.result);
    if (!frame.message.empty()) line += ", " + frame.message;
    return line;
  }
  char seconds[64];
  std::snprintf(seconds, sizeof seconds, "ok, %.3f s (render %.3f s)", frame.seconds, frame.render_seconds);
  line += seconds;
  if (!frame.output.empty()) line += ", " + frame.output;
  return line;
}

Progress::Progress(std::size_t total, ProgressMode mode, std::ostream& out)
    : total_(total), mode_(mode), out_(out) {}

void Progress::FrameDone(const FrameResult& frame) {
  std::lock_guard lock(mutex_);
  ++done_;
  if (frame.skipped) ++skipped_;
  const bool show_line = !frame.succeeded || mode_ == ProgressMode::kLines;
  if (mode_ == ProgressMode::kTerminal) {
    // Clear the updating line, print a failure above it, then redraw it.
    if (line_open_) out_ << "\r\033[K";
    if (show_line) out_ << FrameLine(frame) << "\n";
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    out_ << ProgressLine(done_, total_, elapsed, skipped_) << std::flush;
    line_open_ = true;
  } else if (show_line) {
    out_ << FrameLine(frame) << std::endl;
  }
}

void Progress::Finish() {
  std::lock_guard lock(mutex_);
  if (line_open_) out_ << "\n" << std::flush;
  line_open_ = false;
}

}  // namespace fxhost
