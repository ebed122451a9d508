#pragma once
// Stopping a render cleanly on SIGINT (Ctrl-C) or SIGTERM (a scheduler's stop): while a StopSignals
// lives, either signal asks the render to stop: no new frame starts, the frames running finish, the
// temporary files and folders are removed, the report of the frames done is written, and the program
// exits 128 + the signal's number (130, 143). A second signal ends the program at once, as it would
// without fxhost's handling.

#include <string>

namespace fxhost {

class StopSignals {
 public:
  StopSignals();   // catches SIGINT and SIGTERM; no stop asked yet
  ~StopSignals();  // gives them back to what handled them before
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that asked to stop, 0 while none has. Safe from any thread.
  static int Received();
};

// "SIGINT", "SIGTERM", or "signal N".
std::string SignalName(int signal);

// The exit status of a program stopped by `signal`: 128 + its number.
int ExitStatusForSignal(int signal);

}  // namespace fxhost
