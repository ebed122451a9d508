#include "fxhost/files/program.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace fxhost {

std::optional<std::filesystem::path> FindProgram(std::string_view name, std::string_view search_path) {
#ifdef _WIN32
  constexpr char kSeparator = ';';
  const std::string file = std::string(name) + ".exe";
#else
  constexpr char kSeparator = ':';
  const std::string file(name);
#endif
  std::size_t start = 0;
  while (start <= search_path.size()) {
    const auto end = std::min(search_path.find(kSeparator, start), search_path.size());
    const std::string_view folder = search_path.substr(start, end - start);
    start = end + 1;
    if (folder.empty()) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / file;
    std::error_code error;
    if (!std::filesystem::is_regular_file(candidate, error)) continue;
#ifndef _WIN32
    if (access(candidate.c_str(), X_OK) != 0) continue;
#endif
    return candidate;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> FindProgram(std::string_view name) {
  const char* path = std::getenv("PATH");
  return FindProgram(name, path ? path : "");
}

int RunProgram(const std::vector<std::string>& arguments, bool (*stop)()) {
  if (arguments.empty()) return -1;
#ifdef _WIN32
  // The C runtime joins the arguments into one command line: quote each one.
  std::vector<std::string> quoted;
  for (const auto& a : arguments) quoted.push_back("\"" + a + "\"");
  std::vector<const char*> argv;
  for (const auto& a : quoted) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  (void)stop;  // the wait cannot be cut short here
  const intptr_t status = _spawnvp(_P_WAIT, arguments[0].c_str(), argv.data());
  return status < 0 ? -1 : static_cast<int>(status);
#else
  std::vector<char*> argv;
  for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (true) {
    const pid_t done = waitpid(pid, &status, stop != nullptr ? WNOHANG : 0);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return -1;
    if (stop != nullptr && stop()) {
      kill(pid, SIGTERM);
      while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      return -1;
    }
    if (done == 0) usleep(10000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace fxhost
