#include <CLI/CLI.hpp>
#include <new>
#include <vector>

#include "fxhost/cli/fault_option.h"
#include "fxhost/cli/input_error.h"
#include "fxhost/cli/parse_command_line.h"
#include "fxhost/commands/commands.h"
#include "fxhost/commands/plugin_session.h"
#include "fxhost/files/library_messages.h"
#include "fxhost/frames/worker_pool.h"

namespace fxhost {

int RunFxhost(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  RouteLibraryMessages();  // before any thread starts
  Options options;
  options.plugin = DefaultPluginPath(ProgramPath(argc > 0 ? argv[0] : "fxhost")).string();
  options.jobs = DefaultJobs();
  CLI::App app;
  BuildCli(app, options);
  try {
    ParseCommandLine(app, argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e, out, err);  // --help, --version
  } catch (const CommandLineError& e) {
    err << "fxhost: " << e.what() << " (" << e.help_command() << " for usage)\n";
    return kExitBadInput;
  } catch (const InputError& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitBadInput;
  }

  try {
    if (options.command == "info") return InfoCommand(options, out);
    if (options.command == "faults") {
      out << FaultOptionHelp();
      return kExitOk;
    }
    if (options.command == "report merge") return ReportMergeCommand(options, out);
    const std::vector<std::string> command_line(argv, argv + argc);
    return RenderCommand(options, command_line, err);
  } catch (const InputError& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitBadInput;
  } catch (const std::bad_alloc&) {
    err << "fxhost: out of memory (--max-memory sets how much a render may take)\n";
    return kExitFailed;
  } catch (const std::exception& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace fxhost
