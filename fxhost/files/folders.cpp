#include "fxhost/files/folders.h"

#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>

#include "fxhost/cli/input_error.h"
#include "fxhost/files/atomic_file.h"

namespace fxhost {
namespace {

std::string Quoted(const std::filesystem::path& path) {
  return "\"" + path.string() + "\"";
}

// Whether a new file can be created in `folder`: the one sure test is to create one (under a temporary
// name of its own, removed again).
bool FolderTakesFiles(const std::filesystem::path& folder) {
  AtomicFile probe(folder / ".fxhost-write-test");
  std::ofstream out(probe.temp_path());
  return out.is_open();
}

}  // namespace

void CheckFolderCanBeMade(const std::filesystem::path& file, std::string_view what) {
  const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
  std::error_code error;
  std::filesystem::path existing = folder;
  while (!std::filesystem::exists(existing, error) && existing.has_relative_path()) {
    existing = existing.parent_path().empty() ? "." : existing.parent_path();
  }
  if (!std::filesystem::is_directory(existing, error)) {
    throw InputError(std::string(what) + ": the folder " + Quoted(folder) +
                     " cannot be made: " + Quoted(existing) + " is not a folder");
  }
  if (!FolderTakesFiles(existing))
    throw InputError(std::string(what) + ": the folder " + Quoted(existing) + " is not writable");
}

void MakeFoldersFor(std::span<const std::filesystem::path> files) {
  std::set<std::filesystem::path> folders;
  for (const auto& file : files) folders.insert(file.parent_path());
  for (const auto& folder : folders) {
    if (folder.empty()) continue;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw std::runtime_error("cannot make the folder " + Quoted(folder) + ": " + error.message());
  }
}

}  // namespace fxhost
