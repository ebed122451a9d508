// The frame-list grammar (--frames): any text is a list of frames or one InputError; a list is
// ascending, each frame once, never longer than kMaxFrames.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/frames/frame_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const std::vector<int> frames = fxhost::ParseFrameList(text);
    fuzz::Expect(!frames.empty(), "an empty frame list accepted");
    fuzz::Expect(static_cast<long long>(frames.size()) <= fxhost::kMaxFrames, "more than kMaxFrames frames");
    for (std::size_t i = 1; i < frames.size(); ++i)
      fuzz::Expect(frames[i - 1] < frames[i], "frames not ascending and unique");
  } catch (const fxhost::InputError&) {
  }
  return 0;
}
