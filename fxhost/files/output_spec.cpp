#include "fxhost/files/output_spec.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <system_error>
#include <utility>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/folders.h"

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
  if (extension == ".mp4" || extension == ".gif") {
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
                     " (png, tif, tiff, exr, jpg, jpeg, raw, mp4, gif, or null)");
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

void CheckOutputs(const OutputSpec& spec, std::span<const int> frames,
                  std::span<const std::filesystem::path> inputs) {
  if (spec.kind == OutputKind::kNull) return;
  std::set<std::filesystem::path> input_files;
  for (const auto& input : inputs) input_files.insert(Canonical(input));

  std::vector<std::filesystem::path> outputs;
  if (spec.kind == OutputKind::kMovie || !spec.frames) {
    outputs.push_back(spec.pattern);
  } else {
    for (int frame : frames) outputs.push_back(OutputPathFor(spec, frame));
  }

  std::set<std::filesystem::path> folders_checked;
  for (const auto& output : outputs) {
    const std::filesystem::path canonical = Canonical(output);
    if (input_files.contains(canonical)) {
      throw InputError("--output " + Quoted(output) + " would overwrite an input file");
    }
    std::error_code error;
    if (std::filesystem::is_directory(output, error)) {
      throw InputError("--output " + Quoted(output) + " is a folder");
    }
    // A folder that does not exist yet is made before the first frame (CreateOutputFolders).
    if (folders_checked.insert(output.parent_path()).second)
      CheckFolderCanBeMade(output, "--output " + Quoted(output));
  }
}

void CreateOutputFolders(const OutputSpec& spec, std::span<const int> frames) {
  if (spec.kind == OutputKind::kNull) return;
  std::vector<std::filesystem::path> files;
  if (spec.kind == OutputKind::kMovie || !spec.frames) {
    files.emplace_back(spec.pattern);
  } else {
    for (int frame : frames) files.push_back(OutputPathFor(spec, frame));
  }
  MakeFoldersFor(files);
}

}  // namespace fxhost
