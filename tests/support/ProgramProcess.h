// The program in a profile of its own: a temporary configuration folder with
// a settings file and a port folder, a runtime folder, and the ZoLpgWin
// executable started offscreen as a process in that profile.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Settings.h"
#include "SettingsFile.h"
#include "TempFolder.h"

namespace zo::test {

class ProgramProfile {
 public:
  ProgramProfile() {
    std::filesystem::create_directories(PortFolder());
    std::filesystem::create_directories(Runtime());
    std::filesystem::permissions(Runtime(), std::filesystem::perms::owner_all);
  }

  [[nodiscard]] const std::filesystem::path& Folder() const { return folder_.Path(); }
  [[nodiscard]] std::filesystem::path Config() const { return Folder() / "config"; }
  [[nodiscard]] std::filesystem::path Runtime() const { return Folder() / "run"; }
  [[nodiscard]] std::filesystem::path PortFolder() const { return Config() / "Zo" / "ports"; }
  [[nodiscard]] std::filesystem::path SettingsPath() const { return Config() / "Zo" / "VAD2.reg"; }

  // The environment of the program in this profile, on the offscreen platform.
  [[nodiscard]] std::vector<std::string> Environment() const {
    return {"XDG_CONFIG_HOME=" + Config().string(), "XDG_RUNTIME_DIR=" + Runtime().string(),
            "HOME=" + Folder().string(), "QT_QPA_PLATFORM=offscreen", "PATH=/usr/bin:/bin"};
  }
  // The same for the test's own process.
  void UseHere() const {
    ::setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", Runtime().c_str(), 1);
  }

  // A settings file that selects port `port`, every other value its default.
  // Written as after a run with a controller, so it holds no `AutoScan`.
  void SelectPort(int port) const {
    app::Settings settings{Folder().string()};
    settings.comm = port;
    static_cast<void>(app::SettingsFile(SettingsPath()).Save(settings, Folder().string(), true));
  }

  [[nodiscard]] std::string SettingsText() const {
    std::ifstream file(SettingsPath());
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

 private:
  TempFolder folder_;
};

// Polls `condition` every `step` until it holds or `timeout` passes.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds timeout,
             std::chrono::milliseconds step = std::chrono::milliseconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(step);
  }
  return true;
}

class ProgramProcess {
 public:
  ProgramProcess(const std::string& executable, const ProgramProfile& profile) {
    std::string path = executable;
    std::vector<std::string> env = profile.Environment();
    std::vector<char*> argv{path.data(), nullptr};
    std::vector<char*> envp;
    for (auto& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);
    // The program's own output goes to a file of the profile, for a failure's story.
    const std::string output = (profile.Folder() / "program.out").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (::posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~ProgramProcess() {
    if (pid_ > 0) Stop(SIGKILL);
  }
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  [[nodiscard]] pid_t Pid() const { return pid_; }

  // Sends `signal` and waits up to `timeout` for the exit, then kills. The
  // exit code, or -1 when the program did not exit by itself in time.
  int Stop(int signal = SIGTERM, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    const bool exited = WaitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, timeout);
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
