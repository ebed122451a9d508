#pragma once
// Movies through the ffmpeg program: frames are written as PNG files into a temporary folder beside the
// movie, then ffmpeg encodes them into a temporary file that is renamed when complete.
// - .mp4: H.264, 4:2:0, over black; an odd width or height is padded by one black pixel (H.264 needs
//   even sizes);
// - .mov: ProRes 4444 with alpha (straight, 10 bits), any size;
// - .gif: one palette for the whole movie, over black.
// The movie plays its frames one after another at --fps (exactly N*1000/1001 for NTSC rates such as
// 29.97), whatever frame numbers they had.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

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

  // Stores the `index`-th frame of the movie (0, 1, 2, ... in the movie's order): composited over black
  // for .mp4 and .gif, with alpha and up to 16 bits for .mov. Frames may be stored from several threads
  // at once.
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

// What the movie will do differently from the frames rendered, one line each for the user: padding to
// an even size, frame numbers that are not consecutive played one after another.
std::vector<std::string> MovieNotes(const OutputSpec& spec, int width, int height,
                                    std::span<const int> frames, double fps);

}  // namespace fxhost
