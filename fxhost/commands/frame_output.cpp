#include "fxhost/commands/frame_output.h"

#include "fxhost/commands/world_image.h"
#include "fxhost/files/image_files.h"
#include "fxhost/frames/frame_checksum.h"

namespace fxhost {

void DeliverFrame(const host::WorldBuffer& world, int frame, std::size_t index, const OutputSpec& output,
                  MovieWriter* movie, FrameResult& result, std::string_view colour_space) {
  const FrameRows rows = RowsOfWorld(world);
  result.checksum = FrameChecksumLine(frame, rows);
  if (output.kind == OutputKind::kImages) {
    const std::filesystem::path path = OutputPathFor(output, frame);
    if (output.format == FileFormat::kRaw) {
      WriteRawFile(path, rows);
    } else {
      WriteImageFile(path, ImageFromWorld(world), output.format, colour_space);
    }
    result.output = path.string();
  } else if (output.kind == OutputKind::kMovie) {
    movie->WriteFrame(index, ImageFromWorld(world));
  }
}

}  // namespace fxhost
