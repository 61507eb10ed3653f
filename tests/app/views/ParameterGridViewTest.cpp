// The parameter grid on the offscreen platform with a factory image: rows as
// the model builds them, the value editor over the selected value cell, and
// its edits reaching the working copy.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "FactoryImage.h"
#include "app/views/ParameterGridView.h"
#include "app/widgets/StringGrid.h"
#include "link/LinkState.h"
#include "model/FakeEditorPorts.h"
#include "model/FakeTexts.h"

namespace zo::app {
namespace {

link::ImageArea FactoryCopy() {
  link::ImageArea image = link::BlankImage();
  const auto factory = lpgsim::FactoryImage::Build(100, 179, 0xFF);
  std::copy(factory.begin(), factory.end(), image.begin());
  return image;
}

class ParameterGridViewTest : public testing::Test {
 protected:
  ParameterGridViewTest() {
    state_.workingCopy = state_.controllerCopy = FactoryCopy();
    state_.connectionState = link::ConnectionState::ControllerRead;
    state_.activePage = link::Page::Parameters;
    GridGeometry geometry;
    geometry.rect = QRect(0, 0, 244, 18 * 21 + 4);
    geometry.columnWidth = 111;
    geometry.rowHeight = 20;
    view_.ApplyGeometry(geometry);
    // As the main window does: every edit outcome rebuilds the rows.
    editor_.SetOutcomeHandler([this](const model::EditOutcome&) { Rebuild(); });
    Rebuild();
    window_.resize(300, 500);
    window_.show();
  }

  void Rebuild() { view_.Show(Rows()); }
  model::ParameterGrid Rows() const {
    return model::ParameterGrid::Build(state_.workingCopy, texts_);
  }
  int RowOf(int byte) const {
    const model::ParameterGrid grid = Rows();
    const auto& rows = grid.Rows();
    const auto found = std::find_if(
        rows.begin(), rows.end(), [byte](const model::ParameterRow& r) { return r.byte == byte; });
    EXPECT_NE(found, rows.end()) << "no row for byte " << byte;
    return static_cast<int>(found - rows.begin()) + 1;
  }
  int Select(int byte) {
    const int row = RowOf(byte);
    view_.SelectRow(row);
    return row;
  }
  int W(int byte) const { return state_.workingCopy[static_cast<std::size_t>(byte)]; }
  void SetW(int byte, int value) {
    state_.workingCopy[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(value);
  }
  template <typename T>
  T* Find(const char* name) {
    T* widget = window_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  model::test::FakeTexts texts_;
  link::LinkState state_;
  model::test::RecordingMessages messages_;
  model::test::FixedClock clock_;
  model::ParameterEditor editor_{{state_, state_, state_}, messages_, clock_};
  QWidget window_;
  ParameterGridView view_{&window_, editor_, state_.workingCopy, texts_};
};

TEST_F(ParameterGridViewTest, ShowsTheHeaderAndTheModelRowsAndBlanksTheRest) {
  const model::ParameterGrid rows = Rows();
  const int count = static_cast<int>(rows.Rows().size());
  ASSERT_GT(count, 10);
  EXPECT_EQ(view_.Cell(0, 0), "T300");
  EXPECT_EQ(view_.Cell(0, 1), "T301");
  for (int row = 1; row <= count; ++row) {
    EXPECT_EQ(view_.Cell(row, 0), rows.RowAt(row)->name) << row;
    EXPECT_EQ(view_.Cell(row, 1), rows.RowAt(row)->Cell()) << row;
  }
  EXPECT_GE(view_.Grid().RowCount(), std::max(50, count + 1));
  // A rebuild with fewer rows blanks the rows left over.
  SetW(34, 4);  // no lambda sensor: its block disappears
  Rebuild();
  const int fewer = static_cast<int>(Rows().Rows().size());
  ASSERT_LT(fewer, count);
  EXPECT_EQ(view_.Cell(fewer + 1, 0), "");
  EXPECT_EQ(view_.Cell(fewer + 1, 1), "");
}

TEST_F(ParameterGridViewTest, ControlsFollowTheEditStyleOfTheSelectedRow) {
  SetW(78, 3);  // power-supply errors: the row with the erase button
  Rebuild();
  auto* edit = Find<QLineEdit>("Edit1");
  auto* arrows = Find<QWidget>("UpDown1");
  auto* button = Find<QToolButton>("BitBtn1");
  Select(57);  // text box and arrows
  EXPECT_TRUE(edit->isVisible());
  EXPECT_TRUE(arrows->isVisible());
  EXPECT_FALSE(button->isVisible());
  EXPECT_EQ(edit->text(), "1.50");
  Select(32);  // arrows only
  EXPECT_FALSE(edit->isVisible());
  EXPECT_TRUE(arrows->isVisible());
  Select(78);  // button only
  EXPECT_FALSE(arrows->isVisible());
  ASSERT_TRUE(button->isVisible());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(W(78), 0);
  EXPECT_EQ(state_.controllerCopy[78], 255);
}

TEST_F(ParameterGridViewTest, TypingStoresEachChangeAtOnceAndTheCellShowsIt) {
  const int row = Select(57);  // 0.02 V
  auto* edit = Find<QLineEdit>("Edit1");
  edit->selectAll();
  QTest::keyClicks(edit, "2.3");
  EXPECT_EQ(W(57), 114);
  EXPECT_EQ(view_.Cell(row, 1), "2.28 [V]");
  EXPECT_EQ(edit->text(), "2.3");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(W(57), 100);
}

TEST_F(ParameterGridViewTest, ArrowsWrapAroundTheRange) {
  SetW(62, 100);  // switch-over rpm, maximum 100
  Rebuild();
  const int row = Select(62);
  QTest::mouseClick(Find<QToolButton>("UpDown1Up"), Qt::LeftButton);
  EXPECT_EQ(W(62), 0);
  EXPECT_EQ(view_.Cell(row, 1), "0 [obr/min]");
  QTest::mouseClick(Find<QToolButton>("UpDown1Down"), Qt::LeftButton);
  EXPECT_EQ(W(62), 100);
  view_.StepSelected(true);
  EXPECT_EQ(W(62), 0);
}

TEST_F(ParameterGridViewTest, NoControlsWithoutAControllerRead) {
  state_.connectionState = link::ConnectionState::FileShown;
  Select(57);
  EXPECT_FALSE(Find<QLineEdit>("Edit1")->isVisible());
  EXPECT_FALSE(Find<QWidget>("UpDown1")->isVisible());
  view_.StepSelected(true);
  EXPECT_EQ(W(57), 75);
}

TEST_F(ParameterGridViewTest, AClickOnARowForgetsTheWarnedByte) {
  SetW(41, 5);  // maximum actuator position below the others
  ASSERT_TRUE(editor_.CheckPlausibility(model::PlausibilityMode::AfterEdit, 41));
  ASSERT_EQ(editor_.WarnedByte(), 41);
  StringGrid& grid = view_.Grid();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                    grid.CellRect(2, 0).center() - grid.viewport()->geometry().topLeft());
  EXPECT_FALSE(editor_.WarnedByte().has_value());
}

}  // namespace
}  // namespace zo::app
