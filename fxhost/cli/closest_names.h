#pragma once
// Suggestions for a mistyped name: the valid names closest to what was typed, as FFmpeg, git and
// Blender suggest them ("did you mean --output?").

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fxhost {

// The edit distance between `a` and `b`: insertions, deletions, substitutions and swaps of two
// neighbouring characters, each counting one.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The names of `names` that `typed` may have meant, best first: those at the smallest edit distance
// when it is at most a third of the typed length, then those that `typed` abbreviates (starts). Leading
// dashes are ignored in the comparison, so "-frames" finds "--frames". At most three.
std::vector<std::string> ClosestNames(std::string_view typed, std::span<const std::string> names);

// "; did you mean --frame or --frames?" for the names ClosestNames finds, "" for none.
std::string DidYouMean(std::string_view typed, std::span<const std::string> names);

}  // namespace fxhost
