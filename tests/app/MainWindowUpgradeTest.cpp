// The Upgrade page of the main window: the firmware list in the grid with
// the last row selected, and the upload's ways out that need no controller:
// a file gone before the upload and a controller that never answers. The
// window is disabled while the upload runs and enabled again after each.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "../firmware/FirmwareTestFiles.h"
#include "app/MainWindowRig.h"
#include "app/views/ParameterGridView.h"
#include "app/windows/TFormMsg.h"
#include "app/windows/UploadWindow.h"

namespace zo::app {
namespace {

using link::Page;
using namespace std::chrono_literals;

class MainWindowUpgradeTest : public MainWindowRig {
 protected:
  // Answers every message dialog with OK or Yes and keeps its text; notes whether
  // the main window was ever enabled while the upload window was shown.
  void AnswerDialogs(TForm1& form) {
    QObject::connect(&answer_, &QTimer::timeout, &form, [this, &form] {
      if (Upload(form).Window() != nullptr && form.isEnabled()) enabledDuringUpload_ = true;
      if (TFormMsg* dialog = Messages(form).Current()) {
        shown_.push_back(dialog->Label1()->text().trimmed().toStdString());
        (dialog->BitBtnYes()->isVisible() ? dialog->BitBtnYes() : dialog->BitBtnOk())->click();
      }
    });
    answer_.start(20);
  }

  QTimer answer_;
  std::vector<std::string> shown_;
  bool enabledDuringUpload_ = false;
};

TEST_F(MainWindowUpgradeTest, ListsImagesAndEveryWayOutOfAnUploadEnablesTheWindowAgain) {
  const auto firmware = profile_.Folder() / "Firmware";
  std::filesystem::create_directories(firmware);
  // No controller read: the image's model byte is 0, and so is theirs.
  const std::vector<std::uint8_t> program(256, 0x11);
  test::WriteImage(firmware / "a.img", program, 0, 179, "First");
  test::WriteImage(firmware / "b.img", program, 0, 180, "Second");
  test::WriteImage(firmware / "other.img", program, 150, 180, "Not for this one");

  const auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_Control);  // Ctrl+Q: no connection attempts during the test
  Press(*form, Qt::Key_Q);
  AnswerDialogs(*form);
  Pages(*form).TabClick(PageButton::Upgrade);
  ParameterGridView& grid = ParameterView(*form);
  EXPECT_EQ(grid.Cell(0, 0), "Oprogramowanie");
  EXPECT_EQ(grid.Cell(1, 0), " V1.79   2007.05.03");
  EXPECT_EQ(grid.Cell(2, 1), "Second");
  EXPECT_EQ(grid.Cell(3, 1), "");
  EXPECT_EQ(grid.SelectedRow(), 2);
  auto* btn1 = form->findChild<QPushButton*>("Btn1");
  ASSERT_TRUE(btn1 != nullptr && btn1->isVisible());

  // The selected file is gone when the upload starts.
  std::filesystem::remove(firmware / "b.img");
  btn1->click();
  ASSERT_EQ(shown_.size(), 2u);
  EXPECT_EQ(shown_[1], "Nie można otworzyć pliku " + (firmware / "b.img").string());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(Upload(*form).Window(), nullptr);

  // Nothing was read, so there is no backup: asked, the user goes on.
  // Nobody answers the start: the watchdog ends it on the connection timer.
  grid.SelectRow(1);
  TimerInfo(*form).setInterval(50);
  TimerInfo(*form).start();
  btn1->click();
  ASSERT_TRUE(RunUntil([this] { return shown_.size() == 5; }, 10s));
  EXPECT_EQ(shown_[3], QString::fromStdString(Texts(*form).Text(914)).trimmed().toStdString());
  EXPECT_EQ(shown_[4], "Programowanie przerwane ! Brak połączenia !");
  EXPECT_FALSE(enabledDuringUpload_);
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(Upload(*form).Window(), nullptr);
  EXPECT_EQ(State(*form).activePage, Page::Parameters);
}

TEST(UploadWindowView, ShowsItsLinesAndBarAndClosesWithoutTrace) {
  texts::TextCatalogue texts;
  UploadWindow window(texts);
  window.Open(900);
  ASSERT_NE(window.Window(), nullptr);
  EXPECT_EQ(window.Window()->windowTitle(), " Viz Programowanie ! ");
  window.SetLine(2, {texts::TextPiece::Id(903), texts::TextPiece::Literal("1 min 5 s")});
  window.SetProgressMax(264);
  window.SetProgressPosition(100);
  window.ShowProgressBar(true);
  EXPECT_EQ(window.Window()->Line(2), "Czas do zakończenia : 1 min 5 s");
  EXPECT_EQ(window.Window()->Bar().value(), 100);
  EXPECT_FALSE(window.Window()->Bar().isHidden());
  window.Close();
  EXPECT_EQ(window.Window(), nullptr);
}

}  // namespace
}  // namespace zo::app
