#pragma once
// The frame number in a file name: a run of '#' (zero-padded to the run's length) or a printf-style
// %d / %0Nd. Used for output names and for input image sequences alike.

#include <optional>
#include <string>
#include <string_view>

namespace fxhost {

struct FramePattern {
  std::string before;  // the text before the frame number ("%%" already turned into "%")
  std::string after;   // the text after it
  int width = 0;       // zero-padded to at least this many digits
};

// The pattern in `text`, or nothing when it names no frame number. Throws InputError when `text` has
// more than one frame number or a '%' sequence other than %d, %0Nd and %%.
std::optional<FramePattern> ParseFramePattern(std::string_view text);

// The name of `frame`: "frame_####.png" and 7 give "frame_0007.png"; -7 gives "frame_-007.png", as
// printf's %04d does.
std::string ExpandFramePattern(const FramePattern& pattern, int frame);

}  // namespace fxhost
