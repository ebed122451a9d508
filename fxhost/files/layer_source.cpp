#include "fxhost/files/layer_source.h"

#include <system_error>

#include "fxhost/cli/input_error.h"
#include "fxhost/cli/memory_budget.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/test_card.h"

namespace fxhost {
namespace {

constexpr std::string_view kTestCard = "testcard";

}  // namespace

LayerSource ParseLayerSource(std::string_view text, ImageSize card_size) {
  LayerSource source;
  if (text.empty()) return source;
  if (text == kTestCard || (text.starts_with(kTestCard) && text[kTestCard.size()] == ':')) {
    source.kind = LayerSource::Kind::kTestCard;
    source.size = text == kTestCard ? card_size : ParseImageSize(text.substr(kTestCard.size() + 1));
    return source;
  }
  source.path = std::string(text);
  source.kind = LayerSource::Kind::kFile;
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::path(source.path), error)) {
    if (auto pattern = ParseFramePattern(text)) {
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
  return source.path;
}

std::filesystem::path LayerFileFor(const LayerSource& source, int frame) {
  switch (source.kind) {
    case LayerSource::Kind::kFile:
      return source.path;
    case LayerSource::Kind::kSequence:
      return ExpandFramePattern(source.sequence, frame);
    default:
      return {};
  }
}

std::vector<std::filesystem::path> CheckLayerFiles(const LayerSource& source, std::span<const int> frames,
                                                   std::string_view what) {
  std::vector<std::filesystem::path> files;
  if (source.kind == LayerSource::Kind::kFile) {
    files.push_back(source.path);
  } else if (source.kind == LayerSource::Kind::kSequence) {
    for (int frame : frames) files.push_back(LayerFileFor(source, frame));
  }
  for (const auto& file : files) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
      const bool missing = !std::filesystem::exists(file, error);
      throw InputError(std::string(what) + ": \"" + file.string() + "\" " +
                       (missing ? "does not exist" : "is not a file"));
    }
  }
  return files;
}

Image LoadLayer(const LayerSource& source, int frame, std::optional<Depth> depth, std::uint64_t max_bytes) {
  switch (source.kind) {
    case LayerSource::Kind::kNone:
      throw InputError("no layer to load");
    case LayerSource::Kind::kTestCard: {
      const Depth card_depth = depth.value_or(Depth::k8);
      CheckMemory(PictureBytes(source.size.width, source.size.height, card_depth), max_bytes,
                  "the test card " + LayerSourceText(source));
      return MakeTestCard(source.size, card_depth);
    }
    default: {
      Image image = ReadImageFile(LayerFileFor(source, frame), max_bytes);
      return depth ? ConvertDepth(image, *depth) : image;
    }
  }
}

}  // namespace fxhost
