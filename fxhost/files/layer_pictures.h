#pragma once
// The pictures of one layer of a render, frame by frame, from whichever source the layer has: a still
// picture (a file, the test card) read once, an image sequence read per frame, or a movie decoded by
// one reader for the whole render. Movie frames that a parallel render will ask for next are kept as
// they are decoded on the way, so each is decoded once however the workers' requests interleave.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fxhost/files/image.h"
#include "fxhost/files/layer_source.h"
#include "fxhost/files/movie_reader.h"

namespace fxhost {

class LayerPictures {
 public:
  // Checks that every file the render `frames` read exists. `what` names the layer in messages
  // ("--layer", "Missing Tile Layer"); `keep` is how many decoded movie frames may wait for a worker.
  // Throws InputError. `max_bytes`: what reading one picture may take (a file whose header claims
  // more is refused).
  LayerPictures(LayerSource source, std::span<const int> frames, std::string_view what, std::size_t keep = 4,
                std::uint64_t max_bytes = UINT64_MAX);

  // Reads the first picture; a movie is opened and checked to hold every frame the render reads. Throws
  // InputError. Called once, before anything below.
  void Open();

  // Whether every frame shows the same picture (a still file, the test card).
  bool still() const;
  // The space the layer's files are in: their metadata's or their format's (see ReadImageFile).
  const std::string& colour_space() const { return colour_space_; }
  // The first frame's picture, in the file's own depth.
  const Image& first() const { return first_; }
  // The files the render reads (CheckLayerFiles).
  const std::vector<std::filesystem::path>& files() const { return files_; }

  // A still layer's picture for a render in `depth`: the file's in its own depth; the test card drawn in
  // `depth` (finer than an 8-bit card converted).
  Image Still(Depth depth) const;

  // The picture of render frame `frame` in the file's own depth (the test card in 8 bits).
  // Thread-safe. Throws InputError when a file cannot be read.
  Image Picture(int frame);

 private:
  Image MovieFrame(int movie_frame);

  LayerSource source_;
  std::string what_;
  std::string colour_space_;
  std::vector<std::filesystem::path> files_;
  Image first_;
  int first_frame_ = 0;
  std::vector<int> frames_;
  std::unique_ptr<MovieReader> movie_;
  std::set<int> wanted_;  // the movie frames the render reads
  std::uint64_t max_bytes_ = UINT64_MAX;
  std::size_t keep_;
  std::mutex mutex_;
  std::map<int, Image> kept_;  // movie frames decoded on the way to another, until asked for
};

}  // namespace fxhost
