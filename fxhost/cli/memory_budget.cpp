#include "fxhost/cli/memory_budget.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fxhost {
namespace {

constexpr std::uint64_t kGiB = 1ULL << 30;

std::uint64_t Saturated(std::uint64_t a, std::uint64_t b) {
  return a > kNoMemoryLimit - b ? kNoMemoryLimit : a + b;
}

}  // namespace

std::uint64_t PhysicalMemory() {
#ifdef _WIN32
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page_size <= 0) return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
#endif
}

std::uint64_t DefaultMemoryBudget() {
  const std::uint64_t physical = PhysicalMemory();
  return physical > 0 ? physical / 2 : 4 * kGiB;
}

std::uint64_t ParseMemorySize(std::string_view text) {
  const std::string context = "--max-memory \"" + std::string(text) + "\": ";
  std::string_view unit = text;
  std::size_t digits = 0;
  while (digits < text.size() &&
         (std::isdigit(static_cast<unsigned char>(text[digits])) || text[digits] == '.'))
    ++digits;
  double number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + digits, number);
  if (digits == 0 || ec != std::errc() || end != text.data() + digits)
    throw InputError(context + "expected a size such as 8G, 512M or 1500000 (bytes)");
  unit.remove_prefix(digits);
  while (!unit.empty() && unit.front() == ' ') unit.remove_prefix(1);

  constexpr std::array<std::pair<char, int>, 5> kUnits{
      {{'B', 0}, {'K', 10}, {'M', 20}, {'G', 30}, {'T', 40}}};
  int shift = 0;
  if (!unit.empty()) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(unit.front())));
    const auto found =
        std::find_if(kUnits.begin(), kUnits.end(), [letter](const auto& u) { return u.first == letter; });
    std::string_view rest = unit.substr(1);
    if (found == kUnits.end() ||
        (found->first == 'B' ? !rest.empty()
                             : !(rest.empty() || rest == "B" || rest == "b" || rest == "iB" || rest == "ib")))
      throw InputError(context + "unknown unit \"" + std::string(unit) +
                       "\" (K, M, G or T, or none for bytes)");
    shift = found->second;
  }
  const double bytes = std::ldexp(number, shift);
  if (!(bytes >= 1)) throw InputError(context + "the budget must be at least one byte");
  if (bytes > std::ldexp(1.0, 63)) throw InputError(context + "more than any machine has");
  return static_cast<std::uint64_t>(bytes);
}

std::string FormatBytes(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  constexpr std::array<const char*, 5> kNames{"KiB", "MiB", "GiB", "TiB", "PiB"};
  double value = static_cast<double>(bytes) / 1024;
  std::size_t unit = 0;
  while (value >= 1024 && unit + 1 < kNames.size()) {
    value /= 1024;
    ++unit;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%.1f %s", value, kNames[unit]);
  return text;
}

std::uint64_t PixelBytes(Depth depth) {
  switch (depth) {
    case Depth::k8:
      return 4;
    case Depth::k16:
      return 8;
    case Depth::k32:
      break;
  }
  return 16;
}

std::uint64_t PictureBytes(int width, int height, Depth depth) {
  return static_cast<std::uint64_t>(std::max(width, 0)) * static_cast<std::uint64_t>(std::max(height, 0)) *
         PixelBytes(depth);
}

std::uint64_t FrameBytes(int width, int height, Depth depth) {
  return 4 * PictureBytes(width, height, depth);
}

void CheckMemory(std::uint64_t bytes, std::uint64_t budget, std::string_view what) {
  if (bytes <= budget) return;
  throw MemoryBudgetError(std::string(what) + " needs " + FormatBytes(bytes) +
                          ", more than the memory budget of " + FormatBytes(budget) + " (--max-memory)");
}

int JobsWithinBudget(std::uint64_t budget, std::uint64_t shared, std::uint64_t frame, int jobs,
                     std::string_view what) {
  CheckMemory(Saturated(shared, frame), budget, what);
  const std::uint64_t fit = frame == 0 ? static_cast<std::uint64_t>(jobs) : (budget - shared) / frame;
  return static_cast<int>(std::clamp<std::uint64_t>(fit, 1, static_cast<std::uint64_t>(std::max(jobs, 1))));
}

}  // namespace fxhost
