#pragma once
// The render's colour options: --input-space, --working-space, --output-space.

#include <CLI/CLI.hpp>

#include "fxhost/cli/cli.h"

namespace fxhost {

// Adds the colour options to `render`, storing into `options`.
void AddColourOptions(CLI::App& render, Options& options);

}  // namespace fxhost
