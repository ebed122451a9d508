#pragma once
// Which frames of an image sequence exist on disk, told as a frame list ("1-96", "0-9,20-29").

#include <span>
#include <string>
#include <vector>

#include "fxhost/frames/frame_pattern.h"

namespace fxhost {

// The frame numbers whose files exist in the sequence's folder, ascending: every file named as
// ExpandFramePattern names some frame.
std::vector<int> ExistingFrames(const FramePattern& pattern);

// Ascending frames as a frame list: runs of consecutive frames as ranges ("1-3,7,9-10"); "" for none.
std::string FrameRangesText(std::span<const int> frames);

}  // namespace fxhost
