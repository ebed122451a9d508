#include "fxhost/commands/world_image.h"

#include <type_traits>

namespace fxhost {
namespace {

template <typename Channel>
struct HostPixelOf;
template <>
struct HostPixelOf<std::uint8_t> {
  using type = PF_Pixel;
};
template <>
struct HostPixelOf<std::uint16_t> {
  using type = PF_Pixel16;
};
template <>
struct HostPixelOf<float> {
  using type = PF_PixelFloat;
};

template <typename Channel>
void CopyIn(const ImageOf<Rgba<Channel>>& image, host::WorldBuffer& world) {
  using HostPixel = typename HostPixelOf<Channel>::type;
  for (int y = 0; y < image.height; ++y) {
    auto row = world.Row<HostPixel>(y);
    for (int x = 0; x < image.width; ++x) {
      const Rgba<Channel>& p = image.at(x, y);
      row[static_cast<std::size_t>(x)] = HostPixel{p.a, p.r, p.g, p.b};
    }
  }
}

template <typename Channel>
ImageOf<Rgba<Channel>> CopyOut(const host::WorldBuffer& world) {
  using HostPixel = typename HostPixelOf<Channel>::type;
  ImageOf<Rgba<Channel>> image(world.width(), world.height());
  for (int y = 0; y < image.height; ++y) {
    auto row = world.Row<HostPixel>(y);
    for (int x = 0; x < image.width; ++x) {
      const HostPixel& p = row[static_cast<std::size_t>(x)];
      image.at(x, y) = Rgba<Channel>{p.red, p.green, p.blue, p.alpha};
    }
  }
  return image;
}

}  // namespace

host::PixelDepth HostDepth(Depth depth) {
  switch (depth) {
    case Depth::k8:
      return host::PixelDepth::k8Bit;
    case Depth::k16:
      return host::PixelDepth::k16Bit;
    default:
      return host::PixelDepth::kFloat;
  }
}

Depth ImageDepth(host::PixelDepth depth) {
  switch (depth) {
    case host::PixelDepth::k8Bit:
      return Depth::k8;
    case host::PixelDepth::k16Bit:
      return Depth::k16;
    default:
      return Depth::k32;
  }
}

host::WorldBuffer WorldFromImage(const Image& image) {
  host::WorldBuffer world(WidthOf(image), HeightOf(image), HostDepth(DepthOf(image)));
  std::visit([&world](const auto& typed) { CopyIn(typed, world); }, image);
  return world;
}

Image ImageFromWorld(const host::WorldBuffer& world) {
  switch (world.depth()) {
    case host::PixelDepth::k8Bit:
      return CopyOut<std::uint8_t>(world);
    case host::PixelDepth::k16Bit:
      return CopyOut<std::uint16_t>(world);
    default:
      return CopyOut<float>(world);
  }
}

FrameRows RowsOfWorld(const host::WorldBuffer& world) {
  return {reinterpret_cast<const std::byte*>(world.world().data), world.rowbytes(), world.width(),
          world.height(), ImageDepth(world.depth())};
}

}  // namespace fxhost
