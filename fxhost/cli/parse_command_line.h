#pragma once
// Parsing fxhost's command line (defined by BuildCli) with messages as people expect them from FFmpeg,
// oiiotool or git: an unknown or mistyped option or command is named, with the closest valid ones
// suggested, before any other complaint about the command line; every error points at the help of the
// command it was typed for.

#include <CLI/CLI.hpp>
#include <string>

#include "fxhost/cli/input_error.h"

namespace fxhost {

// A bad command line: what() is the one-line message, help_command() the help to point at
// ("fxhost render --help", or "fxhost --help" when no command was recognised).
class CommandLineError : public InputError {
 public:
  CommandLineError(const std::string& message, std::string help_command)
      : InputError(message), help_command_(std::move(help_command)) {}
  const std::string& help_command() const { return help_command_; }

 private:
  std::string help_command_;
};

// Parses `argv` into `app` (built by BuildCli, which lets unknown arguments through to be named here).
// CLI11's requests for help and for the version (CLI::CallForHelp, CLI::CallForVersion) pass through;
// every other problem with the command line is a CommandLineError. InputErrors thrown by the options'
// own callbacks pass through unchanged.
void ParseCommandLine(CLI::App& app, int argc, const char* const* argv);

}  // namespace fxhost
