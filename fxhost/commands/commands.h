#pragma once
// fxhost's commands, wired to the host library, and the program around them. Exit status: 0 when
// everything asked for was done; 1 when the plug-in failed (a frame, a set-up command) or a file could
// not be written; 2 for bad input (the command line, a parameter setting, a missing or unreadable file),
// found before any frame is rendered where it can be known in advance.

#include <ostream>
#include <span>
#include <string>

#include "fxhost/cli/cli.h"

namespace fxhost {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadInput = 2;

// `fxhost info`: the About text, descriptor and parameters as a table, or JSON with --json. Throws
// InputError / PluginError (see plugin_session.h).
int InfoCommand(const Options& options, std::ostream& out);

// `fxhost render`: renders the frames and writes them; progress and failed frames go to `err`.
// `command_line` is recorded in the report. Throws InputError for bad input found before rendering.
int RenderCommand(const Options& options, std::span<const std::string> command_line, std::ostream& err);

// `fxhost report merge`: merges the reports of a shot rendered in pieces, writes the merged report
// (--output) and prints what is missing or failed on `out`. Exit status 0 when every frame of the shot
// is there, 1 when a frame is missing or failed. Throws InputError for an unreadable or foreign report.
int ReportMergeCommand(const Options& options, std::ostream& out);

// The whole program: parses the command line, runs the command, turns errors into one line on `err`
// and an exit status.
int RunFxhost(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace fxhost
