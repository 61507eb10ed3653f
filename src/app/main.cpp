// ZoLpgWin: the program's entry. Starts the toolkit, warns when another
// instance runs (and runs anyway), creates the main window and runs until it
// closes. SIGTERM, SIGINT and SIGHUP close the main window the normal way,
// so the settings are written.
#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ProgramVersion.h"
#include "app/ApplicationNames.h"
#include "app/TForm1.h"
#include "model/ControllerInfo.h"
#include "platform/DataFolders.h"
#include "platform/InstanceLock.h"
#include "platform/UserFolders.h"

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void CatchTerminationSignals(QObject* owner, QWidget* window) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal, &action, nullptr);
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
    window->close();
  });
}

std::string ProgramVersion() {
  return zo::model::ControllerInfo::ProgramVersionText(zo::kProgramVersion);
}

bool PrintsAndExits(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "Usage: ZoLpgWin\n"
          "Workshop tool for Vela autogas controllers. Settings are kept in\n"
          "$XDG_CONFIG_HOME/Zo/VAD2.reg; ports are chosen in the Port menu.\n"
          "Other arguments are shown in the diagnostic pane and have no effect.\n"
          "Help files and the Firmware and Doc folders are looked for in:\n");
      const zo::platform::DataFolders data(zo::platform::DataFolders::CurrentExecutable());
      for (const auto& folder : data.Candidates())
        std::printf("  %s\n", folder.c_str());
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ZoLpgWin %s\n", ProgramVersion().c_str());
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (PrintsAndExits(argc, argv)) return 0;
  QApplication app(argc, argv);
  zo::app::ApplicationNames::Set();

  const auto folders = zo::platform::UserFolders::FromEnvironment();
  zo::platform::InstanceLock lock(folders.LockPath());
  if (lock.Acquire() == zo::platform::InstanceLock::Result::HeldByAnother) {
    QMessageBox::information(
        nullptr, QStringLiteral("ZoLpgWin"),
        QString::fromStdString(zo::platform::InstanceLock::AlreadyRunningText()));
  }

  zo::app::ProgramPaths paths;
  paths.executable = zo::platform::DataFolders::CurrentExecutable();
  paths.settingsFile = folders.SettingsPath();
  paths.journalFolder = folders.JournalFolder();
  paths.fileFolder = zo::platform::DataFolders(paths.executable).FileFolder(folders.Home());
  for (int i = 0; i < argc; ++i)
    paths.arguments.emplace_back(argv[i]);

  auto window = std::make_unique<zo::app::TForm1>(std::move(paths));
  CatchTerminationSignals(&app, window.get());
  window->show();
  const int result = QApplication::exec();
  window.reset();  // writes the settings
  return result;
}
