#include "fxhost/files/colour.h"

namespace fxhost {

std::string FormatColourSpace(FileFormat format, Depth depth) {
  switch (format) {
    case FileFormat::kExr:
      return std::string(kLinear);
    case FileFormat::kTiff:
    case FileFormat::kRaw:
      return std::string(depth == Depth::k32 ? kLinear : kSrgb);
    case FileFormat::kPng:
    case FileFormat::kJpeg:
      break;
  }
  return std::string(kSrgb);
}

}  // namespace fxhost
