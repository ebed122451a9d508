#include "fxhost/commands/plugin_session.h"

#include <algorithm>

#include "fxhost/cli/input_error.h"
#include "host/result_names.h"

namespace fxhost {
namespace {

host::Module OpenModule(const std::filesystem::path& plugin) {
  try {
    return host::Module::open(plugin);
  } catch (const host::ModuleError& e) {
    throw InputError(std::string("--plugin: ") + e.what());
  }
}

}  // namespace

std::string CommandFailure(const std::string& command, const host::CommandResult& result) {
  std::string text = command + " failed: " + host::result_text(result.err);
  const std::string message = result.return_msg();
  if (!message.empty()) text += ": " + message;
  return text;
}

PluginSession::PluginSession(const std::filesystem::path& plugin, const host::EffectSettings& settings,
                             std::span<const host::FaultRule> faults)
    : module_(OpenModule(plugin)), effect_(module_, session_, settings) {
  for (const host::FaultRule& rule : faults) session_.faults().fail(rule);
  session_.log().set_recording(false);  // fxhost reads no call log; kept, it would grow with every frame
  const host::CommandResult setup = effect_.global_setup();
  if (setup.err != PF_Err_NONE) throw PluginError(CommandFailure("global set-up", setup));
  global_ = true;
  const host::CommandResult params = effect_.params_setup();
  if (params.err != PF_Err_NONE) throw PluginError(CommandFailure("parameter set-up", params));
}

PluginSession::~PluginSession() {
  try {
    Close();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a failed set-down while unwinding is not reported twice
  }
}

std::string PluginSession::About() {
  const host::CommandResult about = effect_.about();
  if (about.err != PF_Err_NONE) throw PluginError(CommandFailure("About", about));
  std::string text = about.return_msg();
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

void PluginSession::SequenceSetup() {
  const host::CommandResult setup = effect_.sequence_setup();
  if (setup.err != PF_Err_NONE) throw PluginError(CommandFailure("sequence set-up", setup));
  sequence_ = true;
}

HeldResources PluginSession::Close() {
  std::string failure;
  if (sequence_) {
    sequence_ = false;
    const host::CommandResult setdown = effect_.sequence_setdown();
    if (setdown.err != PF_Err_NONE) failure = CommandFailure("sequence set-down", setdown);
  }
  if (global_) {
    global_ = false;
    const host::CommandResult setdown = effect_.global_setdown();
    if (setdown.err != PF_Err_NONE && failure.empty()) failure = CommandFailure("global set-down", setdown);
  }
  if (!failure.empty()) throw PluginError(failure);
  return HeldBy(session_.ledger());
}

HeldResources HeldBy(const host::Ledger& ledger) {
  HeldResources held;
  for (const std::string& line : ledger.held()) {
    const auto colon = line.rfind(": ");
    if (colon == std::string::npos) {
      held[line] += 1;
    } else {
      held[line.substr(0, colon)] += std::stoll(line.substr(colon + 2));
    }
  }
  return held;
}

}  // namespace fxhost
