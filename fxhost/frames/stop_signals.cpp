#include "fxhost/frames/stop_signals.h"

#include <atomic>
#include <csignal>

namespace fxhost {
namespace {

// Set by the handler (a lock-free atomic may be stored from a signal handler).
std::atomic<int> g_received{0};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kSignals[] = {SIGINT, SIGTERM};

#ifdef _WIN32
using Handler = void (*)(int);
Handler g_previous[2] = {};

void OnSignal(int signal) {
  g_received.store(signal);
  std::signal(signal, SIG_DFL);  // the next one ends the program
}
#else
struct sigaction g_previous[2] = {};

void OnSignal(int signal) {
  g_received.store(signal);
}
#endif

}  // namespace

StopSignals::StopSignals() {
  g_received.store(0);
  for (int i = 0; i < 2; ++i) {
#ifdef _WIN32
    g_previous[i] = std::signal(kSignals[i], OnSignal);
#else
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // One-shot: the next signal gets the default action and ends the program at once. No SA_RESTART:
    // a wait in progress returns early so the stop is seen.
    action.sa_flags = SA_RESETHAND;
    sigaction(kSignals[i], &action, &g_previous[i]);
#endif
  }
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 2; ++i) {
#ifdef _WIN32
    std::signal(kSignals[i], g_previous[i]);
#else
    sigaction(kSignals[i], &g_previous[i], nullptr);
#endif
  }
}

int StopSignals::Received() {
  return g_received.load();
}

std::string SignalName(int signal) {
  if (signal == SIGINT) return "SIGINT";
  if (signal == SIGTERM) return "SIGTERM";
  return "signal " + std::to_string(signal);
}

int ExitStatusForSignal(int signal) {
  return 128 + signal;
}

}  // namespace fxhost
