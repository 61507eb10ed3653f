// Runs the lpgsim executable for a test: its own configuration folder, a
// request log, the port and device it announced, signals, and a clean stop.
#pragma once

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "platform/UniqueFd.h"

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
      : log_(configHome / "lpgsim.log"), child_(Start(executable, configHome, arguments)) {
    // The first line names the port and the device: "lpgsim: port N device D ...".
    std::string line;
    char c = 0;
    while (::read(output_.Get(), &c, 1) == 1 && c != '\n')
      line.push_back(c);
    std::istringstream words(line);
    std::string word;
    while (words >> word) {
      if (word == "device") words >> device_;
      if (word == "port") words >> port_;
    }
  }
  ~LpgsimProcess() { Stop(); }
  LpgsimProcess(const LpgsimProcess&) = delete;
  LpgsimProcess& operator=(const LpgsimProcess&) = delete;

  [[nodiscard]] bool Running() const { return child_.Pid() > 0 && !device_.empty(); }
  [[nodiscard]] const std::string& Device() const { return device_; }
  [[nodiscard]] int Port() const { return port_; }
  [[nodiscard]] pid_t Pid() const { return child_.Pid(); }

  void ToggleSilence() const { child_.Signal(SIGUSR1); }

  // Closes the reading end of the simulator's standard output.
  void CloseOutput() { output_.Reset(); }

  // Ends the simulator with `signal`; returns its exit status, -1 when it
  // did not exit by itself (killed by a signal).
  int Stop(int signal = SIGTERM) { return child_.Stop(signal); }

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
  std::string device_;
  int port_ = 0;
  platform::UniqueFd output_;
  ChildProcess child_;

  // Starts the simulator with its standard output on a pipe read by `output_`.
  ChildProcess Start(const std::string& executable, const std::filesystem::path& configHome,
                     const std::vector<std::string>& arguments) {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC) != 0) fds[0] = fds[1] = -1;
    output_.Reset(fds[0]);
    const platform::UniqueFd writeEnd(fds[1]);
    std::vector<std::string> args = {executable, "--log", log_.string()};
    args.insert(args.end(), arguments.begin(), arguments.end());
    return ChildProcess(std::move(args),
                        {"XDG_CONFIG_HOME=" + configHome.string(), "PATH=/usr/bin:/bin"},
                        writeEnd.Get(), false);
  }
};

}  // namespace zo::test
