#include "fxhost/frames/frame_share.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

bool ParseWhole(std::string_view text, int& out) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

FrameShare ParseFrameShare(std::string_view text) {
  const std::string context = "--share \"" + std::string(text) + "\": ";
  const auto slash = text.find('/');
  FrameShare share;
  if (slash == std::string_view::npos || !ParseWhole(text.substr(0, slash), share.index) ||
      !ParseWhole(text.substr(slash + 1), share.count))
    throw InputError(context + "not I/N (task I of N, I from 0)");
  if (share.count < 1) throw InputError(context + "N must be at least 1");
  if (share.index < 0 || share.index >= share.count)
    throw InputError(context + "I must be from 0 to " + std::to_string(share.count - 1));
  return share;
}

std::vector<int> ShareOfFrames(std::span<const int> frames, FrameShare share, bool interleave) {
  const std::size_t n = static_cast<std::size_t>(share.count);
  const std::size_t i = static_cast<std::size_t>(share.index);
  std::vector<int> mine;
  if (interleave) {
    for (std::size_t k = i; k < frames.size(); k += n) mine.push_back(frames[k]);
    return mine;
  }
  const std::size_t base = frames.size() / n;
  const std::size_t longer = frames.size() % n;  // the first `longer` chunks take one frame more
  const std::size_t first = i * base + std::min(i, longer);
  const std::size_t length = base + (i < longer ? 1 : 0);
  return {frames.begin() + static_cast<std::ptrdiff_t>(first),
          frames.begin() + static_cast<std::ptrdiff_t>(first + length)};
}

}  // namespace fxhost
