// Bad files through the window's file commands: every one shows the
// program's message, leaves what is on disk byte for byte as it was, keeps
// the parameters shown and, against the lpgsim executable, sends the
// controller no parameter write. Files the user may not read or write are
// tried apart, since running as root ignores permissions.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <fstream>
#include <map>
#include <optional>
#include <random>

#include "FifoPartner.h"
#include "LpgsimProcess.h"
#include "app/FileCommands.h"
#include "app/MainWindowRig.h"
#include "app/windows/TFormMsg.h"

namespace zo::app {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using Command = void (FileCommands::*)();
// What is at the chosen path before the command; Locked is a file nobody may
// read or write, ReadOnly a file in a folder nobody may write.
enum class Make { File, Nothing, Pipe, Locked, ReadOnly };

struct Case {
  const char* name;
  Command command;
  const char* file;  // the name chosen in the dialog
  Make make;
  std::size_t size;  // random bytes of the file made
  int message;       // the text shown
  bool fullDisk = false;
};

constexpr std::size_t kRecording = 57'856;
constexpr Command kOpenPar = &FileCommands::OpenParameters;
constexpr Command kOpenVis = &FileCommands::OpenRecording;
constexpr Command kSavePar = &FileCommands::SaveParameters;
constexpr Command kSaveVis = &FileCommands::SaveRecording;
constexpr Command kAutoSave = &FileCommands::AutoSave;

const Case kCases[] = {
    {"wrong extension", kOpenPar, "car.txt", Make::File, 512, 701},
    {"empty parameter file", kOpenPar, "empty.zop", Make::File, 0, 703},
    {"pipe named .zop", kOpenPar, "pipe.zop", Make::Pipe, 0, 702},
    {"random and too long: asked, cancelled", kOpenPar, "noise.zop", Make::File, 900, 704},
    {"compared, truncated", &FileCommands::CompareWithController, "cut.zop", Make::File, 100, 703},
    {"recording, wrong extension", kOpenVis, "drive.txt", Make::File, kRecording, 701},
    {"empty recording", kOpenVis, "empty.zov", Make::File, 0, 703},
    {"recording gone", kOpenVis, "gone.zov", Make::Nothing, 0, 702},
    {"pipe named .zov", kOpenVis, "pipe.zov", Make::Pipe, 0, 702},
    {"save into a missing folder", kSavePar, "none/car.zop", Make::Nothing, 0, 702},
    {"save over a pipe", kSaveVis, "pipe.zov", Make::Pipe, 0, 702},
    {"parameters, disk full", kSavePar, "car.zop", Make::File, 512, 702, true},
    {"recording, disk full", kSaveVis, "drive.zov", Make::File, kRecording, 702, true},
    {"auto-save, disk full", kAutoSave, "12-31-26.1435.zov", Make::File, 99, 730, true},
};

const Case kPermissionCases[] = {
    {"unreadable parameter file", kOpenPar, "locked.zop", Make::Locked, 512, 702},
    {"unreadable recording", kOpenVis, "locked.zov", Make::Locked, kRecording, 702},
    {"save over a protected file", kSavePar, "locked.zop", Make::Locked, 512, 702},
    {"read-only folder", kSaveVis, "ro/drive.zov", Make::ReadOnly, 64, 702},
    {"auto-save, read-only folder", kAutoSave, "ro/12-31-26.1435.zov", Make::ReadOnly, 64, 730},
};

using Disk = std::map<fs::path, std::vector<std::uint8_t>>;

// Every entry below `folder` with the bytes of those that are files.
Disk Snapshot(const fs::path& folder) {
  Disk disk;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    auto& bytes = disk[entry.path()];
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  return disk;
}

// Files may not grow past 100 bytes while this lives, as on a full disk;
// a write past that fails instead of raising SIGXFSZ.
class FullDisk {
 public:
  FullDisk() : signal_(::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, signal_);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit old_{};
  sighandler_t signal_;
};

class BadFilesTest : public MainWindowRig {
 protected:
  void Prepare(TForm1& form) {
    Files(form).SetPathChooser([this](const FileChoice&) { return (folder_ / next_).string(); });
    Files(form).SetStampSource([] { return AutoSaveStamp{"12/31/26", 14, 35}; });
  }

  // Puts at `path` what the case starts from.
  void Put(const Case& c, const fs::path& path) {
    if (c.make != Make::Nothing) fs::create_directories(path.parent_path());
    std::vector<char> bytes(c.size);
    std::generate(bytes.begin(), bytes.end(), [this] { return static_cast<char>(random_()); });
    if (c.make == Make::Pipe) ::mkfifo(path.c_str(), 0600);
    if (c.make == Make::File || c.make == Make::Locked || c.make == Make::ReadOnly)
      std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
    if (c.make == Make::Locked) fs::permissions(path, fs::perms::none);
    if (c.make == Make::ReadOnly)
      fs::permissions(path.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
  }

  // The start of each message `command` shows; a question is cancelled.
  static std::vector<std::string> Shown(TForm1& form, Command command) {
    std::vector<std::string> shown;
    const auto start = [](const QString& text) { return text.trimmed().left(30).toStdString(); };
    QTimer responder;
    QObject::connect(&responder, &QTimer::timeout, [&] {
      TFormMsg* dialog = Messages(form).Current();
      if (dialog == nullptr || !dialog->isVisible()) return;
      shown.push_back(start(dialog->Label1()->text()));
      QPushButton* cancel = dialog->BitBtnCancel();
      QTest::mouseClick(cancel->isVisible() ? cancel : dialog->BitBtnOk(), Qt::LeftButton);
    });
    responder.start(5);
    (Files(form).*command)();
    if (QMessageBox* failure = Files(form).AutoSaveFailure()) {
      shown.push_back(start(failure->text()));
      failure->close();
    }
    return shown;
  }

  void Run(TForm1& form, const Case& c) {
    SCOPED_TRACE(c.name);
    folder_ = profile_.Folder() / ("case" + std::to_string(++count_));
    fs::create_directory(folder_);
    const fs::path path = folder_ / c.file;
    Put(c, path);
    next_ = c.file;
    Files(form).SetAutoSaveFolder(path.parent_path());
    const Disk before = Snapshot(folder_);
    const link::ImageArea working = State(form).workingCopy;
    const bool polling = TimerTx(form).isActive();
    std::vector<std::string> shown;
    {
      std::optional<FullDisk> full;
      if (c.fullDisk) full.emplace();
      std::optional<test::FifoPartner> partner;
      if (c.make == Make::Pipe) partner.emplace(path);
      shown = Shown(form, c.command);
    }
    const QString expected = QString::fromStdString(Texts(form).Text(c.message));
    EXPECT_EQ(shown, std::vector{expected.trimmed().left(30).toStdString()});
    EXPECT_EQ(Snapshot(folder_), before) << "the files on disk are as they were";
    EXPECT_EQ(State(form).workingCopy, working);
    EXPECT_EQ(TimerTx(form).isActive(), polling);
    std::error_code absent;
    fs::permissions(path.parent_path(), fs::perms::owner_all, absent);
    fs::permissions(path, fs::perms::owner_all, absent);
  }

  // Whether this process reads a file nobody may read, as root does.
  bool PermissionsIgnored() const {
    const fs::path probe = profile_.Folder() / "probe";
    std::ofstream(probe) << 'x';
    fs::permissions(probe, fs::perms::none);
    return std::ifstream(probe).is_open();
  }

  fs::path folder_;
  std::string next_;
  int count_ = 0;
  std::mt19937 random_{7};
};

TEST_F(BadFilesTest, EachIsReportedAndChangesNothingOnDiskOrInTheController) {
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "79"});
  ASSERT_TRUE(sim.Running());
  const auto form = OpenConnected(sim);
  ASSERT_NE(form, nullptr);
  Prepare(*form);
  const std::size_t from = sim.Requests().size();
  for (const Case& c : kCases)
    Run(*form, c);
  const std::size_t polls = sim.Requests().size();
  ASSERT_TRUE(RunUntil([&] { return sim.Requests().size() > polls + 10; }, 30s));
  EXPECT_FALSE(WroteSince(sim, from));

  // A whole recording of random bytes is shown as any other.
  next_ = "noise.zov";
  Put({"noise", kOpenVis, "noise.zov", Make::File, kRecording, 0}, folder_ / next_);
  EXPECT_TRUE(Shown(*form, kOpenVis).empty());
  EXPECT_TRUE(form->windowTitle().contains("[noise.zov]")) << form->windowTitle().toStdString();
}

TEST_F(BadFilesTest, FilesTheUserMayNotReadOrWrite) {
  if (PermissionsIgnored()) GTEST_SKIP() << "permissions do not stop this user (root)";
  const auto form = Open();
  ShowIdle(*form);
  Prepare(*form);
  for (const Case& c : kPermissionCases)
    Run(*form, c);
}

}  // namespace
}  // namespace zo::app
