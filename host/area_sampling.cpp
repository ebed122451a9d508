#include "host/area_sampling.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include "host/world_buffer.h"

namespace host {
namespace {

constexpr std::int64_t kOne = PF_Fixed_ONE;
constexpr std::int64_t kHalf = PF_Fixed_ONE / 2;

// One axis of the sampling box. Positions are in 1/65536 pixel, shifted by half a pixel so that
// pixel i spans [i * kOne, (i + 1) * kOne]; the box spans [low, high] in the same units.
struct Axis {
  bool point;          // zero radius: the one pixel under the point, weight 1
  std::int64_t low;    // box start (not used for a point)
  std::int64_t high;   // box end (not used for a point)
  std::int64_t first;  // first pixel touched within the world
  std::int64_t last;   // last pixel touched within the world; last < first when none
  double extent;       // box size in pixels (1 for a point)

  // The part of pixel i that the box covers, in pixels.
  double Coverage(std::int64_t i) const {
    if (point) return 1.0;
    const std::int64_t covered = std::min(high, (i + 1) * kOne) - std::max(low, i * kOne);
    return static_cast<double>(covered) / kOne;
  }
};

// C++20 shifts of negative values are arithmetic, so >> divides rounding towards minus infinity.
std::int64_t FloorToPixel(std::int64_t position) {
  return position >> 16;
}

Axis MakeAxis(PF_Fixed centre, PF_Fixed radius, A_long size) {
  Axis axis{};
  const std::int64_t shifted = std::int64_t{centre} + kHalf;
  if (radius == 0) {
    axis.point = true;
    axis.first = axis.last = FloorToPixel(shifted);
    axis.extent = 1.0;
  } else {
    axis.low = shifted - radius;
    axis.high = shifted + radius;
    axis.first = FloorToPixel(axis.low);
    axis.last = FloorToPixel(axis.high + kOne - 1) - 1;  // the pixel that contains high
    axis.extent = 2.0 * radius / kOne;
  }
  axis.first = std::max<std::int64_t>(axis.first, 0);
  axis.last = std::min<std::int64_t>(axis.last, std::int64_t{size} - 1);
  return axis;
}

template <typename Pixel>
auto ToChannel(double value) {
  using Channel = decltype(Pixel::alpha);
  if constexpr (std::is_floating_point_v<Channel>) {
    return static_cast<Channel>(value);
  } else {
    const double top = std::numeric_limits<Channel>::max();
    return static_cast<Channel>(std::clamp(value, 0.0, top) + 0.5);
  }
}

// What a sample reads, checked: null for a call the host refuses (the error in *error).
template <typename Pixel>
const PF_EffectWorld* CheckedSource(const PF_SampPB* params, Pixel* dst, PF_Err* error) {
  *error = PF_Err_BAD_CALLBACK_PARAM;
  if (dst == nullptr) return nullptr;
  *dst = Pixel{};
  if (params == nullptr || params->src == nullptr || params->x_radius < 0 || params->y_radius < 0)
    return nullptr;
  if (FindDepth(*params->src) != std::optional<PixelDepth>(PixelTraits<Pixel>::kDepth)) return nullptr;
  *error = PF_Err_NONE;
  return params->src;
}

// The sums of weight * alpha and weight * alpha * colour over the box, and the result from them.
struct Sums {
  double alpha = 0, red = 0, green = 0, blue = 0;
};

template <typename Pixel>
Pixel ResultOf(const Sums& sums, const Axis& across, const Axis& down) {
  if (sums.alpha == 0) return Pixel{};
  Pixel out{};
  out.alpha = ToChannel<Pixel>(sums.alpha / (across.extent * down.extent));
  if (out.alpha != 0) {  // an 8/16-bit alpha that rounds to zero takes no colour either
    out.red = ToChannel<Pixel>(sums.red / sums.alpha);
    out.green = ToChannel<Pixel>(sums.green / sums.alpha);
    out.blue = ToChannel<Pixel>(sums.blue / sums.alpha);
  }
  return out;
}

const std::byte* RowOf(const PF_EffectWorld& src, std::int64_t j) {
  return reinterpret_cast<const std::byte*>(src.data) + static_cast<std::ptrdiff_t>(j) * src.rowbytes;
}

// The rule as written: every pixel of the box weighed by its coverage, row by row (the weights are
// separable). The reference the fast path below is tested against.
template <typename Pixel>
Sums PlainSums(const PF_EffectWorld& src, const Axis& across, const Axis& down) {
  Sums sums;
  for (std::int64_t j = down.first; j <= down.last; ++j) {
    const auto* row = reinterpret_cast<const Pixel*>(RowOf(src, j));
    double row_alpha = 0, row_red = 0, row_green = 0, row_blue = 0;
    for (std::int64_t i = across.first; i <= across.last; ++i) {
      const Pixel& p = row[i];
      const double weighted_alpha = across.Coverage(i) * p.alpha;
      row_alpha += weighted_alpha;
      row_red += weighted_alpha * p.red;
      row_green += weighted_alpha * p.green;
      row_blue += weighted_alpha * p.blue;
    }
    const double weight = down.Coverage(j);
    sums.alpha += weight * row_alpha;
    sums.red += weight * row_red;
    sums.green += weight * row_green;
    sums.blue += weight * row_blue;
  }
  return sums;
}

// The same operations in the same order, without the per-pixel coverage: only the first and last
// column of a box can be partly covered, every column between is covered whole, and its coverage
// is exactly 1.0, so multiplying by it changes nothing. The sums are bit for bit the plain ones.
template <typename Pixel>
Sums FastSums(const PF_EffectWorld& src, const Axis& across, const Axis& down) {
  Sums sums;
  const std::int64_t first = across.first, last = across.last;
  const double first_coverage = across.Coverage(first);
  const double last_coverage = across.Coverage(last);
  for (std::int64_t j = down.first; j <= down.last; ++j) {
    const auto* row = reinterpret_cast<const Pixel*>(RowOf(src, j));
    const Pixel& p0 = row[first];
    const double a0 = first_coverage * p0.alpha;
    // 0 + v as in the plain sums: a first term of -0 starts them at +0 there too.
    double row_alpha = 0.0 + a0, row_red = 0.0 + a0 * p0.red, row_green = 0.0 + a0 * p0.green,
           row_blue = 0.0 + a0 * p0.blue;
    for (std::int64_t i = first + 1; i < last; ++i) {
      const Pixel& p = row[i];
      const double a = p.alpha;
      row_alpha += a;
      row_red += a * p.red;
      row_green += a * p.green;
      row_blue += a * p.blue;
    }
    if (last > first) {
      const Pixel& p = row[last];
      const double a = last_coverage * p.alpha;
      row_alpha += a;
      row_red += a * p.red;
      row_green += a * p.green;
      row_blue += a * p.blue;
    }
    const double weight = down.Coverage(j);
    sums.alpha += weight * row_alpha;
    sums.red += weight * row_red;
    sums.green += weight * row_green;
    sums.blue += weight * row_blue;
  }
  return sums;
}

template <typename Pixel, Sums (*kSums)(const PF_EffectWorld&, const Axis&, const Axis&)>
PF_Err Sample(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, Pixel* dst) {
  PF_Err error = PF_Err_NONE;
  const PF_EffectWorld* src = CheckedSource(params, dst, &error);
  if (src == nullptr) return error;
  const Axis across = MakeAxis(x, params->x_radius, src->width);
  const Axis down = MakeAxis(y, params->y_radius, src->height);
  if (across.first > across.last || down.first > down.last) return PF_Err_NONE;  // all outside
  *dst = ResultOf<Pixel>(kSums(*src, across, down), across, down);
  return PF_Err_NONE;
}

}  // namespace

PF_Err AreaSample8(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel* dst) {
  return Sample<PF_Pixel, FastSums<PF_Pixel>>(x, y, params, dst);
}

PF_Err AreaSample16(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel16* dst) {
  return Sample<PF_Pixel16, FastSums<PF_Pixel16>>(x, y, params, dst);
}

PF_Err AreaSampleFloat(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_PixelFloat* dst) {
  return Sample<PF_PixelFloat, FastSums<PF_PixelFloat>>(x, y, params, dst);
}

PF_Err PlainAreaSample8(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel* dst) {
  return Sample<PF_Pixel, PlainSums<PF_Pixel>>(x, y, params, dst);
}

PF_Err PlainAreaSample16(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_Pixel16* dst) {
  return Sample<PF_Pixel16, PlainSums<PF_Pixel16>>(x, y, params, dst);
}

PF_Err PlainAreaSampleFloat(PF_Fixed x, PF_Fixed y, const PF_SampPB* params, PF_PixelFloat* dst) {
  return Sample<PF_PixelFloat, PlainSums<PF_PixelFloat>>(x, y, params, dst);
}

}  // namespace host
