#pragma once
// fxhost's images (RGBA, straight colour) and the host's worlds (ARGB, straight colour) hold the same
// values on the same scales (255, 32768, 1.0): converting between them only reorders the channels.

#include "fxhost/files/frame_rows.h"
#include "fxhost/files/image.h"
#include "host/world_buffer.h"

namespace fxhost {

host::PixelDepth HostDepth(Depth depth);
Depth ImageDepth(host::PixelDepth depth);

// A new world of the image's size and depth holding its pixels.
host::WorldBuffer WorldFromImage(const Image& image);

// The pixels of `world` (its width, not its row padding) as an image of the world's depth.
Image ImageFromWorld(const host::WorldBuffer& world);

// The rows of `world` in place, valid while the world lives and is not moved from.
FrameRows RowsOfWorld(const host::WorldBuffer& world);

}  // namespace fxhost
