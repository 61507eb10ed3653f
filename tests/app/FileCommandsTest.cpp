// The window's file commands with the file dialog replaced: parameter files
// and recordings saved and opened with their checks and answers, automatic
// saving, the comparison window and the exports; and against the lpgsim
// executable, loading a controller's own file writes nothing while showing a
// file as a controller stops polling and names the file's model.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "FactoryImage.h"
#include "LpgsimProcess.h"
#include "app/FileCommands.h"
#include "app/MainWindowRig.h"
#include "app/views/MainMenus.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/windows/CompareDialog.h"
#include "app/windows/TFormMsg.h"
#include "files/RecordingFile.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

class FileCommandsTest : public MainWindowRig {
 protected:
  // Every dialog answers the next path of `paths_` and records what it asked.
  void Prepare(TForm1& form) {
    Files(form).SetPathChooser([this](const FileChoice& choice) {
      asked_.push_back(choice);
      return (profile_.Folder() / next_).string();
    });
  }
  // Answers the next message with `button` and returns its text.
  static std::string Answer(TForm1& form, QPushButton* (TFormMsg::*button)() const,
                            const std::function<void()>& command) {
    std::string shown;
    QTimer::singleShot(0, &form, [&form, &shown, button] {
      TFormMsg* dialog = Messages(form).Current();
      ASSERT_NE(dialog, nullptr);
      shown = dialog->Label1()->text().trimmed().toStdString();
      QTest::mouseClick((dialog->*button)(), Qt::LeftButton);
    });
    QTimer guard;
    GuardMessages(form, guard);
    command();
    return shown;
  }
  std::string Text(const TForm1& form, int id) const {
    return QString::fromStdString(Texts(form).Text(id)).trimmed().toStdString();
  }

  std::string next_;
  std::vector<FileChoice> asked_;
};

TEST_F(FileCommandsTest, ParameterFilesAreCheckedSavedAndShownAsAController) {
  const auto form = Open();
  ShowIdle(*form);
  Prepare(*form);
  FileCommands& files = Files(*form);
  auto vela = lpgsim::FactoryImage::Build(150, 179, 255);
  const auto written = profile_.Folder() / "vela.zop";
  WriteAll(written, vela);

  next_ = "car.txt";
  EXPECT_EQ(Answer(*form, &TFormMsg::BitBtnOk, [&] { files.SaveParameters(); }), Text(*form, 701));
  EXPECT_FALSE(std::filesystem::exists(profile_.Folder() / "car.txt"));
  EXPECT_EQ(asked_.back().title.toStdString(), Texts(*form).Text(107));
  EXPECT_EQ(asked_.back().filterIndex, 1);
  EXPECT_EQ(CurrentSettings(*form).dirSave, profile_.Folder().string()) << "folder remembered";
  next_ = "car.ZOP";
  files.SaveParameters();
  EXPECT_EQ(ReadAll(profile_.Folder() / "car.ZOP").size(), 512u);
  EXPECT_FALSE(files.SaveBackup()) << "nothing read: no backup";

  WriteAll(profile_.Folder() / "short.zop", std::span(vela).first(167));
  const link::ImageArea before = State(*form).workingCopy;
  next_ = "short.zop";
  EXPECT_EQ(Answer(*form, &TFormMsg::BitBtnOk, [&] { files.OpenParameters(); }), Text(*form, 703));
  EXPECT_EQ(State(*form).workingCopy, before) << "a short file changes nothing";

  next_ = "vela.zop";
  const std::string question =
      Answer(*form, &TFormMsg::BitBtnCancel, [&] { files.OpenParameters(); });
  EXPECT_EQ(question.substr(0, 30), Text(*form, 704).substr(0, 30));
  EXPECT_EQ(State(*form).workingCopy, before) << "Cancel changes nothing";
  TimerTx(*form).start();
  Answer(*form, &TFormMsg::BitBtnNo, [&] { files.OpenParameters(); });
  EXPECT_FALSE(TimerTx(*form).isActive()) << "polling stopped";
  EXPECT_EQ(State(*form).connectionState, link::ConnectionState::FileShown);
  EXPECT_TRUE(std::equal(vela.begin(), vela.begin() + 168, State(*form).workingCopy.begin()));
  EXPECT_TRUE(form->windowTitle().contains("[vela.zop] - Vela150"))
      << form->windowTitle().toStdString();

  // Compared with the parameters shown: exactly the changed row, then loaded.
  ++vela[57];
  WriteAll(profile_.Folder() / "changed.zop", vela);
  next_ = "changed.zop";
  files.CompareWithController();
  CompareDialog* comparison = files.Comparison();
  ASSERT_NE(comparison, nullptr);
  ASSERT_EQ(comparison->Table()->rowCount(), 1);
  EXPECT_NE(comparison->Table()->item(0, 1)->text(), comparison->Table()->item(0, 2)->text());
  EXPECT_EQ(State(*form).workingCopy[57], vela[57] - 1) << "nothing loaded before the button";
  QTest::mouseClick(comparison->BtnLoad(), Qt::LeftButton);
  EXPECT_EQ(State(*form).workingCopy[57], vela[57]);
}

TEST_F(FileCommandsTest, RecordingsAutoSaveAndExports) {
  const auto form = Open();
  ShowIdle(*form);
  Prepare(*form);
  FileCommands& files = Files(*form);
  // A recording of a Vela100 whose samples count up.
  link::ImageArea image = link::BlankImage();
  const auto vela = lpgsim::FactoryImage::Build(100, 179, 255);
  std::copy(vela.begin(), vela.end(), image.begin());
  link::SampleHistory history;
  for (int slot = 0; slot < link::kHistoryLength; ++slot)
    history.At(slot).fill(static_cast<std::uint8_t>(slot * 7));
  auto recording = files::RecordingFile::Encode(image, history, 0);
  WriteAll(profile_.Folder() / "drive.ZOV", recording);

  TimerTx(*form).start();
  next_ = "drive.ZOV";
  files.OpenRecording();
  EXPECT_FALSE(TimerTx(*form).isActive());
  EXPECT_FALSE(State(*form).scopeRunning);
  EXPECT_EQ(State(*form).history.At(3599), history.At(3599));
  EXPECT_TRUE(form->windowTitle().contains("[drive.ZOV] - Vela100"));

  // Saved again from the slot after the write index, byte for byte.
  next_ = "again.zov";
  files.SaveRecording();
  const int first = files::RecordingFile::OldestSlot(State(*form).history);
  EXPECT_EQ(ReadAll(profile_.Folder() / "again.zov"),
            files::RecordingFile::Encode(image, history, first));

  // The CSV row of the sample the signal list shows holds the list's values.
  next_ = "drive.csv";
  files.ExportCsv();
  const auto csvBytes = ReadAll(profile_.Folder() / "drive.csv");
  std::istringstream csv(std::string(csvBytes.begin(), csvBytes.end()));
  std::vector<std::string> lines;
  for (std::string line; std::getline(csv, line);)
    lines.push_back(line);
  ASSERT_EQ(lines.size(), 3601u);
  const std::string& shown = lines[3600 - 1];  // the slot before the write index
  const SignalListView& list = SignalView(*form);
  std::vector<std::string> fields;
  std::stringstream row(shown);
  for (std::string field; std::getline(row, field, ',');)
    fields.push_back(field);
  ASSERT_GE(fields.size(), 3u);
  for (int r = 1; r <= 2; ++r) {
    const std::string cell = list.Cell(r, 1);
    EXPECT_EQ(fields[static_cast<std::size_t>(r)], cell.substr(0, cell.find(' '))) << "row " << r;
  }

  next_ = "scope.png";
  files.ExportPng();
  EXPECT_EQ(QImage(QString::fromStdString((profile_.Folder() / "scope.png").string())).size(),
            Scope(*form).Image().size());

  // The sample chosen with the scroll bar stays on the list through a
  // re-layout, and the next recording is shown from the end of the history.
  QScrollBar* scroll = Scope(*form).ScrollBar();
  const std::string newest = list.Cell(1, 1);
  scroll->setValue(3000);
  const std::string chosen = list.Cell(1, 1);
  ASSERT_NE(chosen, newest);
  Press(*form, Qt::Key_F9);
  EXPECT_EQ(list.Cell(1, 1), chosen);

  // Automatic saving: switched from the menu, named with "/" replaced, the
  // second save of a minute replacing the first, a failure reported.
  Menu(*form, "MenuFileSaveAuto").trigger();
  EXPECT_TRUE(State(*form).autoSave);
  EXPECT_TRUE(Menu(*form, "MenuFileSaveAuto").isChecked());
  files.SetStampSource([] { return AutoSaveStamp{"12/31/26", 14, 35}; });
  files.SetAutoSaveFolder(profile_.Folder());
  files.AutoSave();
  const auto autoPath = profile_.Folder() / "12-31-26.1435.zov";
  EXPECT_EQ(ReadAll(autoPath), files::RecordingFile::Encode(image, history, 0));
  history.At(0).fill(1);
  recording = files::RecordingFile::Encode(image, history, 0);
  WriteAll(profile_.Folder() / "later.zov", recording);
  next_ = "later.zov";
  files.OpenRecording();
  EXPECT_EQ(scroll->value(), 3599);
  files.AutoSave();
  EXPECT_EQ(ReadAll(autoPath), files::RecordingFile::Encode(image, history, 0));
  files.SetAutoSaveFolder(profile_.Folder() / "missing");
  files.AutoSave();
  ASSERT_NE(files.AutoSaveFailure(), nullptr);
  EXPECT_EQ(files.AutoSaveFailure()->text().trimmed().toStdString(), Text(*form, 730));
  files.AutoSaveFailure()->close();
  EXPECT_TRUE(State(*form).autoSave) << "auto-save stays on";
  Scope(*form).findChild<QAbstractButton*>("BtnAutoSave")->click();
  EXPECT_FALSE(State(*form).autoSave) << "the strip's mark switches it off";
  // Stopping the scope switches it off as well.
  Menu(*form, "MenuFileSaveAuto").trigger();
  auto* btnScope = Scope(*form).findChild<QAbstractButton*>("BtnScope");
  btnScope->click();  // started
  btnScope->click();
  EXPECT_FALSE(State(*form).autoSave);
  EXPECT_FALSE(Menu(*form, "MenuFileSaveAuto").isChecked());
  EXPECT_FALSE(Scope(*form).findChild<QAbstractButton*>("BtnAutoSave")->isVisible());
}

TEST_F(FileCommandsTest, AgainstTheControllerYesWritesOnlyDifferencesAndNoStopsPolling) {
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "79"});
  ASSERT_TRUE(sim.Running());
  const auto form = OpenConnected(sim);
  ASSERT_NE(form, nullptr);
  Prepare(*form);
  FileCommands& files = Files(*form);
  next_ = "own.zop";
  files.SaveParameters();
  files.SetStampSource([] { return AutoSaveStamp{"", 14, 35}; });
  const auto backup = files.SaveBackup();
  ASSERT_TRUE(backup);
  EXPECT_NE(files.SaveBackup(), backup) << "a second backup of the minute goes beside the first";

  // The controller's own file: nothing differs, nothing is written.
  const std::size_t before = sim.Requests().size();
  Answer(*form, &TFormMsg::BitBtnYes, [&] { files.OpenParameters(); });
  const std::size_t polls = sim.Requests().size();
  ASSERT_TRUE(RunUntil([&] { return sim.Requests().size() > polls + 10; }, 30s));
  EXPECT_FALSE(WroteSince(sim, before));

  // A changed file compared with the controller, then shown with No.
  auto file = ReadAll(profile_.Folder() / "own.zop");
  ++file[57];
  file[0] = 150;
  WriteAll(profile_.Folder() / "other.zop", file);
  next_ = "other.zop";
  files.CompareWithController();
  ASSERT_NE(files.Comparison(), nullptr);
  EXPECT_EQ(files.Comparison()->Table()->rowCount(), 1) << "the model code is never loaded";
  QTest::mouseClick(files.Comparison()->BtnClose(), Qt::LeftButton);
  Answer(*form, &TFormMsg::BitBtnNo, [&] { files.OpenParameters(); });
  EXPECT_FALSE(TimerTx(*form).isActive());
  EXPECT_TRUE(form->windowTitle().contains("[other.zop] - Vela150"))
      << form->windowTitle().toStdString();
  const std::size_t stopped = sim.Requests().size();
  QTest::qWait(500);
  EXPECT_EQ(sim.Requests().size(), stopped) << "the controller is left alone";
}

}  // namespace
}  // namespace zo::app
