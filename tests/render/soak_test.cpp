// Many frames with random settings in one session, through the host library as a long render uses
// it: every frame renders, the host holds nothing after any frame, and memory stays flat. A few hundred
// frames here; ZELKRA_SOAK_FRAMES=N (e.g. 20000) runs a longer soak.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "render_fixture.h"

namespace {

long SoakFrames() {
  const char* text = std::getenv("ZELKRA_SOAK_FRAMES");
  const long frames = text != nullptr ? std::atol(text) : 0;
  return frames > 0 ? frames : 300;
}

// The resident memory of this process, in bytes.
long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // the sanitizer keeps freed memory in quarantine: RSS grows by design
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

using SoakTest = RenderTest;

TEST_P(SoakTest, RandomFramesLeaveNothingHeldAndMemoryFlat) {
  const long frames = SoakFrames();
  std::mt19937 random(20261211);
  auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  auto integer = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const host::PixelDepth depths[] = {host::PixelDepth::k8Bit, host::PixelDepth::k16Bit,
                                     host::PixelDepth::kFloat};

  log().set_recording(false);  // as a long render runs: a recorded log keeps every call
  long long resident_after_warm_up = 0;
  long failed = 0;
  for (long frame = 0; frame < frames; ++frame) {
    const host::PixelDepth depth = depths[integer(0, 2)];
    const A_long width = integer(1, 96);
    const A_long height = integer(1, 96);
    host::WorldBuffer input(width, height, depth, integer(0, 3));
    host::WorldBuffer gap(integer(1, 40), integer(1, 40), depth);
    // Mostly the animation's usual range, sometimes anywhere in the valid range.
    Set(kParamTime, integer(0, 19) == 0 ? uniform(-100000, 100000) : uniform(-50, 50));
    Set(kParamMissingTile, uniform(0, 100));
    Set(kParamPosition, integer(1, 2));
    Set(kParamFit, integer(0, 1));
    Set(kParamRow, integer(0, 9) == 0 ? integer(2, 5000) : integer(2, 12));
    Set(kParamColumn, integer(0, 9) == 0 ? integer(2, 5000) : integer(2, 12));
    Set(kParamReturn, integer(0, 1));
    Set(kParamSeed, integer(0, 10000));

    host::FrameRequest request;
    request.current_time = static_cast<A_long>(frame);
    request.time_step = 1;
    request.time_scale = 24;
    request.depth = depth;
    request.input = &input;
    if (integer(0, 1) == 1) request.layers[kParamMissingTileLayer] = &gap;
    const host::FrameResult result = Render(request);  // checks that nothing is held afterwards
    if (result.err() != PF_Err_NONE && ++failed <= 3)
      ADD_FAILURE() << "frame " << frame << ": " << result.err();
    if (frame == frames / 4) resident_after_warm_up = ResidentBytes();
  }
  const long long resident_at_end = ResidentBytes();
  std::printf("soak: %ld frames, %ld failed, resident %.1f MiB after warm-up, %.1f MiB at the end\n", frames,
              failed, resident_after_warm_up / 1048576.0, resident_at_end / 1048576.0);
  EXPECT_EQ(failed, 0);
  EXPECT_THAT(held(), testing::IsEmpty());
  if (!kSanitized) {
    EXPECT_LT(resident_at_end - resident_after_warm_up, 2LL << 20);
  }
}

ZELKRA_FOR_BOTH_VARIANTS(SoakTest);

}  // namespace
