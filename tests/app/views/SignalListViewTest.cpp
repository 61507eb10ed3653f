// The signal list on the offscreen platform: the rows a page lists with
// their names, the value texts of a sample and the click on a row.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <array>

#include "FactoryImage.h"
#include "app/views/SignalListView.h"
#include "app/widgets/StringGrid.h"
#include "model/FakeTexts.h"

namespace zo::app {
namespace {

using model::SignalKind;

class SignalListViewTest : public testing::Test {
 protected:
  SignalListViewTest() {
    const auto factory = lpgsim::FactoryImage::Build(100, 179, 0xFF);
    std::copy(factory.begin(), factory.end(), image_.begin());
    list_.ApplyGeometry(QRect(0, 0, 400, 12 * 21 + 4), 88, 4, 20, 0);
    window_.resize(420, 300);
    window_.show();
  }

  void ExpectNames() {
    for (int row = 1; row <= static_cast<int>(list_.Kinds().size()); ++row)
      EXPECT_EQ(list_.Cell(row, 0),
                texts_.Text(model::LiveSignals::NameId(list_.Kinds()[std::size_t(row - 1)])));
  }

  model::test::FakeTexts texts_;
  link::ImageArea image_ = link::BlankImage();
  QWidget window_;
  SignalListView list_{&window_, texts_};
};

TEST_F(SignalListViewTest, ListsTheOfferedSignalsWithNamesAndSampleTexts) {
  list_.Build(SignalListRows::For(image_, true, link::Page::Parameters));
  EXPECT_EQ(list_.Kinds(), model::LiveSignals::Listed(image_, true, link::Page::Parameters));
  EXPECT_EQ(list_.Cell(0, 0), "T201");
  EXPECT_EQ(list_.Cell(0, 1), "T203");
  EXPECT_EQ(list_.Cell(0, 2), "");
  EXPECT_EQ(list_.Cell(0, 3), "T204");
  ExpectNames();
  std::array<std::uint8_t, 16> sample{};
  sample[4] = 50;  // LAM
  sample[3] = 18;  // RPM
  sample[15] = 37;
  list_.ShowSample(sample, 0);
  EXPECT_EQ(list_.Cell(list_.RowOf(SignalKind::Ram), 1), "0010:0101  37");
  EXPECT_EQ(list_.Cell(list_.RowOf(SignalKind::Lam), 1), "1.00 [V]");
  EXPECT_EQ(list_.Cell(list_.RowOf(SignalKind::Rpm), 1), "1800 [obr/min]");
}

TEST_F(SignalListViewTest, ConfigurationPageListsItsFourSignals) {
  list_.Build(SignalListRows::For(image_, false, link::Page::Configuration));
  EXPECT_EQ(list_.Cell(0, 0), "T202");
  EXPECT_EQ(list_.Kinds(),
            (std::vector{SignalKind::Rpm, SignalKind::Lam, SignalKind::Tps, SignalKind::Mot}));
  ExpectNames();
}

TEST_F(SignalListViewTest, WithNothingOfferedOneEmptyRowStaysAndAClickNamesNoSignal) {
  link::ImageArea none = link::BlankImage();
  list_.Build(SignalListRows::For(none, false, link::Page::Parameters));
  EXPECT_TRUE(list_.Kinds().empty());
  EXPECT_EQ(list_.Grid().RowCount(), 2);
  int clicks = 0;
  QObject::connect(&list_, &SignalListView::RowClicked, [&clicks](SignalKind) { ++clicks; });
  StringGrid& grid = list_.Grid();
  const QPoint offset = grid.viewport()->geometry().topLeft();
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(1, 0).center() - offset);
  EXPECT_EQ(clicks, 0);
  list_.Build(SignalListRows::For(image_, false, link::Page::Parameters));
  std::optional<SignalKind> clicked;
  QObject::connect(&list_, &SignalListView::RowClicked,
                   [&clicked](SignalKind kind) { clicked = kind; });
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(2, 1).center() - offset);
  EXPECT_EQ(clicked, list_.KindAt(2));
}

}  // namespace
}  // namespace zo::app
