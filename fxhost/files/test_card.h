#pragma once
// The built-in test card: numbered, coloured tiles with a soft alpha edge, so a shuffle of the picture
// and the handling of alpha are easy to read.

#include "fxhost/cli/image_size.h"
#include "fxhost/files/image.h"

namespace fxhost {

// Tiles in the test card (4 across, 3 down, numbered 1 to 12 in reading order: the effect's default grid).
inline constexpr int kTestCardColumns = 4;
inline constexpr int kTestCardRows = 3;

// The same picture for the same size and depth on every run: computed in float and converted to the
// depth as every picture is (see ConvertDepth).
Image MakeTestCard(ImageSize size, Depth depth);

}  // namespace fxhost
