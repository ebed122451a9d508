#pragma once
// In-memory images in the host's three depths, straight (not premultiplied) colour, channels R, G, B, A.
// Full scale is 255 for 8-bit, 32768 for 16-bit (the host's scale, not the file's 65535) and 1.0 for float.

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace fxhost {

enum class Depth { k8 = 8, k16 = 16, k32 = 32 };

// 8, 16 or 32 as the depth; nothing for any other number.
std::optional<Depth> DepthFromBits(int bits);

template <typename T>
struct Rgba {
  T r{}, g{}, b{}, a{};
  bool operator==(const Rgba&) const = default;
};
using Rgba8 = Rgba<std::uint8_t>;
using Rgba16 = Rgba<std::uint16_t>;
using RgbaF = Rgba<float>;

template <typename Pixel>
struct ImageOf {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // row after row, no padding

  ImageOf() = default;
  ImageOf(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const ImageOf&) const = default;
};
using Image8 = ImageOf<Rgba8>;
using Image16 = ImageOf<Rgba16>;
using ImageF = ImageOf<RgbaF>;

using Image = std::variant<Image8, Image16, ImageF>;

Depth DepthOf(const Image& image);
int WidthOf(const Image& image);
int HeightOf(const Image& image);

}  // namespace fxhost
