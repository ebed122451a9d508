#include "fxhost/frames/frame_list.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// A whole number that fits in a frame number, or nothing.
bool ParseInt(std::string_view text, int& out) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

struct Range {
  int first = 0;
  int last = 0;
  int step = 1;
};

// Parses "A", "A-B", "A-B:S" or "A-BxS"; returns a message on failure.
std::string ParseItem(std::string_view item, Range& range) {
  std::string_view span = item;
  if (const auto mark = item.find_first_of(":x"); mark != std::string_view::npos) {
    span = item.substr(0, mark);
    const std::string_view step = item.substr(mark + 1);
    if (!ParseInt(step, range.step)) return "\"" + std::string(step) + "\" is not a step";
    if (range.step < 1) return "the step must be at least 1";
  }
  // The dash between two frames is the first one after the first character (which may be a sign).
  const auto dash = span.find('-', 1);
  const std::string_view first = span.substr(0, dash);
  if (!ParseInt(first, range.first)) return "\"" + std::string(first) + "\" is not a frame number";
  range.last = range.first;
  if (dash != std::string_view::npos) {
    const std::string_view last = span.substr(dash + 1);
    if (!ParseInt(last, range.last)) return "\"" + std::string(last) + "\" is not a frame number";
    if (range.last < range.first) return "the range ends before it starts";
  } else if (span.size() != item.size()) {
    return "a step needs a range (A-BxS or A-B:S)";
  }
  return {};
}

}  // namespace

std::vector<int> ParseFrameList(std::string_view text) {
  const std::string context = "frame list \"" + std::string(text) + "\"";
  if (Trim(text).empty()) throw InputError(context + ": no frames");

  std::vector<Range> ranges;
  long long count = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto comma = std::min(text.find(',', start), text.size());
    const std::string_view item = Trim(text.substr(start, comma - start));
    if (item.empty()) throw InputError(context + ": empty item");
    Range range;
    if (const std::string problem = ParseItem(item, range); !problem.empty()) {
      throw InputError(context + ": \"" + std::string(item) + "\": " + problem);
    }
    count += (static_cast<long long>(range.last) - range.first) / range.step + 1;
    if (count > kMaxFrames) {
      throw InputError(context + ": more than " + std::to_string(kMaxFrames) + " frames");
    }
    ranges.push_back(range);
    start = comma + 1;
  }

  std::vector<int> frames;
  frames.reserve(static_cast<std::size_t>(count));
  for (const Range& r : ranges) {
    for (long long f = r.first; f <= r.last; f += r.step) frames.push_back(static_cast<int>(f));
  }
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  return frames;
}

}  // namespace fxhost
