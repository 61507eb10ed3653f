// Firmware uploads through the program's own main window, offscreen, against
// the lpgsim executable over its pseudo-terminal, the simulator at a raised
// priority so that it stands for a controller that never slows down while
// the caller keeps the processors busy (scripts/upload-busy). Each upload
// is confirmed, runs to its end and is followed by the new read; for each
// the block it reached and how many of the frames sent the simulator took
// whole are printed, and at the end the count of uploads that succeeded.
// Usage: bench_upload_busy [uploads, default 20]
#include <sys/resource.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "EventLoopWait.h"
#include "LpgsimProcess.h"
#include "ProgramProcess.h"
#include "SimulatorProgram.h"
#include "app/TForm1.h"
#include "app/rules/WindowRules.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "firmware/ImageMaker.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using zo::bench::RunUntil;

constexpr int kPort = 94;
constexpr int kSucceeded = 911;
constexpr int kStopped = 909;

void WriteImage(const std::filesystem::path& path) {
  zo::firmware::ImageDetails details{100, 180, 2026, 12, 7, "busy", 0x5D, 0x21};
  const auto file =
      zo::firmware::ImageMaker::Make(lpgsim::SimulatorProgram::Make(4096, 100, 180), details);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

int Run(int uploads) {
  zo::test::ProgramProfile profile;
  profile.UseHere();
  profile.SelectPort(kPort);
  WriteImage(profile.Folder() / "Firmware" / "busy.img");
  zo::test::LpgsimProcess sim(LPGSIM_EXE, profile.Config(), {"--port", std::to_string(kPort)});
  if (!sim.Running()) {
    std::fprintf(stderr, "upload-busy: lpgsim did not start\n");
    return 1;
  }
  if (::setpriority(PRIO_PROCESS, static_cast<id_t>(sim.Pid()), -5) != 0)
    std::fprintf(stderr, "upload-busy: lpgsim keeps its priority (not allowed to raise it)\n");

  zo::app::TForm1 form(zo::app::ProgramPaths{profile.Folder() / "ZoLpgWin",
                                             profile.SettingsPath(),
                                             {"ZoLpgWin"},
                                             profile.Folder().string(),
                                             profile.Folder() / "journal"});
  // Every question is answered OK or Yes; the end of each upload is noted.
  std::vector<std::string> ends;
  const auto text = [&form](int id) {
    return QString::fromStdString(form.Parts().texts.Text(id)).trimmed().toStdString();
  };
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    zo::app::TFormMsg* dialog = form.Parts().messages.Current();
    if (dialog == nullptr) return;
    const std::string shown = dialog->Label1()->text().trimmed().toStdString();
    if (shown == text(kSucceeded) || shown == text(kStopped)) ends.push_back(shown);
    (dialog->BitBtnOk()->isVisible() ? dialog->BitBtnOk() : dialog->BitBtnYes())->click();
  });
  answerer.start(20);
  form.show();

  int succeeded = 0;
  for (int i = 0; i < uploads; ++i) {
    const auto& s = form.Parts().state;
    // Read again, or still in its boot loader after a stopped upload; a
    // reconnection still asked for would reopen the port under the upload.
    if (!RunUntil(
            [&] {
              if (s.reconnectRequest || s.readInProgress) return false;
              return (s.connectionState == zo::link::ConnectionState::ControllerRead &&
                      s.workingCopy == s.controllerCopy) ||
                     s.connectionState == zo::link::ConnectionState::UploadOnly;
            },
            60s)) {
      std::fprintf(stderr, "upload-busy: the controller was not read before upload %d\n", i + 1);
      return 1;
    }
    form.Parts().pages->TabClick(zo::app::PageButton::Upgrade);
    const std::size_t before = ends.size();
    const std::size_t logged = sim.Requests().size();
    const auto start = Clock::now();
    form.findChild<QPushButton*>(QStringLiteral("Btn1"))->click();
    if (!RunUntil([&] { return ends.size() > before; }, 60s)) {
      std::fprintf(stderr, "upload-busy: upload %d never ended\n", i + 1);
      return 1;
    }
    const bool good = ends.back() == text(kSucceeded);
    succeeded += good ? 1 : 0;
    // The header and one block per request answered went out; the
    // simulator logs each frame it took whole.
    const auto requests = sim.Requests();
    const auto taken = std::count_if(requests.begin() + static_cast<std::ptrdiff_t>(logged),
                                     requests.end(), [](const auto& r) { return r.command == 7; });
    std::printf(
        "upload %d: %s after %.1f s, block %d of %d; %ld programming frames sent, %ld "
        "taken by the simulator\n",
        i + 1, good ? "completed" : "stopped (909)",
        std::chrono::duration<double>(Clock::now() - start).count(), s.programming.blockNumber,
        4096 / 16 + 4, long{s.programming.blockNumber} + 2, static_cast<long>(taken));
    std::fflush(stdout);
    form.Parts().pages->TabClick(zo::app::PageButton::Parameters);
  }
  std::printf("%d of %d uploads completed\n", succeeded, uploads);
  return succeeded == uploads ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 20);
}
