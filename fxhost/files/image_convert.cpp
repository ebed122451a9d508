#include "fxhost/files/image_convert.h"

#include <algorithm>
#include <cmath>

namespace fxhost {
namespace {

// Each channel's value as a fraction of full scale, and back.
float ToUnit(std::uint8_t v) {
  return v / 255.0f;
}
float ToUnit(std::uint16_t v) {
  return v / 32768.0f;
}
float ToUnit(float v) {
  return v;
}

template <typename T>
T FromUnit(float v);
// Clamped to 0..1; NaN counts as 0.
float Clamp01(float v) {
  return v > 0.0f ? std::min(v, 1.0f) : 0.0f;
}

template <>
std::uint8_t FromUnit<std::uint8_t>(float v) {
  return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0f));
}
template <>
std::uint16_t FromUnit<std::uint16_t>(float v) {
  return static_cast<std::uint16_t>(std::lround(Clamp01(v) * 32768.0f));
}
template <>
float FromUnit<float>(float v) {
  return v;
}

// Integer to integer in exact arithmetic, so 8 -> 16 is round(v * 32768 / 255) without float error.
template <typename To, typename From>
To Channel(From v) {
  if constexpr (std::is_same_v<From, std::uint8_t> && std::is_same_v<To, std::uint16_t>) {
    return static_cast<std::uint16_t>((v * 32768u + 127u) / 255u);
  } else if constexpr (std::is_same_v<From, std::uint16_t> && std::is_same_v<To, std::uint8_t>) {
    return static_cast<std::uint8_t>((std::min<unsigned>(v, 32768u) * 255u + 16384u) / 32768u);
  } else {
    return FromUnit<To>(ToUnit(v));
  }
}

template <typename ToPixel, typename FromPixel>
ImageOf<ToPixel> Convert(const ImageOf<FromPixel>& from) {
  using T = decltype(ToPixel::r);
  ImageOf<ToPixel> to(from.width, from.height);
  std::transform(from.pixels.begin(), from.pixels.end(), to.pixels.begin(), [](const FromPixel& p) {
    return ToPixel{Channel<T>(p.r), Channel<T>(p.g), Channel<T>(p.b), Channel<T>(p.a)};
  });
  return to;
}

template <typename FromPixel>
Image ConvertTo(const ImageOf<FromPixel>& from, Depth depth) {
  switch (depth) {
    case Depth::k8:
      return Convert<Rgba8>(from);
    case Depth::k16:
      return Convert<Rgba16>(from);
    case Depth::k32:
      break;
  }
  return Convert<RgbaF>(from);
}

}  // namespace

std::uint16_t FileToHost16(std::uint16_t file_value) {
  return static_cast<std::uint16_t>((file_value * 32768u + 32767u) / 65535u);
}

std::uint16_t HostToFile16(std::uint16_t host_value) {
  const unsigned v = std::min<unsigned>(host_value, 32768u);
  return static_cast<std::uint16_t>((v * 65535u + 16384u) / 32768u);
}

Image ConvertDepth(const Image& image, Depth depth) {
  if (DepthOf(image) == depth) return image;
  return std::visit([depth](const auto& from) { return ConvertTo(from, depth); }, image);
}

void Premultiply(ImageF& image) {
  for (RgbaF& p : image.pixels) {
    p.r *= p.a;
    p.g *= p.a;
    p.b *= p.a;
  }
}

void Unpremultiply(ImageF& image) {
  for (RgbaF& p : image.pixels) {
    if (p.a == 0.0f) {
      p = RgbaF{};
    } else {
      p.r /= p.a;
      p.g /= p.a;
      p.b /= p.a;
    }
  }
}

Image8 FlattenOnBlack8(const Image& image) {
  const ImageF unit = std::get<ImageF>(ConvertDepth(image, Depth::k32));
  Image8 flat(unit.width, unit.height);
  for (std::size_t i = 0; i < unit.pixels.size(); ++i) {
    const RgbaF& p = unit.pixels[i];
    const float a = Clamp01(p.a);
    flat.pixels[i] = {FromUnit<std::uint8_t>(p.r * a), FromUnit<std::uint8_t>(p.g * a),
                      FromUnit<std::uint8_t>(p.b * a), 255};
  }
  return flat;
}

}  // namespace fxhost
