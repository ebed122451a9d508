#pragma once
// What fxhost says about itself: its version (`fxhost --version`) and the examples that end
// `fxhost render --help`.

#include <span>
#include <string>
#include <string_view>

namespace fxhost {

// "fxhost 1.0.0": the project's version, as the build was configured.
std::string VersionLine();

// Complete `fxhost render` command lines, each valid as it stands (given its input files), whose
// arguments hold no spaces.
struct RenderExample {
  std::string_view what;          // one line saying what it makes
  std::string_view command_line;  // starting with "fxhost render"
};
std::span<const RenderExample> RenderExamples();

// "Examples:" and the examples, for the end of `fxhost render --help`.
std::string RenderHelpFooter();

}  // namespace fxhost
