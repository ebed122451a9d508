#include "host/world_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

// Pixel records are plain C structs of the global namespace; comparison and printing for tests.
template <typename Pixel>
bool SameChannels(const Pixel& a, const Pixel& b) {
  return a.alpha == b.alpha && a.red == b.red && a.green == b.green && a.blue == b.blue;
}
template <typename Pixel>
std::ostream& PrintChannels(std::ostream& out, const Pixel& p) {
  return out << "{" << +p.alpha << ", " << +p.red << ", " << +p.green << ", " << +p.blue << "}";
}
bool operator==(const PF_Pixel& a, const PF_Pixel& b) {
  return SameChannels(a, b);
}
bool operator==(const PF_Pixel16& a, const PF_Pixel16& b) {
  return SameChannels(a, b);
}
bool operator==(const PF_PixelFloat& a, const PF_PixelFloat& b) {
  return SameChannels(a, b);
}
std::ostream& operator<<(std::ostream& out, const PF_Pixel& p) {
  return PrintChannels(out, p);
}
std::ostream& operator<<(std::ostream& out, const PF_Pixel16& p) {
  return PrintChannels(out, p);
}
std::ostream& operator<<(std::ostream& out, const PF_PixelFloat& p) {
  return PrintChannels(out, p);
}

namespace host {
namespace {

const PixelDepth kDepths[] = {PixelDepth::k8Bit, PixelDepth::k16Bit, PixelDepth::kFloat};

bool AllBytesZero(const WorldBuffer& buffer) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.world().data);
  const std::size_t size = static_cast<std::size_t>(buffer.rowbytes()) * buffer.height();
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

TEST(WorldBuffer, DescribesItsPixelsInEachDepthWithPadding) {
  struct Case {
    PixelDepth depth;
    A_long padding;
    A_long bytes_per_pixel;
    PF_PixelFormat format;
    PF_WorldFlags flags;
  };
  const Case cases[] = {
      {PixelDepth::k8Bit, 0, 4, PF_PixelFormat_ARGB32, PF_WorldFlag_WRITEABLE},
      {PixelDepth::k8Bit, 3, 4, PF_PixelFormat_ARGB32, PF_WorldFlag_WRITEABLE},
      {PixelDepth::k16Bit, 0, 8, PF_PixelFormat_ARGB64, PF_WorldFlag_WRITEABLE | PF_WorldFlag_DEEP},
      {PixelDepth::k16Bit, 1, 8, PF_PixelFormat_ARGB64, PF_WorldFlag_WRITEABLE | PF_WorldFlag_DEEP},
      {PixelDepth::kFloat, 0, 16, PF_PixelFormat_ARGB128, PF_WorldFlag_WRITEABLE},
      {PixelDepth::kFloat, 5, 16, PF_PixelFormat_ARGB128, PF_WorldFlag_WRITEABLE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "depth " << static_cast<int>(c.depth) << " padding " << c.padding);
    WorldBuffer buffer(7, 5, c.depth, c.padding);
    const PF_EffectWorld& world = buffer.world();
    EXPECT_EQ(world.width, 7);
    EXPECT_EQ(world.height, 5);
    EXPECT_EQ(world.rowbytes, (7 + c.padding) * c.bytes_per_pixel);
    EXPECT_EQ(world.world_flags, c.flags);
    EXPECT_EQ(world.extent_hint.left, 0);
    EXPECT_EQ(world.extent_hint.top, 0);
    EXPECT_EQ(world.extent_hint.right, 7);
    EXPECT_EQ(world.extent_hint.bottom, 5);
    EXPECT_EQ(buffer.pixel_format(), c.format);
    EXPECT_EQ(FindPixelFormat(world), c.format);
    EXPECT_EQ(DepthOfPixelFormat(c.format), c.depth);
    ASSERT_NE(world.data, nullptr);
    EXPECT_TRUE(AllBytesZero(buffer));

    // Pixel (x, y) lies at byte y * rowbytes + x * bytes per pixel, and the last pixel of the last
    // row (padding included) is inside the allocation (checked by the address sanitizer).
    const auto* base = reinterpret_cast<const std::byte*>(world.data);
    const auto offset = [&](const void* p) { return reinterpret_cast<const std::byte*>(p) - base; };
    switch (c.depth) {
      case PixelDepth::k8Bit:
        EXPECT_EQ(offset(&buffer.At<PF_Pixel>(6, 4)), 4 * world.rowbytes + 6 * 4);
        buffer.PaddedRow<PF_Pixel>(4).back().alpha = 1;
        EXPECT_EQ(buffer.Row<PF_Pixel>(2).size(), 7u);
        break;
      case PixelDepth::k16Bit:
        EXPECT_EQ(offset(&buffer.At<PF_Pixel16>(6, 4)), 4 * world.rowbytes + 6 * 8);
        buffer.PaddedRow<PF_Pixel16>(4).back().alpha = 1;
        EXPECT_EQ(buffer.Row<PF_Pixel16>(2).size(), 7u);
        break;
      case PixelDepth::kFloat:
        EXPECT_EQ(offset(&buffer.At<PF_PixelFloat>(6, 4)), 4 * world.rowbytes + 6 * 16);
        buffer.PaddedRow<PF_PixelFloat>(4).back().alpha = 1;
        EXPECT_EQ(buffer.Row<PF_PixelFloat>(2).size(), 7u);
        break;
    }
  }
}

TEST(WorldBuffer, TypedAccessRefusesWrongTypeAndOutsideCoordinates) {
  WorldBuffer buffer(3, 2, PixelDepth::k16Bit);
  EXPECT_THROW(buffer.At<PF_Pixel>(0, 0), std::logic_error);
  EXPECT_THROW(buffer.Row<PF_PixelFloat>(0), std::logic_error);
  EXPECT_THROW(buffer.At<PF_Pixel16>(3, 0), std::out_of_range);
  EXPECT_THROW(buffer.At<PF_Pixel16>(-1, 0), std::out_of_range);
  EXPECT_THROW(buffer.Row<PF_Pixel16>(2), std::out_of_range);
  EXPECT_NO_THROW(buffer.At<PF_Pixel16>(2, 1));
}

TEST(WorldBuffer, RecognisesOnlyRecordsOfLiveWorldsItHandedOut) {
  std::optional<WorldBuffer> buffer(std::in_place, 4, 4, PixelDepth::kFloat, 2);
  const PF_EffectWorld copy = buffer->world();
  EXPECT_EQ(FindPixelFormat(copy), PF_PixelFormat_ARGB128);

  // A record that no longer matches the world exactly is refused, so the host never writes
  // through a width, stride or pointer the plug-in changed.
  PF_EffectWorld wider = copy;
  wider.width = 6;
  PF_EffectWorld shorter_stride = copy;
  shorter_stride.rowbytes -= 16;
  PF_EffectWorld moved_data = copy;
  moved_data.data += 1;
  PF_EffectWorld no_identity = copy;
  no_identity.platform_ref = nullptr;
  EXPECT_TRUE(buffer->Describes(copy));
  for (const PF_EffectWorld& changed : {wider, shorter_stride, moved_data, no_identity, PF_EffectWorld{}}) {
    EXPECT_EQ(FindPixelFormat(changed), PF_PixelFormat_INVALID);
    EXPECT_FALSE(buffer->Describes(changed));
  }

  // Moving keeps the pixels and the identity; the moved-from record describes nothing.
  WorldBuffer moved = std::move(*buffer);
  EXPECT_EQ(FindPixelFormat(copy), PF_PixelFormat_ARGB128);
  EXPECT_EQ(moved.world().data, copy.data);
  EXPECT_EQ(FindPixelFormat(buffer->world()), PF_PixelFormat_INVALID);
  EXPECT_TRUE(moved.Describes(copy));
  EXPECT_FALSE(buffer->Describes(copy));

  // Assigning over a world retires it.
  WorldBuffer target(2, 2, PixelDepth::k8Bit);
  const PF_EffectWorld retired = target.world();
  target = std::move(moved);
  EXPECT_EQ(FindPixelFormat(retired), PF_PixelFormat_INVALID);
  EXPECT_EQ(FindPixelFormat(copy), PF_PixelFormat_ARGB128);

  buffer.reset();
  { WorldBuffer gone = std::move(target); }
  EXPECT_EQ(FindPixelFormat(copy), PF_PixelFormat_INVALID);
}

TEST(WorldBuffer, ZeroSizedWorldsHaveValidRecordsAndNoPixels) {
  const struct { A_long width, height, padding; } sizes[] = {{0, 0, 0}, {0, 3, 0}, {3, 0, 0}, {0, 3, 2}};
  for (PixelDepth depth : kDepths) {
    for (const auto& size : sizes) {
      WorldBuffer buffer(size.width, size.height, depth, size.padding);
      PF_EffectWorld& world = buffer.world();
      EXPECT_EQ(world.data, nullptr);
      EXPECT_EQ(world.width, size.width);
      EXPECT_EQ(world.height, size.height);
      EXPECT_EQ(world.rowbytes, static_cast<A_long>((size.width + size.padding) * BytesPerPixel(depth)));
      EXPECT_EQ(FindPixelFormat(world), PixelFormatOf(depth));
      const PF_Pixel white{255, 255, 255, 255};
      buffer.Fill(white);
      EXPECT_EQ(FillWorld(&white, nullptr, &world), PF_Err_NONE);
    }
  }
}

TEST(WorldBuffer, RefusesNegativeAndOversizedWorlds) {
  constexpr A_long kMax = std::numeric_limits<A_long>::max();
  const struct {
    A_long width, height, padding;
    PixelDepth depth;
    PF_Err expected;
  } cases[] = {
      {-1, 4, 0, PixelDepth::k8Bit, PF_Err_BAD_CALLBACK_PARAM},
      {4, -1, 0, PixelDepth::k8Bit, PF_Err_BAD_CALLBACK_PARAM},
      {4, 4, -1, PixelDepth::k8Bit, PF_Err_BAD_CALLBACK_PARAM},
      {std::numeric_limits<A_long>::min(), 1, 0, PixelDepth::kFloat, PF_Err_BAD_CALLBACK_PARAM},
      // Row bytes beyond A_long, by width alone and by width plus padding.
      {kMax / 4 + 1, 1, 0, PixelDepth::k8Bit, PF_Err_OUT_OF_MEMORY},
      {kMax, 1, kMax, PixelDepth::k8Bit, PF_Err_OUT_OF_MEMORY},
      {kMax / 16, 0, 1, PixelDepth::kFloat, PF_Err_OUT_OF_MEMORY},
      // Pixel data beyond the host's limit, refused before any allocation.
      {65536, 65536, 0, PixelDepth::k8Bit, PF_Err_OUT_OF_MEMORY},
      {16384, 16385, 0, PixelDepth::kFloat, PF_Err_OUT_OF_MEMORY},
      {kMax / 16, kMax, 0, PixelDepth::kFloat, PF_Err_OUT_OF_MEMORY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height << " + " << c.padding);
    EXPECT_EQ(CheckWorldSize(c.width, c.height, c.depth, c.padding), c.expected);
    try {
      WorldBuffer buffer(c.width, c.height, c.depth, c.padding);
      ADD_FAILURE() << "size accepted";
    } catch (const WorldSizeError& error) {
      EXPECT_EQ(error.error(), c.expected);
    }
  }
  // The largest world the host makes is still accepted (not allocated here).
  EXPECT_EQ(CheckWorldSize(16384, 16384, PixelDepth::kFloat), PF_Err_NONE);
  EXPECT_EQ(CheckWorldSize(kMax / 16 - 1, 0, PixelDepth::kFloat, 1), PF_Err_NONE);
}

TEST(WorldBuffer, ConvertsAnEightBitColourToDeeperDepths) {
  const struct {
    A_u_char value;
    A_u_short deep;  // round(value * 32768 / 255)
  } cases[] = {{0, 0}, {1, 129}, {2, 257}, {127, 16320}, {128, 16448}, {254, 32639}, {255, 32768}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.value));
    const PF_Pixel color{c.value, c.value, c.value, c.value};
    const PF_Pixel16 deep = ToPixel16(color);
    EXPECT_EQ(deep, (PF_Pixel16{c.deep, c.deep, c.deep, c.deep}));
    const float f = static_cast<float>(c.value / 255.0);
    EXPECT_EQ(ToPixelFloat(color), (PF_PixelFloat{f, f, f, f}));
  }
  // Channels convert separately and keep their order.
  EXPECT_EQ(ToPixel16(PF_Pixel{255, 0, 128, 1}), (PF_Pixel16{32768, 0, 16448, 129}));
  EXPECT_EQ(ToPixelFloat(PF_Pixel{255, 0, 51, 255}), (PF_PixelFloat{1.0f, 0.0f, 0.2f, 1.0f}));
}

// Fills a 4 x 3 world with padding 2 in one colour and then a rectangle that reaches past the
// right and bottom edges in another; checks every pixel and that the padding stays zero.
template <typename Pixel>
void CheckRectangleFill(PixelDepth depth) {
  WorldBuffer buffer(4, 3, depth, 2);
  const PF_Pixel base{255, 10, 20, 30};
  const PF_Pixel top{128, 200, 100, 0};
  buffer.Fill(base);
  const PF_Rect rect{1, 1, 10, 10};
  ASSERT_EQ(FillWorld(&top, &rect, &buffer.world()), PF_Err_NONE);
  // Empty, inverted and outside rectangles write nothing.
  const PF_Rect nothing[] = {{2, 2, 2, 3}, {3, 2, 1, 0}, {-5, -5, 0, 0}, {4, 0, 9, 3}};
  for (const PF_Rect& r : nothing) buffer.Fill(PF_Pixel{1, 1, 1, 1}, &r);

  const auto expected = [](const PF_Pixel& c) {
    if constexpr (std::is_same_v<Pixel, PF_Pixel>) return c;
    if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return ToPixel16(c);
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return ToPixelFloat(c);
  };
  for (A_long y = 0; y < 3; ++y) {
    const std::span<Pixel> row = buffer.PaddedRow<Pixel>(y);
    for (A_long x = 0; x < 6; ++x) {
      SCOPED_TRACE(::testing::Message() << x << ", " << y);
      if (x >= 4) {
        EXPECT_EQ(row[x], Pixel{});
      } else {
        EXPECT_EQ(row[x], expected(x >= 1 && y >= 1 ? top : base));
      }
    }
  }
}

TEST(WorldBuffer, FillsRectanglesClippedToTheWorldInEachDepth) {
  CheckRectangleFill<PF_Pixel>(PixelDepth::k8Bit);
  CheckRectangleFill<PF_Pixel16>(PixelDepth::k16Bit);
  CheckRectangleFill<PF_PixelFloat>(PixelDepth::kFloat);
}

// Every fill (memset for a value of one repeated byte, a first row copied for any other) against a
// plain pixel-by-pixel fill: whole worlds and rectangles, with and without row padding, each depth.
template <typename Pixel>
void CheckFillAgainstPlainFill(PixelDepth depth) {
  const auto converted = [](const PF_Pixel& c) {
    if constexpr (std::is_same_v<Pixel, PF_Pixel>) return c;
    if constexpr (std::is_same_v<Pixel, PF_Pixel16>) return ToPixel16(c);
    if constexpr (std::is_same_v<Pixel, PF_PixelFloat>) return ToPixelFloat(c);
  };
  const PF_Pixel colours[] = {{0, 0, 0, 0}, {255, 255, 255, 255}, {7, 7, 7, 7}, {255, 1, 128, 254}};
  const PF_Rect whole{0, 0, 7, 5};
  const PF_Rect rects[] = {whole, {0, 1, 7, 4}, {2, 0, 5, 5}, {-3, 2, 4, 99}, {6, 4, 7, 5}};
  for (A_long padding : {0, 3}) {
    for (const PF_Pixel& colour : colours) {
      for (const PF_Rect& rect : rects) {
        SCOPED_TRACE(::testing::Message()
                     << "padding " << padding << " colour " << int(colour.alpha) << "," << int(colour.red)
                     << " rect " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom);
        WorldBuffer world(7, 5, depth, padding);
        world.Fill(PF_Pixel{9, 8, 7, 6});
        world.Fill(colour, &rect);
        for (A_long y = 0; y < 5; ++y) {
          const std::span<Pixel> row = world.PaddedRow<Pixel>(y);
          for (A_long x = 0; x < 7 + padding; ++x) {
            const bool inside = x < 7 && x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            const Pixel expected = x >= 7 ? Pixel{} : converted(inside ? colour : PF_Pixel{9, 8, 7, 6});
            ASSERT_EQ(std::memcmp(&row[x], &expected, sizeof(Pixel)), 0) << x << ", " << y;
          }
        }
      }
    }
  }
}

TEST(WorldBuffer, FillsGiveThePlainFillsBytes) {
  CheckFillAgainstPlainFill<PF_Pixel>(PixelDepth::k8Bit);
  CheckFillAgainstPlainFill<PF_Pixel16>(PixelDepth::k16Bit);
  CheckFillAgainstPlainFill<PF_PixelFloat>(PixelDepth::kFloat);
}

TEST(WorldBuffer, AWorldFoundOnceIsNotFoundAfterItIsGone) {
  // Lookups remember the last world found on each thread: that memory must not outlive the world,
  // even when a new world takes its place at the same addresses.
  auto first = std::make_unique<WorldBuffer>(3, 3, PixelDepth::k8Bit);
  const PF_EffectWorld record = first->world();
  ASSERT_EQ(FindDepth(record), PixelDepth::k8Bit);
  first.reset();
  EXPECT_EQ(FindDepth(record), std::nullopt);
  const PF_Pixel colour{255, 1, 2, 3};
  PF_EffectWorld stale = record;
  EXPECT_EQ(FillWorld(&colour, nullptr, &stale), PF_Err_BAD_CALLBACK_PARAM);

  WorldBuffer second(3, 3, PixelDepth::k16Bit);
  EXPECT_EQ(FindDepth(second.world()), PixelDepth::k16Bit);
  if (second.world().platform_ref == record.platform_ref && second.world().data == record.data) {
    EXPECT_EQ(FindDepth(record), std::nullopt);  // same addresses, another row size: not that world
  }
}

TEST(WorldBuffer, FillCallbackRefusesWhatItCannotVouchFor) {
  WorldBuffer buffer(2, 2, PixelDepth::k8Bit);
  const PF_Pixel color{255, 1, 2, 3};
  PF_EffectWorld copy = buffer.world();
  EXPECT_EQ(FillWorld(&color, nullptr, &copy), PF_Err_NONE);  // a copy of the record is the same world
  EXPECT_EQ(buffer.At<PF_Pixel>(1, 1), color);

  buffer.Fill(PF_Pixel{});
  PF_EffectWorld widened = buffer.world();
  widened.width = 100;
  std::vector<PF_Pixel> foreign(4);
  PF_EffectWorld hand_made{};
  hand_made.data = foreign.data();
  hand_made.width = hand_made.height = 2;
  hand_made.rowbytes = 8;
  EXPECT_EQ(FillWorld(nullptr, nullptr, &buffer.world()), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(FillWorld(&color, nullptr, nullptr), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(FillWorld(&color, nullptr, &widened), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(FillWorld(&color, nullptr, &hand_made), PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_TRUE(AllBytesZero(buffer));
  EXPECT_EQ(foreign[0], PF_Pixel{});
}

}  // namespace
}  // namespace host
