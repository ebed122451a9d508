#pragma once
// Where a layer's pictures come from: nothing, the built-in test card, one image file, an image
// sequence whose file names carry the frame number, or a movie file. A file layer may carry a frame
// offset, "@+N" or "@-N" after its name: render frame F then reads the file's frame F + N (a sequence
// numbered from 1 rendered from frame 0 is "frame_%04d.png@+1"; a movie's frames count from 0).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fxhost/cli/image_size.h"
#include "fxhost/files/image.h"
#include "fxhost/frames/frame_pattern.h"

namespace fxhost {

struct LayerSource {
  enum class Kind { kNone, kTestCard, kFile, kSequence, kMovie };
  Kind kind = Kind::kNone;
  std::string path;         // the file, or the sequence's pattern (resolved against the base folder)
  std::string text;         // files: as given, offset included
  ImageSize size;           // the test card's size
  FramePattern sequence{};  // the sequence's pattern, parsed
  int offset = 0;           // the file's frame for render frame F is F + offset
  bool operator==(const LayerSource& other) const {
    return kind == other.kind && path == other.path && size == other.size && offset == other.offset;
  }
};

// "" is no layer; "testcard" or "testcard:WxH" the test card (`card_size` when no size is given); a
// name with a frame pattern ('#' run, %04d) that is not itself an existing file is a sequence; a movie
// file (IsMovieFile) a movie; anything else a file. A trailing "@+N" / "@-N" is the frame offset unless
// the whole text names an existing file. A relative path is taken in `base` when given (the folder of
// a --params file). Throws InputError for a malformed test-card size, frame pattern or offset.
LayerSource ParseLayerSource(std::string_view text, ImageSize card_size,
                             const std::filesystem::path& base = {});

// The text that ParseLayerSource reads back as the same source ("" for no layer): files as given.
std::string LayerSourceText(const LayerSource& source);

// The file holding `frame` (a still file and a movie hold every frame); empty for no layer or the test
// card.
std::filesystem::path LayerFileFor(const LayerSource& source, int frame);

// The file's own frame number for render frame `frame`: frame + offset. Throws InputError when it is
// beyond the range of frame numbers.
int FileFrameFor(const LayerSource& source, int frame);

// The files the frames will read, each checked to exist and to be a regular file; throws InputError
// naming the first missing one (for a sequence, with the frames that exist). `what` names the layer in
// the message ("--layer", "Missing Tile Layer").
std::vector<std::filesystem::path> CheckLayerFiles(const LayerSource& source, std::span<const int> frames,
                                                   std::string_view what);

// The layer's picture for `frame` in `depth` (the file's own depth when none is given; 8-bit for the
// test card), but not of a movie (see LayerPictures). Throws InputError when a file cannot be read,
// MemoryBudgetError before allocating when the test card or reading the file would take more than
// `max_bytes`. `colour_space`, when given, receives the space the picture is in (see ReadImageFile).
Image LoadLayer(const LayerSource& source, int frame, std::optional<Depth> depth,
                std::uint64_t max_bytes = UINT64_MAX, std::string* colour_space = nullptr);
inline Image LoadLayer(const LayerSource& source, int frame, std::optional<Depth> depth,
                       std::string* colour_space) {
  return LoadLayer(source, frame, depth, UINT64_MAX, colour_space);
}

}  // namespace fxhost
