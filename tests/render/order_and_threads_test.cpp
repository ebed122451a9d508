// A frame depends on its settings alone: not on the frames rendered before it, nor on the order,
// nor on frames rendered at the same time on other threads.
#include <future>

#include "render_fixture.h"

namespace {

class OrderAndThreadsTest : public RenderTest {
 protected:
  OrderAndThreadsTest()
      : input8_(MakeLayer<PF_Pixel>(64, 48, PatternColor)),
        gap8_(MakeLayer<PF_Pixel>(20, 12, PatternColor)),
        input_float_(MakeLayer<PF_PixelFloat>(64, 48, PatternColor)),
        gap_float_(MakeLayer<PF_PixelFloat>(20, 12, PatternColor)) {}

  void SetUp() override {
    RenderTest::SetUp();
    Set(kParamRow, 4);
    Set(kParamColumn, 5);
    Set(kParamMissingTile, 40);
    Set(kParamSeed, 17);
    // Time runs from 0 to 30 over one second at 30 frames a second, so frame n is Time n.
    effect_.params().set_keyframes(kParamTime, {{0.0, 0.0}, {1.0, 30.0}});
  }

  // Frame n at 30 frames a second, with half-frame times on odd n for fractional moves.
  host::FrameRequest Frame(int n, host::PixelDepth depth = host::PixelDepth::k8Bit) {
    host::FrameRequest request;
    request.current_time = n * 2 + 1;
    request.time_step = 2;
    request.time_scale = 60;
    request.depth = depth;
    const bool is_float = depth == host::PixelDepth::kFloat;
    request.input = is_float ? &input_float_ : &input8_;
    request.layers[kParamMissingTileLayer] = is_float ? &gap_float_ : &gap8_;
    return request;
  }

  host::WorldBuffer input8_, gap8_, input_float_, gap_float_;
};

TEST_P(OrderAndThreadsTest, AFrameIsTheSameWhateverCameBefore) {
  const int frames[] = {0, 7, 3, 12, 1};
  std::vector<host::WorldBuffer> forward;
  for (int n : frames) forward.push_back(Render(Frame(n)).output);
  std::vector<host::WorldBuffer> backward;  // frames in reverse order
  for (auto n = std::rbegin(frames); n != std::rend(frames); ++n)
    backward.push_back(Render(Frame(*n)).output);
  for (std::size_t i = 0; i < std::size(frames); ++i) {
    EXPECT_TRUE(SameOutput(forward[i], backward[std::size(frames) - 1 - i])) << "frame " << frames[i];
  }
  // And the frames differ from one another, so the comparison means something.
  EXPECT_FALSE(SameOutput(forward[0], forward[1]));
}

TEST_P(OrderAndThreadsTest, FramesOnSeveralThreadsEqualSerialRenders) {
  struct Job {
    int frame;
    host::PixelDepth depth;
  };
  const Job jobs[] = {{2, host::PixelDepth::k8Bit},  {9, host::PixelDepth::kFloat},
                      {5, host::PixelDepth::k8Bit},  {14, host::PixelDepth::kFloat},
                      {2, host::PixelDepth::kFloat}, {11, host::PixelDepth::k8Bit}};
  std::vector<host::WorldBuffer> serial;
  for (const Job& job : jobs) serial.push_back(Render(Frame(job.frame, job.depth)).output);

  std::vector<std::future<host::FrameResult>> running;
  for (const Job& job : jobs) {
    running.push_back(std::async(
        std::launch::async, [this, job] { return host::RenderFrame(effect_, Frame(job.frame, job.depth)); }));
  }
  for (std::size_t i = 0; i < std::size(jobs); ++i) {
    const host::FrameResult result = running[i].get();
    EXPECT_EQ(result.err(), PF_Err_NONE);
    EXPECT_TRUE(SameOutput(result.output, serial[i])) << "job " << i;
  }
  EXPECT_THAT(held(), testing::IsEmpty());
}

ZELKRA_FOR_BOTH_VARIANTS(OrderAndThreadsTest);

}  // namespace
