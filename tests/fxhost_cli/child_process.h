// The fxhost program run as a separate process, as a user or a scheduler runs it: its real standard
// error, exit status and signals.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace fxhost::testing {

class ChildProcess {
 public:
  // Starts `program` with `args`, standard output and error into `stderr_file` (input from /dev/null).
  ChildProcess(const std::string& program, std::vector<std::string> args,
               const std::filesystem::path& stderr_file)
      : stderr_file_(stderr_file) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, stderr_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 2, 1);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ChildProcess() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      Wait();
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  void Signal(int signal) const { kill(pid_, signal); }

  // Waits for the end: the exit status, or 128 + the signal that ended it (as a shell shows it).
  int Wait() {
    if (status_ >= 0 || pid_ <= 0) return status_;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0) {
      if (errno != EINTR) return -1;
    }
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
  }

  // What it has written so far.
  std::string Output() const {
    std::ifstream in(stderr_file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

 private:
  std::filesystem::path stderr_file_;
  pid_t pid_ = -1;
  int status_ = -1;
};

}  // namespace fxhost::testing
