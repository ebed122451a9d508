// Effect worlds owned by the host: the pixels of one world in one of the three depths, zeroed,
// with an optional row padding beyond the width, and the PF_EffectWorld record that describes
// them to a plug-in.
//
// Every live WorldBuffer is known to a process-wide registry, so the host can tell the depth of
// any world record a plug-in hands back (PF_GetPixelFormat, fill, area sampling) and can refuse a
// record that does not describe one of its worlds exactly; the host never reads or writes pixels
// through a record it cannot vouch for.
#ifndef ZELKRA_HOST_WORLD_BUFFER_H
#define ZELKRA_HOST_WORLD_BUFFER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "pf_host_interface.h"

namespace host {

enum class PixelDepth { k8Bit, k16Bit, kFloat };

// What the host needs to know about each pixel record.
template <typename Pixel>
struct PixelTraits;
template <>
struct PixelTraits<PF_Pixel> {
  static constexpr PixelDepth kDepth = PixelDepth::k8Bit;
  static constexpr double kFullScale = PF_MAX_CHAN8;
};
template <>
struct PixelTraits<PF_Pixel16> {
  static constexpr PixelDepth kDepth = PixelDepth::k16Bit;
  static constexpr double kFullScale = PF_MAX_CHAN16;
};
template <>
struct PixelTraits<PF_PixelFloat> {
  static constexpr PixelDepth kDepth = PixelDepth::kFloat;
  static constexpr double kFullScale = 1.0;
};

// 4, 8 or 16.
std::size_t BytesPerPixel(PixelDepth depth) noexcept;
// PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64 or PF_PixelFormat_ARGB128.
PF_PixelFormat PixelFormatOf(PixelDepth depth) noexcept;
// The depth of one of the three formats; nothing for any other value.
std::optional<PixelDepth> DepthOfPixelFormat(PF_PixelFormat format) noexcept;

// The depth of the world `world` describes, when it describes a live WorldBuffer exactly (same
// pixel data, row bytes, width and height as the host handed out); nothing otherwise.
// Thread-safe.
std::optional<PixelDepth> FindDepth(const PF_EffectWorld& world);
// As FindDepth, as a pixel format; PF_PixelFormat_INVALID for a record the host did not hand out.
PF_PixelFormat FindPixelFormat(const PF_EffectWorld& world);

// An 8-bit colour in a deeper depth: 16-bit channels round(v * 32768 / 255), float v / 255.
PF_Pixel16 ToPixel16(const PF_Pixel& color) noexcept;
PF_PixelFloat ToPixelFloat(const PF_Pixel& color) noexcept;

// The largest world the host makes, in bytes of pixel data (row bytes times height).
inline constexpr std::int64_t kMaxWorldBytes = std::int64_t{1} << 32;

// Whether the host makes a world of this size: 0, PF_Err_BAD_CALLBACK_PARAM for a negative width,
// height or padding, PF_Err_OUT_OF_MEMORY when the row bytes overflow A_long or the pixel data
// would exceed kMaxWorldBytes.
PF_Err CheckWorldSize(A_long width, A_long height, PixelDepth depth, A_long row_padding = 0) noexcept;

// A refused world size, with the host error code CheckWorldSize gave.
class WorldSizeError : public std::invalid_argument {
 public:
  WorldSizeError(PF_Err error, const std::string& what) : std::invalid_argument(what), error_(error) {}
  PF_Err error() const noexcept { return error_; }

 private:
  PF_Err error_;
};

// One world's pixels and its record. Move-only; the record's pixel pointer stays valid across
// moves. A world of zero width or height has no pixel data (data is null) and a valid record.
class WorldBuffer {
 public:
  // `row_padding` pixels follow each row's `width` pixels, so rowbytes is
  // (width + row_padding) * BytesPerPixel(depth). All pixels, padding included, start at zero.
  // Throws WorldSizeError for a size CheckWorldSize refuses, std::bad_alloc when memory runs out.
  WorldBuffer(A_long width, A_long height, PixelDepth depth, A_long row_padding = 0);
  ~WorldBuffer();
  WorldBuffer(WorldBuffer&& other) noexcept;
  WorldBuffer& operator=(WorldBuffer&& other) noexcept;
  WorldBuffer(const WorldBuffer&) = delete;
  WorldBuffer& operator=(const WorldBuffer&) = delete;

  // The record handed to a plug-in (by pointer or by copy). world_flags carry
  // PF_WorldFlag_WRITEABLE, plus PF_WorldFlag_DEEP for 16-bit; extent_hint is the whole world;
  // platform_ref identifies the world to the host and must be left as it is.
  PF_EffectWorld& world() noexcept { return world_; }
  const PF_EffectWorld& world() const noexcept { return world_; }

  PixelDepth depth() const noexcept { return depth_; }
  PF_PixelFormat pixel_format() const noexcept { return PixelFormatOf(depth_); }
  A_long width() const noexcept { return width_; }
  A_long height() const noexcept { return height_; }
  A_long rowbytes() const noexcept { return rowbytes_; }
  A_long row_padding() const noexcept { return row_padding_; }

  // Whether `record` describes this world exactly (identity, pixel data, row bytes, width and
  // height), as FindDepth checks it: how a suite finds the buffer behind a record it is handed
  // back, e.g. to dispose of it.
  bool Describes(const PF_EffectWorld& record) const noexcept;

  // Fills the pixels of `rect` (left and top inclusive, right and bottom exclusive, clipped to the
  // world; null for the whole world) with `color`, converted to the world's depth. Padding is
  // never written.
  void Fill(const PF_Pixel& color, const PF_Rect* rect = nullptr) noexcept;

  // Typed access for tests and host code. The pixel type must match the depth (else
  // std::logic_error) and the coordinates must lie in the world (else std::out_of_range).
  // Row gives the `width` pixels of a row, PaddedRow the row with its padding.
  template <typename Pixel>
  std::span<Pixel> Row(A_long y) {
    return {RowStart<Pixel>(y), static_cast<std::size_t>(width_)};
  }
  template <typename Pixel>
  std::span<const Pixel> Row(A_long y) const {
    return {const_cast<WorldBuffer*>(this)->RowStart<Pixel>(y), static_cast<std::size_t>(width_)};
  }
  template <typename Pixel>
  std::span<Pixel> PaddedRow(A_long y) {
    return {RowStart<Pixel>(y), static_cast<std::size_t>(width_) + static_cast<std::size_t>(row_padding_)};
  }
  template <typename Pixel>
  Pixel& At(A_long x, A_long y) {
    if (x < 0 || x >= width_) throw std::out_of_range("world column out of range");
    return RowStart<Pixel>(y)[x];
  }
  template <typename Pixel>
  const Pixel& At(A_long x, A_long y) const {
    return const_cast<WorldBuffer*>(this)->At<Pixel>(x, y);
  }

 private:
  template <typename Pixel>
  Pixel* RowStart(A_long y) {
    CheckPixelType(PixelTraits<Pixel>::kDepth);
    if (y < 0 || y >= height_) throw std::out_of_range("world row out of range");
    return reinterpret_cast<Pixel*>(pixels_.get() + static_cast<std::ptrdiff_t>(y) * rowbytes_);
  }
  void CheckPixelType(PixelDepth requested) const;
  void Unregister() noexcept;

  PixelDepth depth_;
  A_long width_;
  A_long height_;
  A_long row_padding_;
  A_long rowbytes_;
  std::unique_ptr<std::byte[]> pixels_;
  // A unique address that names this world in the registry; moves with the pixels.
  std::unique_ptr<char> identity_;
  PF_EffectWorld world_;
};

// The host's fill callback: fills `rect` (null for the whole world, clipped to it) of `world`
// with `color` converted to the world's depth. PF_Err_BAD_CALLBACK_PARAM, with nothing written,
// for a null colour or world or a record that is not a live world of this host.
PF_Err FillWorld(const PF_Pixel* color, const PF_Rect* rect, PF_EffectWorld* world);

}  // namespace host

#endif
