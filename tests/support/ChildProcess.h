// A program started for a test with its own arguments and environment, its
// standard output on `output`; ended by a signal, killed at the latest when
// the test lets it go.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace zo::test {

// Polls `condition` every `step` until it holds or `timeout` passes.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(2),
             std::chrono::milliseconds step = std::chrono::milliseconds(1)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(step);
  }
  return true;
}

class ChildProcess {
 public:
  // `errorsToo`: standard error goes to `output` as well.
  ChildProcess(std::vector<std::string> args, std::vector<std::string> env, int output,
               bool errorsToo) {
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (auto& a : args)
      argv.push_back(a.data());
    for (auto& e : env)
      envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    if (errorsToo) posix_spawn_file_actions_adddup2(&actions, output, STDERR_FILENO);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ChildProcess() { Stop(SIGKILL); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  [[nodiscard]] pid_t Pid() const { return pid_; }
  void Signal(int signal) const {
    if (pid_ > 0) ::kill(pid_, signal);
  }

  // Sends `signal` and waits up to `timeout` for the exit, then kills. The
  // exit code, or -1 when the program did not exit by itself in time.
  int Stop(int signal = SIGTERM, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    const bool exited = WaitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, timeout,
                                std::chrono::milliseconds(5));
    if (!exited) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return exited && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace zo::test
