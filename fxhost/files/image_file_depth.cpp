#include "fxhost/files/image_files.h"

namespace fxhost {

Depth FileDepth(FileFormat format, Depth depth) {
  switch (format) {
    case FileFormat::kPng:
      return depth == Depth::k8 ? Depth::k8 : Depth::k16;
    case FileFormat::kTiff:
    case FileFormat::kRaw:
      return depth;
    case FileFormat::kExr:
      return Depth::k32;
    case FileFormat::kJpeg:
      break;
  }
  return Depth::k8;
}

}  // namespace fxhost
