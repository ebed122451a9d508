#include "fxhost/files/image.h"

namespace fxhost {

std::optional<Depth> DepthFromBits(int bits) {
  switch (bits) {
    case 8:
      return Depth::k8;
    case 16:
      return Depth::k16;
    case 32:
      return Depth::k32;
    default:
      return std::nullopt;
  }
}

Depth DepthOf(const Image& image) {
  static constexpr Depth kByIndex[] = {Depth::k8, Depth::k16, Depth::k32};
  return kByIndex[image.index()];
}

int WidthOf(const Image& image) {
  return std::visit([](const auto& i) { return i.width; }, image);
}

int HeightOf(const Image& image) {
  return std::visit([](const auto& i) { return i.height; }, image);
}

}  // namespace fxhost
