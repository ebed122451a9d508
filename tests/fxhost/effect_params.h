#pragma once
// The parameters the effect declares, as fxhost sees them: the fixture the parsing tests check against.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "fxhost/cli/param_info.h"

namespace fxhost::testing {

inline std::vector<ParamInfo> EffectParams() {
  using T = ParamType;
  return {
      {1, "Time", T::kFloatSlider, -100000, 100000, 0, 10, 0, 2, false, {}, ""},
      {2, "Missing Tile", T::kFixedSlider, 0, 100, 0, 100, 100, 1, true, {}, ""},
      {3, "Missing Tile Layer", T::kLayer, 0, 0, 0, 0, 0, 0, false, {}, ""},
      {4, "Position", T::kPopup, 1, 2, 1, 2, 1, 0, false, {"In front", "Behind"}, ""},
      {5, "Fit", T::kCheckbox, 0, 1, 0, 1, 0, 0, false, {}, ""},
      {6, "Row", T::kSlider, 2, 5000, 2, 20, 3, 0, false, {}, ""},
      {7, "Column", T::kSlider, 2, 5000, 2, 20, 4, 0, false, {}, ""},
      {8, "Return", T::kCheckbox, 0, 1, 0, 1, 0, 0, false, {}, ""},
      {9, "Seed", T::kSlider, 0, 10000, 0, 100, 0, 0, false, {}, ""},
  };
}

// A fresh, empty folder for one test, removed at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("fxhost-test-" + name + "-" + std::to_string(std::random_device()()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fxhost::testing
