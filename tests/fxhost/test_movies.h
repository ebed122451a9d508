#pragma once
// Test movies made by the ffmpeg program: frame N is a flat grey of level N * 5 (of 255), with alpha
// 200 where the codec keeps alpha, so a frame read back tells its own number.

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fxhost/files/program.h"

namespace fxhost::testing {

// Writes `frames` frames of `width` x `height` at 24 fps into `path` with the ffmpeg arguments `codec`
// (split at spaces). Whether ffmpeg succeeded.
inline bool MakeMovie(const std::filesystem::path& path, int frames, int width, int height,
                      const std::string& codec) {
  const auto ffmpeg = FindProgram("ffmpeg");
  if (!ffmpeg) return false;
  const std::string source = "color=c=black:s=" + std::to_string(width) + "x" + std::to_string(height) +
                             ":r=24,format=rgba,geq=r='N*5':g='N*5':b='N*5':a=200";
  std::vector<std::string> args{
      ffmpeg->string(), "-hide_banner", "-loglevel",           "error", "-nostdin", "-y", "-f", "lavfi", "-i",
      source,           "-frames:v",    std::to_string(frames)};
  std::istringstream words(codec);
  for (std::string word; words >> word;) args.push_back(word);
  args.push_back(path.string());
  return RunProgram(args) == 0;
}

}  // namespace fxhost::testing
