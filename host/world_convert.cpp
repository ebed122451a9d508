#include "host/world_convert.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

// A channel of a pixel type, as a fraction of full scale, and back.
template <typename Pixel>
double Unit(decltype(Pixel::alpha) c) {
  return static_cast<double>(c) / PixelTraits<Pixel>::kFullScale;
}

template <typename Pixel>
decltype(Pixel::alpha) FromUnit(double u) {
  if constexpr (PixelTraits<Pixel>::kDepth == PixelDepth::kFloat) {
    return static_cast<float>(u);
  } else {
    if (!(u > 0.0)) return 0;  // negative, zero or NaN
    const double scaled =
        std::min(std::round(u * PixelTraits<Pixel>::kFullScale), PixelTraits<Pixel>::kFullScale);
    return static_cast<decltype(Pixel::alpha)>(scaled);
  }
}

template <typename To, typename From>
To ConvertPixel(const From& p) {
  if constexpr (std::is_same_v<To, From>) {
    return p;
  } else if constexpr (std::is_same_v<From, PF_Pixel> && std::is_same_v<To, PF_Pixel16>) {
    return ToPixel16(p);
  } else if constexpr (std::is_same_v<From, PF_Pixel> && std::is_same_v<To, PF_PixelFloat>) {
    return ToPixelFloat(p);
  } else {
    return To{FromUnit<To>(Unit<From>(p.alpha)), FromUnit<To>(Unit<From>(p.red)),
              FromUnit<To>(Unit<From>(p.green)), FromUnit<To>(Unit<From>(p.blue))};
  }
}

template <typename To, typename From>
void ConvertRows(const WorldBuffer& src, WorldBuffer& dst) {
  for (A_long y = 0; y < src.height(); ++y) {
    const auto from = src.Row<From>(y);
    const auto to = dst.Row<To>(y);
    std::transform(from.begin(), from.end(), to.begin(), ConvertPixel<To, From>);
  }
}

template <typename To>
void ConvertFrom(const WorldBuffer& src, WorldBuffer& dst) {
  switch (src.depth()) {
    case PixelDepth::k8Bit:
      return ConvertRows<To, PF_Pixel>(src, dst);
    case PixelDepth::k16Bit:
      return ConvertRows<To, PF_Pixel16>(src, dst);
    case PixelDepth::kFloat:
      return ConvertRows<To, PF_PixelFloat>(src, dst);
  }
}

}  // namespace

WorldBuffer ConvertWorld(const WorldBuffer& src, PixelDepth depth) {
  WorldBuffer dst(src.width(), src.height(), depth);
  if (src.width() == 0 || src.height() == 0) return dst;
  switch (depth) {
    case PixelDepth::k8Bit:
      ConvertFrom<PF_Pixel>(src, dst);
      break;
    case PixelDepth::k16Bit:
      ConvertFrom<PF_Pixel16>(src, dst);
      break;
    case PixelDepth::kFloat:
      ConvertFrom<PF_PixelFloat>(src, dst);
      break;
  }
  return dst;
}

}  // namespace host
