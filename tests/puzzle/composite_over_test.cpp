// The "over" operators against their table of worked values, one table per depth.
#include "render/pixels/composite_over.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Case8 {
  PF_Pixel bottom, top, result;
};

TEST(CompositeOver8, WorkedValues) {
  const Case8 cases[] = {
      {{255, 0, 0, 255}, {128, 255, 0, 0}, {255, 128, 0, 127}},
      {{100, 200, 100, 50}, {50, 10, 20, 30}, {130, 126, 69, 42}},
      {{255, 10, 20, 30}, {254, 200, 100, 50}, {255, 199, 99, 49}},
      {{255, 255, 255, 255}, {1, 0, 0, 0}, {255, 254, 254, 254}},  // black at alpha 1 darkens white
      {{1, 255, 255, 255}, {1, 0, 0, 0}, {1, 0, 0, 0}},            // a barely visible bottom drops out
      {{0, 1, 2, 3}, {40, 50, 60, 70}, {40, 50, 60, 70}},          // nothing underneath: the top
      {{0, 1, 2, 3}, {0, 50, 60, 70}, {0, 50, 60, 70}},            // ... even a transparent one
      {{200, 1, 2, 3}, {0, 9, 9, 9}, {200, 1, 2, 3}},              // nothing on top: the bottom
      {{90, 1, 2, 3}, {255, 7, 8, 9}, {255, 7, 8, 9}},             // opaque top
      {{255, 0, 0, 0}, {77, 255, 255, 255}, {255, 77, 77, 77}},    // opaque bottom stays opaque
  };
  for (const Case8& c : cases) {
    const PF_Pixel r = CompositeOver8(c.bottom, c.top);
    EXPECT_EQ(std::memcmp(&r, &c.result, sizeof r), 0)
        << "bottom alpha " << int(c.bottom.alpha) << " top alpha " << int(c.top.alpha) << " got ("
        << int(r.alpha) << ", " << int(r.red) << ", " << int(r.green) << ", " << int(r.blue) << ")";
  }
}

struct Case16 {
  PF_Pixel16 bottom, top, result;
};

TEST(CompositeOver16, WorkedValues) {
  const Case16 cases[] = {
      {{32768, 0, 0, 32768}, {16384, 32768, 0, 0}, {32768, 16384, 0, 16384}},
      {{12800, 25600, 12800, 6400}, {6400, 1280, 2560, 3840}, {16700, 16279, 8875, 5418}},
      {{32768, 32768, 32768, 32768}, {1, 0, 0, 0}, {32768, 32767, 32767, 32767}},
      {{0, 1, 2, 3}, {100, 5, 6, 7}, {100, 5, 6, 7}},
      {{500, 1, 2, 3}, {0, 5, 6, 7}, {500, 1, 2, 3}},
      {{500, 1, 2, 3}, {32768, 5, 6, 7}, {32768, 5, 6, 7}},
      {{32768, 0, 0, 0}, {3, 32768, 32768, 32768}, {32768, 3, 3, 3}},
  };
  for (const Case16& c : cases) {
    const PF_Pixel16 r = CompositeOver16(c.bottom, c.top);
    EXPECT_EQ(std::memcmp(&r, &c.result, sizeof r), 0)
        << "bottom alpha " << c.bottom.alpha << " top alpha " << c.top.alpha << " got (" << r.alpha << ", "
        << r.red << ", " << r.green << ", " << r.blue << ")";
  }
}

TEST(CompositeOver, ClampsHoldChannelsInRange) {
  EXPECT_EQ(ClampChannel8(-1), 0);
  EXPECT_EQ(ClampChannel8(256), 255);
  EXPECT_EQ(ClampChannel8(128), 128);
  EXPECT_EQ(ClampChannel16(0x80000000u), 0u);  // top bit set: negative read as signed
  EXPECT_EQ(ClampChannel16(32769u), 32768u);
  EXPECT_EQ(ClampChannel16(32768u), 32768u);
}

PF_PixelFloat Bits(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  const uint32_t bits[4] = {a, r, g, b};
  PF_PixelFloat p;
  std::memcpy(&p, bits, sizeof p);
  return p;
}

struct CaseFloat {
  PF_PixelFloat bottom, top, result;
};

TEST(CompositeOverFloat, WorkedValues) {
  const CaseFloat cases[] = {
    {{1.0f, 0.0f, 0.0f, 1.0f}, {0.5f, 1.0f, 0.0f, 0.0f}, {1.0f, 0.5f, 0.0f, 0.5f}},
    {{0.5f, 0.0f, 0.0f, 0.0f}, {0.5f, 3.0f, 0.0f, 0.0f}, {0.75f, 2.0f, 0.0f, 0.0f}},  // over-range survives
    {{0.0f, 1.0f, 2.0f, 3.0f}, {0.5f, -1.0f, 0.25f, 9.0f}, {0.5f, -1.0f, 0.25f, 9.0f}},
    {{0.3f, 1.0f, 2.0f, 3.0f}, {0.0f, 7.0f, 7.0f, 7.0f}, {0.3f, 1.0f, 2.0f, 3.0f}},
    {{0.3f, 1.0f, 2.0f, 3.0f}, {1.0f, 7.0f, 7.0f, 7.0f}, {1.0f, 7.0f, 7.0f, 7.0f}},
#if ZELKRA_VARIANT_32BIT
    // The weight and the colour sums rounded once from higher precision.
    {{0.1f, 0.3f, 0.7f, 0.9f},
     {0.1f, 0.1f, 0.1f, 0.1f},
     Bits(0x3e428f5c, 0x3e47691a, 0x3ec4b73e, 0x3ef53897)},
#else
    // Every product and sum rounded to single precision.
    {{0.1f, 0.3f, 0.7f, 0.9f},
     {0.1f, 0.1f, 0.1f, 0.1f},
     Bits(0x3e428f5c, 0x3e476919, 0x3ec4b73d, 0x3ef53895)},
#endif
  };
  for (const CaseFloat& c : cases) {
    const PF_PixelFloat r = CompositeOverFloat(c.bottom, c.top);
    EXPECT_EQ(std::memcmp(&r, &c.result, sizeof r), 0)
        << "bottom alpha " << c.bottom.alpha << " top alpha " << c.top.alpha << " got (" << r.alpha << ", "
        << r.red << ", " << r.green << ", " << r.blue << ")";
  }
}

}  // namespace
