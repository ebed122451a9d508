#pragma once
// One plug-in loaded into the host library and taken through its lifecycle: global set-up and parameter
// set-up when opened, sequence set-up before rendering, and the set-downs when closed (or destroyed),
// after which the session's ledger tells what the plug-in left behind.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "fxhost/frames/frame_result.h"
#include "host/effect.h"
#include "host/fault_plan.h"
#include "host/module.h"
#include "host/session.h"

namespace fxhost {

// A plug-in command that failed: the message names the command, the result code and the plug-in's
// return_msg.
class PluginError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PluginSession {
 public:
  // Loads the library and runs global set-up and parameter set-up, with `faults` in the session's fault
  // plan from its start. Throws InputError when the library cannot be loaded, PluginError when a
  // command fails.
  PluginSession(const std::filesystem::path& plugin, const host::EffectSettings& settings,
                std::span<const host::FaultRule> faults = {});
  ~PluginSession();  // sets down what is still set up
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  host::Effect& effect() { return effect_; }
  host::Session& session() { return session_; }
  const std::filesystem::path& path() const { return module_.path(); }
  const host::Module& module() const { return module_; }

  // The About text, line breaks as '\n'.
  std::string About();

  // Sequence set-up of the one effect instance. Throws PluginError when it fails.
  void SequenceSetup();

  // Sequence set-down (when set up) and global set-down. Returns what the host still holds afterwards.
  // Throws PluginError when a set-down fails (after running both).
  HeldResources Close();

 private:
  host::Module module_;
  host::Session session_;
  host::Effect effect_;
  bool global_ = false;
  bool sequence_ = false;
};

// What the ledger holds, by kind and key ("handle", "suite PF World Suite v2", ...).
HeldResources HeldBy(const host::Ledger& ledger);

// "global set-up failed: PF_Err_OUT_OF_MEMORY (4): message".
std::string CommandFailure(const std::string& command, const host::CommandResult& result);

}  // namespace fxhost
