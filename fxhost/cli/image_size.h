#pragma once
// Picture sizes written as WxH (`--size 1920x1080`, `testcard:640x360`).

#include <string_view>

namespace fxhost {

struct ImageSize {
  int width = 1920;
  int height = 1080;
  bool operator==(const ImageSize&) const = default;
};

// The largest side and area fxhost makes a picture of; larger requests are input errors, not a failed
// allocation in the middle of a render.
inline constexpr int kMaxSide = 32768;
inline constexpr long long kMaxPixels = 1LL << 28;

// Parses "WxH"; throws InputError naming the problem.
ImageSize ParseImageSize(std::string_view text);

}  // namespace fxhost
