#pragma once
// A file that appears under its final name only when complete: it is written under a temporary name in
// the same folder and renamed over the final name on Commit(). A write that fails or is killed leaves
// nothing under the final name (and, when it fails rather than being killed, no temporary file either).

#include <filesystem>
#include <string_view>

namespace fxhost {

class AtomicFile {
 public:
  explicit AtomicFile(std::filesystem::path final_path);
  ~AtomicFile();  // removes the temporary file unless committed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  const std::filesystem::path& temp_path() const { return temp_; }
  const std::filesystem::path& final_path() const { return final_; }

  // Renames the temporary file to the final name, replacing a file of that name. Throws
  // std::runtime_error naming the final file when that fails (the temporary file is then removed).
  void Commit();

 private:
  std::filesystem::path final_;
  std::filesystem::path temp_;
  bool committed_ = false;
};

// Writes `contents` to `path` through an AtomicFile; throws std::runtime_error on failure.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace fxhost
