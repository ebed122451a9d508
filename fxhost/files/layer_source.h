#pragma once
// Where a layer's pictures come from: nothing, the built-in test card, one image file, or an image
// sequence whose file names carry the frame number.

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
  enum class Kind { kNone, kTestCard, kFile, kSequence };
  Kind kind = Kind::kNone;
  std::string path;         // the file, or the sequence's pattern
  ImageSize size;           // the test card's size
  FramePattern sequence{};  // the sequence's pattern, parsed
  bool operator==(const LayerSource& other) const {
    return kind == other.kind && path == other.path && size == other.size;
  }
};

// "" is no layer; "testcard" or "testcard:WxH" the test card (`card_size` when no size is given); a
// name with a frame pattern ('#' run, %04d) that is not itself an existing file is a sequence; anything
// else a file. Throws InputError for a malformed test-card size or frame pattern.
LayerSource ParseLayerSource(std::string_view text, ImageSize card_size);

// The text that ParseLayerSource reads back as the same source ("" for no layer).
std::string LayerSourceText(const LayerSource& source);

// The file holding `frame` (a still file holds every frame); empty for no layer or the test card.
std::filesystem::path LayerFileFor(const LayerSource& source, int frame);

// The files the frames will read, each checked to exist and to be a regular file; throws InputError
// naming the first missing one. `what` names the layer in the message ("--layer", "Missing Tile Layer").
std::vector<std::filesystem::path> CheckLayerFiles(const LayerSource& source, std::span<const int> frames,
                                                   std::string_view what);

// The layer's picture for `frame` in `depth` (the file's own depth when none is given; 8-bit for the
// test card). Throws InputError when a file cannot be read, MemoryBudgetError before allocating when the
// test card or reading the file would take more than `max_bytes`.
Image LoadLayer(const LayerSource& source, int frame, std::optional<Depth> depth,
                std::uint64_t max_bytes = UINT64_MAX);

}  // namespace fxhost
