// The program in a profile of its own: a temporary configuration folder with
// a settings file and a port folder, a runtime folder, and the ZoLpgWin
// executable started offscreen as a process in that profile.
#pragma once

#include <fcntl.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "platform/UniqueFd.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"

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
    settings::Settings settings{Folder().string()};
    settings.comm = port;
    static_cast<void>(
        settings::SettingsFile(SettingsPath()).Save(settings, Folder().string(), true));
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

// The ZoLpgWin executable started in `profile`, its output in the profile's
// program.out for a failure's story.
class ProgramProcess : public ChildProcess {
 public:
  ProgramProcess(const std::string& executable, const ProgramProfile& profile)
      : ChildProcess({executable}, profile.Environment(),
                     platform::UniqueFd(::open((profile.Folder() / "program.out").c_str(),
                                               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600))
                         .Get(),
                     true) {}
};

}  // namespace zo::test
