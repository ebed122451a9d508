#pragma once
// Frames of a movie file (anything FFmpeg's libraries decode: mp4, mov, mkv, ProRes, ...), read exactly
// by number. Frame N is the movie's N-th frame counted from 0 at its first frame, found by its time
// stamp at the movie's frame rate. Reading frames in order decodes forward; any other jump seeks to the
// key frame before it and decodes forward to it, so every frame is exact whatever order it is asked in.
// The build without image files (ZELKRA_IMAGE_FILES off) reads no movies.

#include <filesystem>
#include <memory>
#include <string>

#include "fxhost/files/image.h"

namespace fxhost {

// Whether `path` names a movie by its extension (.mov, .mp4, .mkv, .avi, .webm, .mxf, ...; any case).
bool IsMovieFile(const std::filesystem::path& path);

class MovieReader {
 public:
  // Opens the movie and decodes its first frame. Throws InputError naming the file when it cannot be
  // read, holds no video, or its frame rate is unknown.
  explicit MovieReader(const std::filesystem::path& path);
  ~MovieReader();
  MovieReader(const MovieReader&) = delete;
  MovieReader& operator=(const MovieReader&) = delete;

  int frame_count() const;
  int width() const;
  int height() const;
  // Depth::k8 for sources of 8 bits per channel, Depth::k16 for deeper ones (10- and 12-bit ProRes, ...).
  Depth depth() const;
  // "linear" when the movie says its transfer is linear, else "sRGB" (video's values as they are shown).
  const std::string& colour_space() const;

  // The frame `index` (0 .. frame_count() - 1) as straight RGBA in depth(); sources without alpha are
  // opaque. Throws InputError naming the file and the frame when it cannot be decoded. Not thread-safe.
  Image Frame(int index);

  // Decodes the frame after the one last returned or decoded, when it is near: for readers that keep
  // frames decoded on the way (see LayerPictures). The index of the frame now held, or -1 at the end.
  int DecodeNext();
  // The frame held now (the last one decoded), as Frame() returns it.
  Image Held() const;
  // The index of the frame held now (-1 before any).
  int position() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace fxhost
