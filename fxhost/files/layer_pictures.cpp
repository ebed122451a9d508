#include "fxhost/files/layer_pictures.h"

#include "fxhost/cli/input_error.h"

namespace fxhost {
namespace {

// The frames `frames` read from the file, as a text for messages: "12" or "12-71".
std::string SpanText(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace

LayerPictures::LayerPictures(LayerSource source, std::span<const int> frames, std::string_view what,
                             std::size_t keep, std::uint64_t max_bytes)
    : source_(std::move(source)), what_(what), max_bytes_(max_bytes), keep_(keep) {
  files_ = CheckLayerFiles(source_, frames, what_);
  first_frame_ = frames.front();
  frames_.assign(frames.begin(), frames.end());
}

void LayerPictures::Open() {
  const std::span<const int> frames = frames_;
  if (source_.kind != LayerSource::Kind::kMovie) {
    first_ = LoadLayer(source_, first_frame_, std::nullopt, max_bytes_, &colour_space_);
    return;
  }
  try {
    movie_ = std::make_unique<MovieReader>(source_.path);
  } catch (const InputError& e) {
    throw InputError(what_ + ": " + e.what());
  }
  for (int frame : frames) wanted_.insert(FileFrameFor(source_, frame));
  const int count = movie_->frame_count();
  if (*wanted_.begin() < 0 || *wanted_.rbegin() >= count) {
    throw InputError(what_ + ": \"" + source_.path + "\" has " + std::to_string(count) + " frames (0-" +
                     std::to_string(count - 1) + "), the render reads its frames " +
                     SpanText(*wanted_.begin(), *wanted_.rbegin()) + " (" + std::to_string(frames.size()) +
                     " frames" + (source_.offset != 0 ? ", offset " + std::to_string(source_.offset) : "") +
                     ")");
  }
  colour_space_ = movie_->colour_space();
  first_ = Picture(first_frame_);
}

bool LayerPictures::still() const {
  return source_.kind == LayerSource::Kind::kFile || source_.kind == LayerSource::Kind::kTestCard;
}

Image LayerPictures::Still(Depth depth) const {
  return source_.kind == LayerSource::Kind::kTestCard ? LoadLayer(source_, first_frame_, depth, max_bytes_)
                                                      : first_;
}

Image LayerPictures::Picture(int frame) {
  if (still() || (frame == first_frame_ && !movie_ && WidthOf(first_) > 0)) return first_;
  if (!movie_) return LoadLayer(source_, frame, std::nullopt, max_bytes_);
  try {
    return MovieFrame(FileFrameFor(source_, frame));
  } catch (const InputError& e) {
    throw InputError(what_ + ": " + e.what());
  }
}

Image LayerPictures::MovieFrame(int movie_frame) {
  std::lock_guard lock(mutex_);
  if (auto kept = kept_.find(movie_frame); kept != kept_.end()) {
    return std::move(kept_.extract(kept).mapped());
  }
  // Decode forward to a frame a little ahead, keeping the frames on the way that the render reads.
  const int position = movie_->position();
  if (movie_frame > position && movie_frame - position <= static_cast<int>(keep_) + 1) {
    for (int decoded = position; decoded < movie_frame;) {
      decoded = movie_->DecodeNext();
      if (decoded < 0) break;
      if (decoded == movie_frame) return movie_->Held();
      if (wanted_.contains(decoded) && kept_.size() < keep_) kept_.emplace(decoded, movie_->Held());
    }
  }
  return movie_->Frame(movie_frame);
}

}  // namespace fxhost
