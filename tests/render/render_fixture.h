// A plug-in variant with its parameters declared, rendering frames through host::RenderFrame, and
// helpers to make layers and compare pixels in each depth.
#pragma once

#include <cstring>

#include "host/render_frame.h"
#include "params/param_ids.h"
#include "plugin_under_test.h"
#include "render/puzzle_info.h"

// An 8-bit colour in each depth: 16-bit channels are v * 128 (255, full scale, becomes 32768),
// float channels v / 255. So expected pixels are known without rounding questions, and an opaque
// pixel stays opaque.
template <typename Pixel>
Pixel InDepth(const PF_Pixel& c);
template <>
inline PF_Pixel InDepth<PF_Pixel>(const PF_Pixel& c) {
  return c;
}
inline A_u_short Channel16(A_u_char v) {
  return static_cast<A_u_short>(v == 255 ? PF_MAX_CHAN16 : v * 128);
}
template <>
inline PF_Pixel16 InDepth<PF_Pixel16>(const PF_Pixel& c) {
  return {Channel16(c.alpha), Channel16(c.red), Channel16(c.green), Channel16(c.blue)};
}
template <>
inline PF_PixelFloat InDepth<PF_PixelFloat>(const PF_Pixel& c) {
  return {c.alpha / 255.0f, c.red / 255.0f, c.green / 255.0f, c.blue / 255.0f};
}

template <typename Pixel>
bool SamePixel(const Pixel& a, const Pixel& b) {
  return std::memcmp(&a, &b, sizeof(Pixel)) == 0;
}

template <typename Pixel>
inline constexpr host::PixelDepth kDepthOf = host::PixelTraits<Pixel>::kDepth;

// A width x height world of Pixel's depth with pixel (x, y) = InDepth(color(x, y)).
template <typename Pixel, typename Color>
host::WorldBuffer MakeLayer(A_long width, A_long height, Color color, A_long row_padding = 0) {
  host::WorldBuffer layer(width, height, kDepthOf<Pixel>, row_padding);
  for (A_long y = 0; y < height; ++y) {
    for (A_long x = 0; x < width; ++x) layer.At<Pixel>(x, y) = InDepth<Pixel>(color(x, y));
  }
  return layer;
}

// Opaque, and different at every pixel of a layer up to 256 x 256.
inline PF_Pixel PatternColor(A_long x, A_long y) {
  return {255, static_cast<A_u_char>(x), static_cast<A_u_char>(y),
          static_cast<A_u_char>((x * 7 + y * 13) & 0xFF)};
}

// The frame settings record as the host held it.
inline PuzzleInfo SettingsOf(const std::vector<std::byte>& bytes) {
  PuzzleInfo info{};
  EXPECT_EQ(bytes.size(), sizeof(PuzzleInfo));
  if (bytes.size() == sizeof(PuzzleInfo)) std::memcpy(&info, bytes.data(), sizeof(info));
  return info;
}

// Every pixel of two worlds of one depth and size equal.
template <typename Pixel>
bool SameWorld(const host::WorldBuffer& a, const host::WorldBuffer& b) {
  if (a.width() != b.width() || a.height() != b.height() || a.depth() != b.depth()) return false;
  for (A_long y = 0; y < a.height(); ++y) {
    const auto ra = a.Row<Pixel>(y);
    const auto rb = b.Row<Pixel>(y);
    if (std::memcmp(ra.data(), rb.data(), ra.size_bytes()) != 0) return false;
  }
  return true;
}
inline bool SameOutput(const host::WorldBuffer& a, const host::WorldBuffer& b) {
  switch (a.depth()) {
    case host::PixelDepth::k8Bit:
      return SameWorld<PF_Pixel>(a, b);
    case host::PixelDepth::k16Bit:
      return SameWorld<PF_Pixel16>(a, b);
    case host::PixelDepth::kFloat:
      return SameWorld<PF_PixelFloat>(a, b);
  }
  return false;
}

class RenderTest : public PluginTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(effect_.params_setup().err, PF_Err_NONE);
    ASSERT_THAT(held(), testing::IsEmpty());
  }

  void Set(ParamIndex index, double value) { effect_.params().set_value(index, value); }

  // Renders one frame; the host must hold nothing of it afterwards, whatever the outcome.
  host::FrameResult Render(const host::FrameRequest& request) {
    host::FrameResult result = host::RenderFrame(effect_, request);
    EXPECT_THAT(held(), testing::IsEmpty());
    return result;
  }
};
