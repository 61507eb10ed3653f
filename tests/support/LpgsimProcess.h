// Runs the lpgsim executable for a test: its own configuration folder, a
// request log, the port and device it announced, signals, and a clean stop.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "link/UniqueFd.h"

extern char** environ;

namespace zo::test {

struct LoggedRequest {
  double timeMs = 0;
  int command = 0;
  std::vector<int> frame;
};

class LpgsimProcess {
 public:
  LpgsimProcess(const std::string& executable, const std::filesystem::path& configHome,
                std::vector<std::string> arguments)
      : log_(configHome / "lpgsim.log") {
    std::vector<std::string> args = {executable, "--log", log_.string()};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> env = {"XDG_CONFIG_HOME=" + configHome.string(), "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (auto& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    link::UniqueFd readEnd(fds[0]);
    link::UniqueFd writeEnd(fds[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.Get(), STDOUT_FILENO);
    const int rc =
        ::posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    writeEnd.Reset();
    if (rc != 0) {
      pid_ = -1;
      return;
    }
    // The first line names the port and the device: "lpgsim: port N device D ...".
    std::string line;
    char c = 0;
    while (::read(readEnd.Get(), &c, 1) == 1 && c != '\n')
      line.push_back(c);
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      if (word == "device") words >> device_;
      if (word == "port") words >> port_;
    }
    output_ = std::move(readEnd);
  }

  ~LpgsimProcess() { Stop(); }
  LpgsimProcess(const LpgsimProcess&) = delete;
  LpgsimProcess& operator=(const LpgsimProcess&) = delete;

  [[nodiscard]] bool Running() const { return pid_ > 0 && !device_.empty(); }
  [[nodiscard]] const std::string& Device() const { return device_; }
  [[nodiscard]] int Port() const { return port_; }

  void ToggleSilence() const {
    if (pid_ > 0) ::kill(pid_, SIGUSR1);
  }

  // Closes the reading end of the simulator's standard output.
  void CloseOutput() { output_.Reset(); }

  // Ends the simulator with `signal`; returns its exit status, -1 when it
  // did not exit by itself (killed by a signal).
  int Stop(int signal = SIGTERM) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  [[nodiscard]] std::vector<LoggedRequest> Requests() const {
    std::vector<LoggedRequest> requests;
    std::ifstream file(log_);
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream in(line);
      LoggedRequest r;
      std::string hex;
      in >> r.timeMs >> hex;
      r.command = std::stoi(hex, nullptr, 16);
      while (in >> hex)
        r.frame.push_back(std::stoi(hex, nullptr, 16));
      requests.push_back(r);
    }
    return requests;
  }

 private:
  std::filesystem::path log_;
  pid_t pid_ = -1;
  std::string device_;
  int port_ = 0;
  link::UniqueFd output_;
};

}  // namespace zo::test
