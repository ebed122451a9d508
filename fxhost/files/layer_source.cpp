#include "fxhost/files/layer_source.h"

#include <charconv>
#include <limits>
#include <system_error>

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/files/colour.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/movie_reader.h"
#include "fxhost/files/test_card.h"
#include "fxhost/frames/frame_ranges.h"

namespace fxhost {
namespace {

constexpr std::string_view kTestCard = "testcard";

bool Exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// The offset at the end of `text` ("@+N", "@-N"): where it starts, or npos when there is none.
std::size_t OffsetStart(std::string_view text) {
  const auto at = text.rfind('@');
  if (at == std::string_view::npos || at + 2 >= text.size() || (text[at + 1] != '+' && text[at + 1] != '-'))
    return std::string_view::npos;
  for (std::size_t i = at + 2; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::string_view::npos;
  }
  return at;
}

}  // namespace

LayerSource ParseLayerSource(std::string_view text, ImageSize card_size, const std::filesystem::path& base) {
  LayerSource source;
  if (text.empty()) return source;
  if (text == kTestCard || (text.starts_with(kTestCard) && text[kTestCard.size()] == ':')) {
    source.kind = LayerSource::Kind::kTestCard;
    source.size = text == kTestCard ? card_size : ParseImageSize(text.substr(kTestCard.size() + 1));
    return source;
  }
  source.text = std::string(text);
  auto resolved = [&base](std::string_view name) {
    const std::filesystem::path path(name);
    return (base.empty() || path.is_absolute() ? path : base / path).string();
  };
  std::string_view name = text;
  if (const auto at = OffsetStart(text); at != std::string_view::npos && !Exists(resolved(text))) {
    const std::string_view number = text.substr(at + (text[at + 1] == '+' ? 2 : 1));
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), source.offset);
    if (ec != std::errc()) throw InputError("\"" + source.text + "\": the frame offset is too large");
    name = text.substr(0, at);
  }
  source.path = resolved(name);
  source.kind = IsMovieFile(source.path) ? LayerSource::Kind::kMovie : LayerSource::Kind::kFile;
  if (!Exists(source.path)) {
    if (auto pattern = ParseFramePattern(source.path)) {
      source.kind = LayerSource::Kind::kSequence;
      source.sequence = std::move(*pattern);
    }
  }
  return source;
}

std::string LayerSourceText(const LayerSource& source) {
  if (source.kind == LayerSource::Kind::kNone) return {};
  if (source.kind == LayerSource::Kind::kTestCard) {
    return std::string(kTestCard) + ":" + std::to_string(source.size.width) + "x" +
           std::to_string(source.size.height);
  }
  return source.text.empty() ? source.path : source.text;
}

int FileFrameFor(const LayerSource& source, int frame) {
  const long long file_frame = static_cast<long long>(frame) + source.offset;
  if (file_frame < std::numeric_limits<int>::min() || file_frame > std::numeric_limits<int>::max())
    throw InputError("\"" + LayerSourceText(source) + "\": frame " + std::to_string(frame) +
                     " with the offset is beyond the range of frame numbers");
  return static_cast<int>(file_frame);
}

std::filesystem::path LayerFileFor(const LayerSource& source, int frame) {
  switch (source.kind) {
    case LayerSource::Kind::kFile:
    case LayerSource::Kind::kMovie:
      return source.path;
    case LayerSource::Kind::kSequence:
      return ExpandFramePattern(source.sequence, FileFrameFor(source, frame));
    default:
      return {};
  }
}

std::vector<std::filesystem::path> CheckLayerFiles(const LayerSource& source, std::span<const int> frames,
                                                   std::string_view what) {
  std::vector<std::filesystem::path> files;
  if (source.kind == LayerSource::Kind::kFile || source.kind == LayerSource::Kind::kMovie) {
    files.push_back(source.path);
  } else if (source.kind == LayerSource::Kind::kSequence) {
    for (int frame : frames) files.push_back(LayerFileFor(source, frame));
  }
  for (const auto& file : files) {
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) continue;
    const bool missing = !std::filesystem::exists(file, error);
    std::string message =
        std::string(what) + ": \"" + file.string() + "\" " + (missing ? "does not exist" : "is not a file");
    if (missing && source.kind == LayerSource::Kind::kSequence) {
      const std::vector<int> existing = ExistingFrames(source.sequence);
      message += existing.empty() ? " (no frame of the sequence exists)"
                                  : " (the sequence has frames " + FrameRangesText(existing) +
                                        "; \"@+N\" after the name reads frame F + N at frame F)";
    }
    throw InputError(message);
  }
  return files;
}

Image LoadLayer(const LayerSource& source, int frame, std::optional<Depth> depth, std::uint64_t max_bytes,
                std::string* colour_space) {
  switch (source.kind) {
    case LayerSource::Kind::kNone:
    case LayerSource::Kind::kMovie:
      throw InputError("no picture file to load");
    case LayerSource::Kind::kTestCard: {
      const Depth card_depth = depth.value_or(Depth::k8);
      CheckMemory(PictureBytes(source.size.width, source.size.height, card_depth), max_bytes,
                  "the test card " + LayerSourceText(source));
      if (colour_space) *colour_space = kSrgb;
      return MakeTestCard(source.size, card_depth);
    }
    default: {
      Image image = ReadImageFile(LayerFileFor(source, frame), max_bytes, colour_space);
      return depth ? ConvertDepth(image, *depth) : image;
    }
  }
}

}  // namespace fxhost
