#pragma once
// Movies (.mp4, .gif) through the ffmpeg program: frames are written as PNG files into a temporary folder
// beside the movie, then ffmpeg encodes them into a temporary file that is renamed when complete.

#include <cstddef>
#include <filesystem>
#include <optional>

#include "fxhost/files/image.h"
#include "fxhost/files/output_spec.h"

namespace fxhost {

class MovieWriter {
 public:
  // Checks that ffmpeg (`ffmpeg`, found on PATH when not given) is there, makes the movie's folder when
  // it is missing, and makes the frame folder.
  // Throws InputError when ffmpeg is missing or the folder cannot be made: before any frame renders.
  MovieWriter(const OutputSpec& spec, double fps, std::optional<std::filesystem::path> ffmpeg = std::nullopt);
  ~MovieWriter();  // removes the frame folder
  MovieWriter(const MovieWriter&) = delete;
  MovieWriter& operator=(const MovieWriter&) = delete;

  // Stores the `index`-th frame of the movie (0, 1, 2, ... in the movie's order), composited over black:
  // movies carry no alpha. Frames may be stored from several threads at once.
  void WriteFrame(std::size_t index, const Image& image);

  // Encodes the first `count` frames into the movie. Throws std::runtime_error when ffmpeg fails.
  void Finish(std::size_t count);

 private:
  std::filesystem::path movie_;
  std::string format_;
  double fps_;
  std::filesystem::path ffmpeg_;
  std::filesystem::path folder_;
};

}  // namespace fxhost
