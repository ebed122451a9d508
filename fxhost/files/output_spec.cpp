#include "fxhost/files/output_spec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/atomic_file.h"
#include "fxhost/files/folders.h"
#include "fxhost/files/name_limit.h"

namespace fxhost {
namespace {

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

constexpr std::array<std::pair<std::string_view, FileFormat>, 7> kImageExtensions{{
    {".png", FileFormat::kPng},
    {".tif", FileFormat::kTiff},
    {".tiff", FileFormat::kTiff},
    {".exr", FileFormat::kExr},
    {".jpg", FileFormat::kJpeg},
    {".jpeg", FileFormat::kJpeg},
    {".raw", FileFormat::kRaw},
}};

std::filesystem::path Canonical(const std::filesystem::path& path) {
  std::error_code error;
  auto canonical = std::filesystem::weakly_canonical(path, error);
  return error ? std::filesystem::absolute(path, error).lexically_normal() : canonical;
}

}  // namespace

OutputSpec ParseOutputSpec(std::string_view pattern, std::size_t frame_count) {
  OutputSpec spec;
  spec.pattern = std::string(pattern);
  if (pattern == "null") return spec;
  if (pattern.empty()) throw InputError("--output: no file name given");

  const std::string extension = Lower(std::filesystem::path(spec.pattern).extension().string());
  spec.frames = ParseFramePattern(pattern);
  if (extension == ".mp4" || extension == ".mov" || extension == ".gif") {
    if (spec.frames)
      throw InputError("--output " + Quoted(spec.pattern) + ": a movie is one file, without a frame number");
    spec.kind = OutputKind::kMovie;
    spec.movie_format = extension.substr(1);
    return spec;
  }
  const auto known = std::find_if(kImageExtensions.begin(), kImageExtensions.end(),
                                  [&](const auto& entry) { return entry.first == extension; });
  if (known == kImageExtensions.end()) {
    throw InputError("--output " + Quoted(spec.pattern) + ": unknown extension " + Quoted(extension) +
                     " (png, tif, tiff, exr, jpg, jpeg, raw, mp4, mov, gif, or null)");
  }
  if (!spec.frames && frame_count > 1) {
    throw InputError("--output " + Quoted(spec.pattern) + ": " + std::to_string(frame_count) +
                     " frames need a frame number in the name (a '#' run or %04d)");
  }
  spec.kind = OutputKind::kImages;
  spec.format = known->second;
  return spec;
}

std::filesystem::path OutputPathFor(const OutputSpec& spec, int frame) {
  if (spec.frames) return ExpandFramePattern(*spec.frames, frame);
  return spec.pattern;
}

namespace {

// Every file the run writes: the movie, the one image, or each frame's image.
std::vector<std::filesystem::path> OutputFiles(const OutputSpec& spec, std::span<const int> frames) {
  std::vector<std::filesystem::path> outputs;
  if (spec.kind == OutputKind::kNull) return outputs;
  if (spec.kind == OutputKind::kMovie || !spec.frames) {
    outputs.push_back(spec.pattern);
  } else {
    for (int frame : frames) outputs.push_back(OutputPathFor(spec, frame));
  }
  return outputs;
}

std::set<std::filesystem::path> CanonicalPaths(std::span<const std::filesystem::path> paths) {
  std::set<std::filesystem::path> canonical;
  for (const auto& path : paths) canonical.insert(Canonical(path));
  return canonical;
}

// One file the run will write (`option` names it in messages): not an input, not a folder, a name the
// file system takes, in a folder that takes new files or can be made. `folders_checked` saves checking
// a folder twice.
void CheckOutputFile(std::string_view option, const std::filesystem::path& output,
                     const std::set<std::filesystem::path>& input_files,
                     std::set<std::filesystem::path>& folders_checked) {
  const std::string what = std::string(option) + " " + Quoted(output);
  if (input_files.contains(Canonical(output))) throw InputError(what + " would overwrite an input file");
  std::error_code error;
  if (std::filesystem::is_directory(output, error)) throw InputError(what + " is a folder");
  CheckNameLengths(output, option);
  std::filesystem::path folder = output.parent_path();
  if (folder.empty()) folder = ".";
  if (!folders_checked.insert(folder).second) return;
  // A folder that does not exist yet is made before the first frame (CreateOutputFolders).
  CheckFolderCanBeMade(output, what);
}

}  // namespace

void CheckOutputs(const OutputSpec& spec, std::span<const int> frames,
                  std::span<const std::filesystem::path> inputs) {
  const std::set<std::filesystem::path> input_files = CanonicalPaths(inputs);
  std::set<std::filesystem::path> folders_checked;
  for (const auto& output : OutputFiles(spec, frames))
    CheckOutputFile("--output", output, input_files, folders_checked);
}

void CheckReportFile(const std::filesystem::path& report, const OutputSpec& spec, std::span<const int> frames,
                     std::span<const std::filesystem::path> inputs) {
  std::set<std::filesystem::path> folders_checked;
  CheckOutputFile("--report", report, CanonicalPaths(inputs), folders_checked);
  const std::vector<std::filesystem::path> outputs = OutputFiles(spec, frames);
  if (CanonicalPaths(outputs).contains(Canonical(report)))
    throw InputError("--report " + Quoted(report) + " would overwrite an output of the run");
}

void CreateOutputFolders(const OutputSpec& spec, std::span<const int> frames) {
  MakeFoldersFor(OutputFiles(spec, frames));
}

void CreateReportFolder(const std::filesystem::path& report) {
  const std::filesystem::path files[] = {report};
  MakeFoldersFor(files);
}

}  // namespace fxhost
