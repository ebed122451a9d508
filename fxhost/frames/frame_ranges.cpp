#include "fxhost/frames/frame_ranges.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace fxhost {

std::vector<int> ExistingFrames(const FramePattern& pattern) {
  // The frame number is in the file's name: the folder is what comes before the last separator.
  const std::filesystem::path folder = std::filesystem::path(pattern.before).parent_path();
  std::vector<int> frames;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::string name =
        folder.empty() ? entries->path().filename().string() : (folder / entries->path().filename()).string();
    if (name.size() <= pattern.before.size() + pattern.after.size() || !name.starts_with(pattern.before) ||
        !name.ends_with(pattern.after)) {
      continue;
    }
    const char* first = name.data() + pattern.before.size();
    const char* last = name.data() + name.size() - pattern.after.size();
    int frame = 0;
    const auto [end, ec] = std::from_chars(first, last, frame);
    if (ec == std::errc() && end == last && ExpandFramePattern(pattern, frame) == name)
      frames.push_back(frame);
  }
  std::sort(frames.begin(), frames.end());
  return frames;
}

std::string FrameRangesText(std::span<const int> frames) {
  std::string text;
  for (std::size_t i = 0; i < frames.size();) {
    std::size_t j = i;
    while (j + 1 < frames.size() && frames[j + 1] == frames[j] + 1) ++j;
    text += (text.empty() ? "" : ",") + std::to_string(frames[i]);
    if (j > i) text += "-" + std::to_string(frames[j]);
    i = j + 1;
  }
  return text;
}

}  // namespace fxhost
