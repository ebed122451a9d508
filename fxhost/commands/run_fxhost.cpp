#include <CLI/CLI.hpp>
#include <vector>

#include "fxhost/cli/input_error.h"
#include "fxhost/commands/commands.h"
#include "fxhost/commands/plugin_session.h"
#include "fxhost/frames/worker_pool.h"

namespace fxhost {

int RunFxhost(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Options options;
  options.plugin = DefaultPluginPath(ProgramPath(argc > 0 ? argv[0] : "fxhost")).string();
  options.jobs = DefaultJobs();
  CLI::App app;
  BuildCli(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
      return app.exit(e, out, err);  // --help
    err << "fxhost: " << e.what() << " (fxhost --help for usage)\n";
    return kExitBadInput;
  } catch (const InputError& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitBadInput;
  }

  try {
    if (options.command == "info") return InfoCommand(options, out);
    if (options.command == "report merge") return ReportMergeCommand(options, out);
    const std::vector<std::string> command_line(argv, argv + argc);
    return RenderCommand(options, command_line, err);
  } catch (const InputError& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitBadInput;
  } catch (const std::exception& e) {
    err << "fxhost: " << e.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace fxhost
