#include "fxhost/frames/frame_pattern.h"

#include <cstdio>

#include "fxhost/cli/input_error.h"

namespace fxhost {

std::optional<FramePattern> ParseFramePattern(std::string_view text) {
  const std::string context = "\"" + std::string(text) + "\"";
  FramePattern pattern;
  bool found = false;
  std::string literal;
  for (std::size_t i = 0; i < text.size();) {
    int width = -1;
    std::size_t next = i + 1;
    if (text[i] == '#') {
      while (next < text.size() && text[next] == '#') ++next;
      width = static_cast<int>(next - i);
    } else if (text[i] == '%') {
      if (next < text.size() && text[next] == '%') {
        literal += '%';
        i = next + 1;
        continue;
      }
      std::size_t digits_end = next;
      while (digits_end < text.size() && text[digits_end] >= '0' && text[digits_end] <= '9') ++digits_end;
      const std::string_view digits = text.substr(next, digits_end - next);
      const bool padded =
          digits.empty() || (digits.front() == '0' && digits.size() >= 2 && digits.size() <= 3);
      if (digits_end >= text.size() || text[digits_end] != 'd' || !padded) {
        throw InputError(context + ": only %d, %0Nd and %% may follow a '%'");
      }
      width = digits.empty() ? 0 : std::stoi(std::string(digits.substr(1)));
      next = digits_end + 1;
    } else {
      literal += text[i];
      i = next;
      continue;
    }
    if (found) throw InputError(context + ": more than one frame number (a '#' run or %d)");
    found = true;
    pattern.before = std::move(literal);
    literal.clear();
    pattern.width = width;
    i = next;
  }
  if (!found) return std::nullopt;
  pattern.after = std::move(literal);
  return pattern;
}

std::string ExpandFramePattern(const FramePattern& pattern, int frame) {
  char digits[48];
  std::snprintf(digits, sizeof digits, "%0*d", pattern.width, frame);
  return pattern.before + digits + pattern.after;
}

}  // namespace fxhost
