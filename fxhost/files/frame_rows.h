#pragma once
// A rendered frame's rows as the host holds them, read in place: each pixel's channels in the host's
// order alpha, red, green, blue, on the host's scales (255, 32768, 1.0), `stride` bytes from one row's
// start to the next (row padding, if any, is not part of the frame). On a little-endian machine these
// bytes are exactly the ones the frame checksum and raw files are defined over, so both read the rows
// as they are, without a copy.

#include <cstddef>

#include "fxhost/files/image.h"

namespace fxhost {

struct FrameRows {
  const std::byte* data = nullptr;
  std::ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
  Depth depth = Depth::k8;

  // The bytes of one row's `width` pixels.
  std::size_t row_bytes() const {
    const std::size_t channel = depth == Depth::k8 ? 1 : depth == Depth::k16 ? 2 : 4;
    return static_cast<std::size_t>(width) * 4 * channel;
  }
  const std::byte* row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace fxhost
