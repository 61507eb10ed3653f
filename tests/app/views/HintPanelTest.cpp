// The cell hint over a grid: shown for a cell too narrow for its text, kept
// hidden for a cell it was clicked away from until the pointer moves on.
#include <gtest/gtest.h>
#include <QTest>
#include <QWidget>

#include "app/views/HintPanel.h"
#include "app/widgets/StringGrid.h"

namespace zo::app {
namespace {

TEST(HintPanel, ShowsTooNarrowCellsUntilClickedAway) {
  QWidget client;
  client.resize(400, 300);
  auto* grid = new StringGrid(&client);
  grid->setGeometry(10, 20, 300, 200);
  grid->SetShape(2, 5, 1);
  grid->SetRowHeight(20);
  grid->SetColumnWidths(80);
  grid->SetCellText(1, 0, "Short");
  grid->SetCellText(2, 0, "A name far too long for eighty pixels");
  HintPanel hint(&client);
  client.show();
  const auto over = [&](int row) { return grid->CellRect(row, 0).center(); };

  EXPECT_FALSE(hint.PointerMoved(*grid, HintPanel::Source::SignalList, over(1)));
  EXPECT_FALSE(hint.isVisible());
  ASSERT_TRUE(hint.PointerMoved(*grid, HintPanel::Source::SignalList, over(2)));
  EXPECT_EQ(hint.text(), "A name far too long for eighty pixels");
  const QRect cell = grid->CellRect(2, 0);
  EXPECT_EQ(hint.geometry().topLeft(), grid->mapTo(&client, cell.topLeft()) + QPoint(3, 2));
  EXPECT_GT(hint.width(), 80);

  QTest::mouseClick(&hint, Qt::LeftButton);
  EXPECT_FALSE(hint.isVisible());
  EXPECT_FALSE(hint.PointerMoved(*grid, HintPanel::Source::SignalList, over(2)));
  EXPECT_FALSE(hint.PointerMoved(*grid, HintPanel::Source::SignalList, over(1)));
  EXPECT_TRUE(hint.PointerMoved(*grid, HintPanel::Source::SignalList, over(2)));

  // A replacement text is shown even over a cell wide enough for its own.
  const auto resetCause = [](PointerCell pointed) {
    return pointed.row == 1 ? std::optional<std::string>("Power On Reset") : std::nullopt;
  };
  ASSERT_TRUE(hint.PointerMoved(*grid, HintPanel::Source::ParameterGrid, over(1), resetCause));
  EXPECT_EQ(hint.text(), "Power On Reset");
}

}  // namespace
}  // namespace zo::app
