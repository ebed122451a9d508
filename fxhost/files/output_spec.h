#pragma once
// The output of a render: where each frame goes and in which format, checked before any frame renders.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fxhost/files/image_files.h"
#include "fxhost/frames/frame_pattern.h"

namespace fxhost {

enum class OutputKind { kNull, kImages, kMovie };

struct OutputSpec {
  OutputKind kind = OutputKind::kNull;
  std::string pattern;                   // as given
  std::optional<FramePattern> frames;    // images: the frame number in the name
  FileFormat format = FileFormat::kPng;  // images
  std::string movie_format;              // movies: "mp4", "mov" or "gif"
};

// Parses `--output`: "null" writes nothing; ".png", ".tif"/".tiff", ".exr", ".jpg"/".jpeg", ".raw" (any case)
// write one image per frame, named by a '#' run or %04d; ".mp4", ".mov" and ".gif" write one movie. Throws
// InputError for an unknown extension, a malformed frame pattern, several frames without a frame
// number in the name, or a frame number in a movie's name.
OutputSpec ParseOutputSpec(std::string_view pattern, std::size_t frame_count);

// The file `frame` is written to (images), or the movie file.
std::filesystem::path OutputPathFor(const OutputSpec& spec, int frame);

// Checks before rendering that every output can be written: the folder exists and takes new files, or
// can be made (its nearest existing ancestor is a writable folder); every name fits the file system's
// limit; no output is a folder, and no output is one of `inputs` (compared as canonical paths, so
// "./a.png" and "a.png" are the same file). Throws InputError naming the problem. Makes nothing.
void CheckOutputs(const OutputSpec& spec, std::span<const int> frames,
                  std::span<const std::filesystem::path> inputs);

// Checks `--report` as an output (an input file, the plug-in library among `inputs`, is never one) that
// is not one of the run's outputs either. Throws InputError naming the problem. Makes nothing.
void CheckReportFile(const std::filesystem::path& report, const OutputSpec& spec, std::span<const int> frames,
                     std::span<const std::filesystem::path> inputs);

// Makes the output folders that do not exist yet, once every input has been checked and just before
// the first frame renders (MakeFoldersFor). Throws std::runtime_error when one cannot be made.
void CreateOutputFolders(const OutputSpec& spec, std::span<const int> frames);

// Makes the report's folder when it does not exist yet, as for the outputs.
void CreateReportFolder(const std::filesystem::path& report);

}  // namespace fxhost
