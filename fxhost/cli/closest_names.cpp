#include "fxhost/cli/closest_names.h"

#include <algorithm>

namespace fxhost {
namespace {

std::string_view WithoutDashes(std::string_view name) {
  while (name.starts_with('-')) name.remove_prefix(1);
  return name;
}

}  // namespace

std::size_t EditDistance(std::string_view a, std::string_view b) {
  // Rows of the classic table: distance[i][j] between the first i characters of a and the first j of b;
  // three rows are enough for the swap of neighbours.
  std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before.swap(previous);
    previous.swap(current);
  }
  return previous[b.size()];
}

std::vector<std::string> ClosestNames(std::string_view typed, std::span<const std::string> names) {
  constexpr std::size_t kMost = 3;
  const std::string_view word = WithoutDashes(typed);
  const std::size_t allowed = word.size() / 3;
  std::size_t best = allowed + 1;
  for (const std::string& name : names) best = std::min(best, EditDistance(word, WithoutDashes(name)));

  std::vector<std::string> found;
  auto add = [&found](const std::string& name) {
    if (found.size() < kMost && std::find(found.begin(), found.end(), name) == found.end())
      found.push_back(name);
  };
  for (const std::string& name : names) {
    if (best <= allowed && EditDistance(word, WithoutDashes(name)) == best) add(name);
  }
  for (const std::string& name : names) {
    if (!word.empty() && WithoutDashes(name).starts_with(word)) add(name);
  }
  return found;
}

std::string DidYouMean(std::string_view typed, std::span<const std::string> names) {
  const std::vector<std::string> found = ClosestNames(typed, names);
  if (found.empty()) return "";
  std::string text = "; did you mean ";
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (i > 0) text += i + 1 == found.size() ? " or " : ", ";
    text += found[i];
  }
  return text + "?";
}

}  // namespace fxhost
