#include "fxhost/files/movie_writer.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/atomic_file.h"
#include "fxhost/files/folders.h"
#include "fxhost/files/image_convert.h"
#include "fxhost/files/image_files.h"
#include "fxhost/files/program.h"
#include "fxhost/frames/stop_signals.h"
#include "fxhost/frames/time_base.h"

namespace fxhost {
namespace {

std::string FrameFileName(std::size_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "%06zu.png", index);
  return name;
}

}  // namespace

MovieWriter::MovieWriter(const OutputSpec& spec, double fps, std::optional<std::filesystem::path> ffmpeg)
    : movie_(spec.pattern), format_(spec.movie_format), fps_(fps) {
  const std::string context = "--output \"" + spec.pattern + "\": ";
  if (!ffmpeg) ffmpeg = FindProgram("ffmpeg");
  if (!ffmpeg) throw InputError(context + "movies are made by the ffmpeg program, which is not installed");
  if (!ImageFilesAvailable()) throw InputError(context + "this fxhost is built without image files");
  ffmpeg_ = *ffmpeg;
  MakeFoldersFor(std::span(&movie_, 1));
  // The folder's name comes from an AtomicFile so it is unique and hidden like other temporary files.
  folder_ = AtomicFile(movie_.string() + ".frames").temp_path();
  std::error_code error;
  if (!std::filesystem::create_directory(folder_, error)) {
    throw InputError(context + "cannot make the folder \"" + folder_.string() + "\": " + error.message());
  }
}

MovieWriter::~MovieWriter() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void MovieWriter::WriteFrame(std::size_t index, const Image& image) {
  const std::filesystem::path path = folder_ / FrameFileName(index);
  if (format_ == "mov") return WriteImageFile(path, image, FileFormat::kPng);
  WriteImageFile(path, FlattenOnBlack8(image), FileFormat::kPng);
}

void MovieWriter::Finish(std::size_t count) {
  AtomicFile movie(movie_);
  // The exact rate: 30000/1001 for 29.97, 24/1 for 24.
  const TimeBase time = TimeBaseForFps(fps_);
  std::vector<std::string> arguments{ffmpeg_.string(),
                                     "-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-nostdin",
                                     "-y",
                                     "-framerate",
                                     std::to_string(time.time_scale) + "/" + std::to_string(time.time_step),
                                     "-start_number",
                                     "0",
                                     "-i",
                                     (folder_ / "%06d.png").string(),
                                     "-frames:v",
                                     std::to_string(count)};
  if (format_ == "gif") {
    // One palette made for the whole movie keeps the colours of the picture.
    arguments.insert(arguments.end(), {"-vf", "split[a][b];[a]palettegen[p];[b][p]paletteuse", "-f", "gif"});
  } else if (format_ == "mov") {
    arguments.insert(arguments.end(), {"-c:v", "prores_ks", "-profile:v", "4444", "-pix_fmt", "yuva444p10le",
                                       "-vendor", "apl0", "-f", "mov"});
  } else {
    // The common H.264 profile needs even sizes and 4:2:0 colour.
    arguments.insert(arguments.end(), {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-pix_fmt", "yuv420p",
                                       "-movflags", "+faststart", "-f", "mp4"});
  }
  arguments.push_back(movie.temp_path().string());
  if (const int status = RunProgram(arguments, [] { return StopSignals::Received() != 0; }); status != 0) {
    throw std::runtime_error("cannot write \"" + movie_.string() + "\": ffmpeg failed (status " +
                             std::to_string(status) + ")");
  }
  movie.Commit();
}

std::vector<std::string> MovieNotes(const OutputSpec& spec, int width, int height,
                                    std::span<const int> frames, double fps) {
  std::vector<std::string> notes;
  if (spec.kind != OutputKind::kMovie) return notes;
  const std::string movie = "\"" + spec.pattern + "\"";
  if (spec.movie_format == "mp4" && (width % 2 != 0 || height % 2 != 0)) {
    notes.push_back(movie + " is " + std::to_string(width + width % 2) + "x" +
                    std::to_string(height + height % 2) + ": the " + std::to_string(width) + "x" +
                    std::to_string(height) +
                    " frames are padded with black to an even size, as H.264 needs (.mov keeps any size)");
  }
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (frames[i] != frames[i - 1] + 1) {
      char rate[32];
      std::snprintf(rate, sizeof rate, "%g", fps);
      notes.push_back(movie + " plays the " + std::to_string(frames.size()) +
                      " frames listed one after another at " + rate +
                      " fps; the list skips frame numbers, so the movie is shorter than the frame range");
      break;
    }
  }
  return notes;
}

}  // namespace fxhost
