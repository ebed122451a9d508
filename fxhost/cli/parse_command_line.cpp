#include "fxhost/cli/parse_command_line.h"

#include <vector>

#include "fxhost/cli/closest_names.h"

namespace fxhost {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The command given ("render"), or nullptr when none was recognised.
const CLI::App* GivenCommand(const CLI::App& app) {
  const std::vector<CLI::App*> given = app.get_subcommands();
  return given.empty() ? nullptr : given.front();
}

std::string HelpCommand(const CLI::App& app) {
  const CLI::App* command = GivenCommand(app);
  return command ? "fxhost " + command->get_name() + " --help" : "fxhost --help";
}

// The option names a user may type for `app`: "--output", "-o", ... (options hidden from help left out).
std::vector<std::string> OptionNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_group().empty()) continue;
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

std::vector<std::string> CommandNames(const CLI::App& app) {
  std::vector<std::string> names;
  for (const CLI::App* command : app.get_subcommands({})) names.push_back(command->get_name());
  return names;
}

// The message for the first argument `app` did not take, or "" when it took them all.
std::string UnknownArgumentMessage(const CLI::App& app, bool is_command) {
  const std::vector<std::string> left = app.remaining();
  if (left.empty()) return "";
  const std::string& first = left.front();
  if (first.size() > 1 && first.front() == '-') {
    const std::string name = first.substr(0, first.find('='));  // --name=value
    return "unknown option " + name + DidYouMean(name, OptionNames(app));
  }
  if (!is_command) return "unknown command " + Quoted(first) + DidYouMean(first, CommandNames(app));
  return "unexpected argument " + Quoted(first) + " (each option takes at most one value)";
}

// The unknown arguments of the program, then of the command given: the first one found, or "".
std::string UnknownArgumentMessage(const CLI::App& app) {
  std::string message = UnknownArgumentMessage(app, false);
  if (const CLI::App* command = GivenCommand(app); message.empty() && command)
    message = UnknownArgumentMessage(*command, true);
  return message;
}

}  // namespace

void ParseCommandLine(CLI::App& app, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) throw;  // help, version
    // An unknown option explains a missing required one (--ouput for --output) or a value taken wrongly.
    const std::string unknown = UnknownArgumentMessage(app);
    throw CommandLineError(unknown.empty() ? std::string(e.what()) : unknown, HelpCommand(app));
  }
  if (const std::string unknown = UnknownArgumentMessage(app); !unknown.empty())
    throw CommandLineError(unknown, HelpCommand(app));
}

}  // namespace fxhost
