#include "fxhost/cli/help_text.h"

#include <array>

#ifndef ZELKRA_VERSION
#error "ZELKRA_VERSION is set by fxhost/CMakeLists.txt from the project's version"
#endif

namespace fxhost {
namespace {

constexpr std::array<RenderExample, 3> kExamples{{
    {"A still of a picture: 4 x 5 tiles, 3.5 steps into the walk of seed 12",
     "fxhost render --layer photo.png --set Row=4 --set Column=5 --set Time=3.5 --set Seed=12 -o still.png"},
    {"A movie of a sequence numbered from 1, Time keyframed from 0 to 10",
     "fxhost render --layer shot/frame_%04d.png --frames 1-96 --set Time=0@1,10@96 -o puzzle.mp4"},
    {"Every fourth frame of 0-95 (one machine's share of four) as EXR files, with a report",
     "fxhost render --frames 0-95x4 --set Time=0@0,8@95 --jobs 4 --report out/run_0.json "
     "-o out/f_####.exr"},
}};

}  // namespace

std::string VersionLine() {
  return std::string("fxhost ") + ZELKRA_VERSION;
}

std::span<const RenderExample> RenderExamples() {
  return kExamples;
}

std::string RenderHelpFooter() {
  std::string footer = "Examples:";
  for (const RenderExample& example : kExamples) {
    footer += "\n  # " + std::string(example.what) + "\n  " + std::string(example.command_line);
  }
  return footer;
}

}  // namespace fxhost
