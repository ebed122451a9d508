#pragma once
// One task's share of a shot's frame list, for farms that run a shot as N tasks of the same command:
// task I of N (I from 0) renders either the I-th of N contiguous chunks (the first chunks one frame
// longer when the frames do not divide evenly) or, interleaved, every N-th frame from the I-th on.
// Every frame falls in exactly one share; a share can be empty when there are more tasks than frames.

#include <span>
#include <string_view>
#include <vector>

namespace fxhost {

struct FrameShare {
  int index = 0;  // I, from 0
  int count = 1;  // N
};

// Parses "I/N" (0 <= I < N). Throws InputError naming the problem.
FrameShare ParseFrameShare(std::string_view text);

// The frames of `frames` (in their order) that task share.index of share.count renders.
std::vector<int> ShareOfFrames(std::span<const int> frames, FrameShare share, bool interleave);

}  // namespace fxhost
