#pragma once
// Frame lists as Natron, Nuke and fileseq write them: comma-separated items, each a frame ("20"), a range
// ("0-99") or a range with a step ("1-10x2", also written "1-10:2"); frames may be negative ("-5--1").

#include <string_view>
#include <vector>

namespace fxhost {

// The most frames one list may name; a larger list is a typing error, not a render to start.
inline constexpr long long kMaxFrames = 1'000'000;

// The frames named, ascending, each once (a frame named twice would be rendered twice into the same
// file). Throws InputError with a one-line message naming the bad item.
std::vector<int> ParseFrameList(std::string_view text);

}  // namespace fxhost
