#pragma once
// The memory a render may take (`render --max-memory`): a picture or a frame whose buffers would go
// beyond it is refused before they are allocated, with one line naming the size and the budget, instead
// of a failed allocation in the middle of a render.

#include <cstdint>
#include <string>
#include <string_view>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/image.h"

namespace fxhost {

// No budget: every size is allowed.
inline constexpr std::uint64_t kNoMemoryLimit = UINT64_MAX;

// The machine's physical memory in bytes, 0 when the system does not tell.
std::uint64_t PhysicalMemory();

// The budget when none is given: half of the physical memory (4 GiB when unknown).
std::uint64_t DefaultMemoryBudget();

// "8G", "512M", "1.5GiB", "64k" (binary units: K = 1024), "1000000" (bytes). Throws InputError for
// anything else, zero, or more than 2^63 bytes.
std::uint64_t ParseMemorySize(std::string_view text);

// "512 bytes", "64.0 KiB", "1.5 GiB".
std::string FormatBytes(std::uint64_t bytes);

// Bytes of one pixel (four channels) and of a picture of that depth.
std::uint64_t PixelBytes(Depth depth);
std::uint64_t PictureBytes(int width, int height, Depth depth);

// The buffers one frame of width x height takes while it renders and is written: the input's world,
// the output world, the output picture and the file's copy of it, each a picture in the frame's depth.
std::uint64_t FrameBytes(int width, int height, Depth depth);

// Bad input: something that would take more memory than the budget.
class MemoryBudgetError : public InputError {
 public:
  using InputError::InputError;
};

// Throws MemoryBudgetError "WHAT needs SIZE, more than the memory budget of BUDGET (--max-memory)" when
// `bytes` exceed `budget`.
void CheckMemory(std::uint64_t bytes, std::uint64_t budget, std::string_view what);

// How many frames may render at once: `jobs`, or fewer when `shared` (what every frame shares) and that
// many frames of `frame` bytes each would exceed `budget`. Throws MemoryBudgetError when not even one
// frame fits; `what` describes the frame ("a frame of 64x48 in 8-bit").
int JobsWithinBudget(std::uint64_t budget, std::uint64_t shared, std::uint64_t frame, int jobs,
                     std::string_view what);

}  // namespace fxhost
