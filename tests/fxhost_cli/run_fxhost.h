#pragma once
// Running fxhost as a user does, for the end-to-end tests: the whole program (RunFxhost) with the
// effect plug-in under test, and what its reports say.

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "fxhost/commands/commands.h"
#include "fxhost/effect_params.h"

namespace fxhost {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline Outcome Fxhost(std::vector<std::string> args) {
  args.insert(args.begin(), "fxhost");
  if (args.size() > 1 && (args[1] == "render" || args[1] == "info"))
    args.insert(args.begin() + 2, {"--plugin", ZELKRA_PLUGIN_CS5_PATH});
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out, err;
  Outcome run;
  run.status = RunFxhost(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A render into `folder` with a report; the arguments after "render".
inline Outcome Render(const testing::TempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(),
              {"render", "--quiet", "--size", "64x36", "--report", (folder / "report.json").string()});
  return Fxhost(args);
}

inline nlohmann::json ReadJson(const std::filesystem::path& path) {
  std::ifstream in(path);
  return nlohmann::json::parse(in);
}

inline std::vector<std::string> Checksums(const testing::TempFolder& folder) {
  std::vector<std::string> lines;
  const nlohmann::json report = ReadJson(folder / "report.json");
  for (const auto& frame : report["frames"]) lines.push_back(frame["checksum"]);
  return lines;
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace fxhost
