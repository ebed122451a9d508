#include "host/world_buffer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace host {
namespace {

// What the registry remembers of each live world: enough to recognise its record exactly.
struct RegisteredWorld {
  PixelDepth depth;
  const void* data;
  A_long rowbytes;
  A_long width;
  A_long height;
};

// Worlds are looked up once per host call that takes one (a fill, an area sample: millions a frame,
// from several threads). Each thread keeps the last world it found; the registry's generation, which
// every removal advances, tells whether that world may have gone since, so a repeated lookup of a live
// world takes no lock.
class WorldRegistry {
 public:
  void Add(const void* identity, const RegisteredWorld& world) {
    std::lock_guard lock(mutex_);
    worlds_[identity] = world;
  }
  void Remove(const void* identity) {
    std::lock_guard lock(mutex_);
    worlds_.erase(identity);
    generation_.fetch_add(1, std::memory_order_release);
  }
  std::optional<PixelDepth> Find(const PF_EffectWorld& world) {
    if (world.platform_ref == nullptr) return std::nullopt;
    struct LastFound {
      const void* identity = nullptr;
      std::uintptr_t generation = 0;
      RegisteredWorld world{};
    };
    thread_local LastFound last;
    const std::uintptr_t generation = generation_.load(std::memory_order_acquire);
    if (last.identity != world.platform_ref || last.generation != generation) {
      std::lock_guard lock(mutex_);
      const auto found = worlds_.find(world.platform_ref);
      if (found == worlds_.end()) return std::nullopt;
      last = {world.platform_ref, generation, found->second};
    }
    const RegisteredWorld& known = last.world;
    if (world.data != known.data || world.rowbytes != known.rowbytes || world.width != known.width ||
        world.height != known.height) {
      return std::nullopt;
    }
    return known.depth;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<const void*, RegisteredWorld> worlds_;
  std::atomic<std::uintptr_t> generation_{1};  // lock-free on 32-bit builds too; caches start at 0
};

WorldRegistry& Registry() {
  static WorldRegistry registry;
  return registry;
}

template <typename Pixel>
Pixel Converted(const PF_Pixel& color) noexcept;
template <>
PF_Pixel Converted(const PF_Pixel& color) noexcept {
  return color;
}
template <>
PF_Pixel16 Converted(const PF_Pixel& color) noexcept {
  return ToPixel16(color);
}
template <>
PF_PixelFloat Converted(const PF_Pixel& color) noexcept {
  return ToPixelFloat(color);
}

// Whether every byte of `value` is the same (transparent black, opaque white in 8-bit, ...).
template <typename Pixel>
bool OneByteValue(const Pixel& value, unsigned char& byte) noexcept {
  unsigned char bytes[sizeof(Pixel)];
  std::memcpy(bytes, &value, sizeof(Pixel));
  byte = bytes[0];
  return std::all_of(bytes, bytes + sizeof(Pixel), [&](unsigned char b) { return b == byte; });
}

// Fills the pixels of `rect` clipped to [0, width) x [0, height) of the rows starting at `data`, at
// memset speed: a value of one repeated byte is a memset (one for the whole block when the rows are
// contiguous), any other value is written into the first row and copied into the rest.
template <typename Pixel>
void FillRows(std::byte* data, A_long rowbytes, A_long width, A_long height, const PF_Pixel& color,
              const PF_Rect* rect) noexcept {
  A_long left = 0, top = 0, right = width, bottom = height;
  if (rect != nullptr) {
    left = std::max(left, rect->left);
    top = std::max(top, rect->top);
    right = std::min(right, rect->right);
    bottom = std::min(bottom, rect->bottom);
  }
  if (left >= right || top >= bottom) return;
  const Pixel value = Converted<Pixel>(color);
  const std::size_t span = static_cast<std::size_t>(right - left) * sizeof(Pixel);
  const auto row_at = [&](A_long y) {
    return data + static_cast<std::ptrdiff_t>(y) * rowbytes +
           static_cast<std::ptrdiff_t>(left) * sizeof(Pixel);
  };
  unsigned char byte = 0;
  if (OneByteValue(value, byte)) {
    if (span == static_cast<std::size_t>(rowbytes)) {
      std::memset(row_at(top), byte, span * static_cast<std::size_t>(bottom - top));
    } else {
      for (A_long y = top; y < bottom; ++y) std::memset(row_at(y), byte, span);
    }
    return;
  }
  Pixel* first = reinterpret_cast<Pixel*>(row_at(top));
  std::fill(first, first + (right - left), value);
  for (A_long y = top + 1; y < bottom; ++y) std::memcpy(row_at(y), first, span);
}

void FillRows(PixelDepth depth, std::byte* data, A_long rowbytes, A_long width, A_long height,
              const PF_Pixel& color, const PF_Rect* rect) noexcept {
  switch (depth) {
    case PixelDepth::k8Bit:
      return FillRows<PF_Pixel>(data, rowbytes, width, height, color, rect);
    case PixelDepth::k16Bit:
      return FillRows<PF_Pixel16>(data, rowbytes, width, height, color, rect);
    case PixelDepth::kFloat:
      return FillRows<PF_PixelFloat>(data, rowbytes, width, height, color, rect);
  }
}

}  // namespace

std::size_t BytesPerPixel(PixelDepth depth) noexcept {
  switch (depth) {
    case PixelDepth::k8Bit:
      return sizeof(PF_Pixel);
    case PixelDepth::k16Bit:
      return sizeof(PF_Pixel16);
    case PixelDepth::kFloat:
      return sizeof(PF_PixelFloat);
  }
  return 0;
}

PF_PixelFormat PixelFormatOf(PixelDepth depth) noexcept {
  switch (depth) {
    case PixelDepth::k8Bit:
      return PF_PixelFormat_ARGB32;
    case PixelDepth::k16Bit:
      return PF_PixelFormat_ARGB64;
    case PixelDepth::kFloat:
      return PF_PixelFormat_ARGB128;
  }
  return PF_PixelFormat_INVALID;
}

std::optional<PixelDepth> DepthOfPixelFormat(PF_PixelFormat format) noexcept {
  switch (format) {
    case PF_PixelFormat_ARGB32:
      return PixelDepth::k8Bit;
    case PF_PixelFormat_ARGB64:
      return PixelDepth::k16Bit;
    case PF_PixelFormat_ARGB128:
      return PixelDepth::kFloat;
    default:
      return std::nullopt;
  }
}

std::optional<PixelDepth> FindDepth(const PF_EffectWorld& world) {
  return Registry().Find(world);
}

PF_PixelFormat FindPixelFormat(const PF_EffectWorld& world) {
  const std::optional<PixelDepth> depth = FindDepth(world);
  return depth ? PixelFormatOf(*depth) : PF_PixelFormat_INVALID;
}

PF_Pixel16 ToPixel16(const PF_Pixel& color) noexcept {
  // round(v * 32768 / 255); v * 32768 / 255 is never exactly halfway, so adding 127 before the
  // integer division rounds to nearest.
  const auto scale = [](A_u_char v) {
    return static_cast<A_u_short>((static_cast<std::uint32_t>(v) * PF_MAX_CHAN16 + 127) / PF_MAX_CHAN8);
  };
  return {scale(color.alpha), scale(color.red), scale(color.green), scale(color.blue)};
}

PF_PixelFloat ToPixelFloat(const PF_Pixel& color) noexcept {
  const auto scale = [](A_u_char v) { return static_cast<PF_FpShort>(v / 255.0); };
  return {scale(color.alpha), scale(color.red), scale(color.green), scale(color.blue)};
}

PF_Err CheckWorldSize(A_long width, A_long height, PixelDepth depth, A_long row_padding) noexcept {
  if (width < 0 || height < 0 || row_padding < 0) return PF_Err_BAD_CALLBACK_PARAM;
  const std::int64_t rowbytes =
      (std::int64_t{width} + row_padding) * static_cast<std::int64_t>(BytesPerPixel(depth));
  if (rowbytes > std::numeric_limits<A_long>::max()) return PF_Err_OUT_OF_MEMORY;
  // Both factors are below 2^31, so the product cannot overflow.
  if (rowbytes * height > kMaxWorldBytes) return PF_Err_OUT_OF_MEMORY;
  return PF_Err_NONE;
}

WorldBuffer::WorldBuffer(A_long width, A_long height, PixelDepth depth, A_long row_padding)
    : depth_(depth), width_(width), height_(height), row_padding_(row_padding), rowbytes_(0), world_{} {
  if (const PF_Err error = CheckWorldSize(width, height, depth, row_padding); error != PF_Err_NONE) {
    throw WorldSizeError(error, "world size refused: " + std::to_string(width) + " x " +
                                    std::to_string(height) + " with padding " + std::to_string(row_padding));
  }
  rowbytes_ = static_cast<A_long>((width + row_padding) * static_cast<A_long>(BytesPerPixel(depth)));
  if (width > 0 && height > 0) {
    // Value-initialised: every byte, padding included, starts at zero.
    pixels_ =
        std::make_unique<std::byte[]>(static_cast<std::size_t>(rowbytes_) * static_cast<std::size_t>(height));
  }
  identity_ = std::make_unique<char>();

  world_.world_flags = PF_WorldFlag_WRITEABLE | (depth == PixelDepth::k16Bit ? PF_WorldFlag_DEEP : 0);
  world_.data = reinterpret_cast<PF_PixelPtr>(pixels_.get());
  world_.rowbytes = rowbytes_;
  world_.width = width;
  world_.height = height;
  world_.extent_hint = {0, 0, width, height};
  world_.platform_ref = identity_.get();
  world_.pix_aspect_ratio = {1, 1};
  Registry().Add(identity_.get(), {depth, world_.data, rowbytes_, width, height});
}

WorldBuffer::~WorldBuffer() {
  Unregister();
}

WorldBuffer::WorldBuffer(WorldBuffer&& other) noexcept
    : depth_(other.depth_),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      row_padding_(std::exchange(other.row_padding_, 0)),
      rowbytes_(std::exchange(other.rowbytes_, 0)),
      pixels_(std::move(other.pixels_)),
      identity_(std::move(other.identity_)),
      world_(std::exchange(other.world_, PF_EffectWorld{})) {}

WorldBuffer& WorldBuffer::operator=(WorldBuffer&& other) noexcept {
  if (this != &other) {
    Unregister();
    depth_ = other.depth_;
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    row_padding_ = std::exchange(other.row_padding_, 0);
    rowbytes_ = std::exchange(other.rowbytes_, 0);
    pixels_ = std::move(other.pixels_);
    identity_ = std::move(other.identity_);
    world_ = std::exchange(other.world_, PF_EffectWorld{});
  }
  return *this;
}

void WorldBuffer::Unregister() noexcept {
  if (identity_) Registry().Remove(identity_.get());
}

bool WorldBuffer::Describes(const PF_EffectWorld& record) const noexcept {
  return identity_ && record.platform_ref == identity_.get() && record.data == world_.data &&
         record.rowbytes == rowbytes_ && record.width == width_ && record.height == height_;
}

void WorldBuffer::Fill(const PF_Pixel& color, const PF_Rect* rect) noexcept {
  if (pixels_) FillRows(depth_, pixels_.get(), rowbytes_, width_, height_, color, rect);
}

void WorldBuffer::CheckPixelType(PixelDepth requested) const {
  if (requested != depth_) throw std::logic_error("pixel type does not match the world's depth");
}

PF_Err FillWorld(const PF_Pixel* color, const PF_Rect* rect, PF_EffectWorld* world) {
  if (color == nullptr || world == nullptr) return PF_Err_BAD_CALLBACK_PARAM;
  const std::optional<PixelDepth> depth = FindDepth(*world);
  if (!depth) return PF_Err_BAD_CALLBACK_PARAM;
  if (world->data != nullptr) {
    FillRows(*depth, reinterpret_cast<std::byte*>(world->data), world->rowbytes, world->width, world->height,
             *color, rect);
  }
  return PF_Err_NONE;
}

}  // namespace host
