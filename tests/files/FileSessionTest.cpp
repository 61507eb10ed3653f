// What the file commands do once a path is chosen: the folder remembered
// and the extension checked first, the load question's Yes loading for the
// controller and No showing the file with polling stopped, a recording shown
// with the scope stopped, the comparison's side, and the automatic
// recording's name and its failure reported once.
#include <gtest/gtest.h>

#include "FactoryImage.h"
#include "FakeTexts.h"
#include "TempFolder.h"
#include "files/AtomicFile.h"
#include "files/FileSession.h"
#include "files/RecordingFile.h"
#include "link/LinkState.h"
#include "model/ControllerModel.h"

namespace zo::files {
namespace {

class FileSessionTest : public testing::Test {
 protected:
  FileSessionTest() {
    const auto vela = lpgsim::FactoryImage::Build(100, 179, 255);
    std::copy(vela.begin(), vela.end(), state_.workingCopy.begin());
    file_ = state_.workingCopy;
    file_[0] = 150;  // another model
    ++file_[57];
    Put("vela.zop", file_);
  }
  std::string Put(const std::string& name, std::span<const std::uint8_t> bytes) const {
    const std::string path = (folder_ / name).string();
    EXPECT_TRUE(AtomicFile::Write(path, bytes));
    return path;
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  const test::TempFolder folder_;
  const model::test::FakeTexts texts_;
  link::LinkState state_;
  link::ImageArea file_{};
  std::string open_ = "start", save_ = "start";
  FileSession session_{{state_, state_, state_, state_, state_}, {open_, save_}, texts_};
};

TEST_F(FileSessionTest, AChosenFolderIsRememberedAndTheExtensionCheckedBeforeWriting) {
  EXPECT_EQ(session_.SaveParameters(""), FileOutcome{});
  EXPECT_EQ(session_.Folder(true), "start") << "cancelled";
  EXPECT_EQ(session_.SaveParameters(Path("car.txt")), FileOutcome{.message = 701});
  EXPECT_EQ(save_, folder_.Path().string());
  EXPECT_EQ(open_, "start");
  EXPECT_FALSE(std::filesystem::exists(Path("car.txt")));
  EXPECT_EQ(session_.SaveParameters(Path("car.ZOP")), FileOutcome{});
  const auto written = ParameterFile::Encode(state_.workingCopy);
  EXPECT_EQ(AtomicFile::Read(Path("car.ZOP"), 600).bytes,
            std::vector<std::uint8_t>(written.begin(), written.end()));
  EXPECT_EQ(session_.SaveRecording(Path("none/drive.zov")), FileOutcome{.message = 702});
}

TEST_F(FileSessionTest, YesLoadsForTheControllerNoShowsTheFileAndStopsPolling) {
  const link::ImageArea before = state_.workingCopy;
  EXPECT_EQ(session_.OpenParameters(Path("gone.zop")).outcome, FileOutcome{.message = 702});
  const OpenedParameters unread =
      session_.OpenParameters(Put("short.zop", std::span(file_).first(167)));
  EXPECT_EQ(unread.outcome, FileOutcome{.message = 703});
  EXPECT_EQ(session_.Answer(unread, link::MsgResult::Yes), FileOutcome{}) << "nothing was asked";

  const std::string path = Path("vela.zop");
  const OpenedParameters opened = session_.OpenParameters(path);
  EXPECT_EQ(opened.outcome, FileOutcome{.question = 704});
  EXPECT_EQ(session_.Answer(opened, link::MsgResult::Cancel), FileOutcome{}) << "Cancel";
  EXPECT_EQ(state_.workingCopy, before);

  EXPECT_EQ(session_.Answer(opened, link::MsgResult::Yes),
            (FileOutcome{.rebuildGrid = true, .rebuildSignalList = true}));
  EXPECT_EQ(state_.workingCopy[0], 100) << "the controller keeps its model";
  EXPECT_EQ(state_.workingCopy[57], file_[57]);
  EXPECT_EQ(state_.causes.Of(57, file_[57], 0).cause, link::ChangeCause::ParameterFile);
  EXPECT_EQ(state_.connectionState, link::ConnectionState::NotConnected);

  EXPECT_EQ(session_.Answer(opened, link::MsgResult::No),
            (FileOutcome{.stopPolling = true, .shownFile = path, .rebuildSignalList = true}));
  EXPECT_EQ(state_.workingCopy[0], 150);
  EXPECT_EQ(state_.connectionState, link::ConnectionState::FileShown);
}

TEST_F(FileSessionTest, ARecordingIsShownWithPollingAndTheScopeStopped) {
  EXPECT_EQ(session_.OpenRecording(Put("empty.zov", {})), FileOutcome{.message = 703});
  link::SampleHistory history;
  history.At(7).fill(9);
  const std::string path = Put("drive.zov", RecordingFile::Encode(file_, history, 0));
  EXPECT_EQ(
      session_.OpenRecording(path),
      (FileOutcome{
          .stopPolling = true, .shownFile = path, .rebuildSignalList = true, .stopScope = true}));
  EXPECT_EQ(state_.history.At(7), history.At(7));
  EXPECT_EQ(state_.workingCopy[57], file_[57]);
}

TEST_F(FileSessionTest, TheControllerIsComparedOnlyWhileOneIsReadAndPolled) {
  state_.controllerCopy = file_;  // the file's values
  state_.connected = true;
  state_.connectionState = link::ConnectionState::ControllerRead;
  const FileComparison polled = session_.Compare(Path("vela.zop"), true);
  EXPECT_TRUE(polled.show);
  EXPECT_TRUE(polled.rows.empty());
  EXPECT_EQ(polled.name, "vela.zop");
  EXPECT_EQ(session_.Compare(Path("vela.zop"), false).rows.size(), 1u) << "the parameters shown";
  const FileComparison unread = session_.Compare(Put("short.zop", std::span(file_).first(9)), true);
  EXPECT_FALSE(unread.show);
  EXPECT_EQ(unread.outcome, FileOutcome{.message = 703});
}

TEST_F(FileSessionTest, AutoSaveIsNamedByTheStampAndAFailureReportedWhileNoReportIsUp) {
  state_.history.At(0).fill(3);
  session_.SetAutoSaveFolder(folder_.Path());
  const AutoSaveStamp stamp{"12/31/26", 14, 35};
  EXPECT_EQ(session_.AutoSave(stamp, false), FileOutcome{});
  EXPECT_EQ(AtomicFile::Read(Path("12-31-26.1435.zov"), RecordingFile::kSize).bytes,
            RecordingFile::Encode(state_.workingCopy, state_.history, 0));
  session_.SetAutoSaveFolder(folder_ / "missing");
  EXPECT_EQ(session_.AutoSave(stamp, false), FileOutcome{.notice = 730});
  EXPECT_EQ(session_.AutoSave(stamp, true), FileOutcome{});

  EXPECT_EQ(session_.ToggleAutoSave().shown, true);
  EXPECT_EQ(session_.ToggleAutoSave().on, false);
  state_.activePage = link::Page::Map;
  const AutoSaveMark elsewhere = session_.ToggleAutoSave();
  EXPECT_TRUE(elsewhere.on);
  EXPECT_FALSE(elsewhere.shown) << "the scope marks it on the Parameters page only";
}

}  // namespace
}  // namespace zo::files
