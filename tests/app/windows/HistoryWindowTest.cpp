// The history window offscreen: the journals to choose from, a journal's
// sessions and changes, Copy of the selection or of everything, and the
// chosen journal's CSV asked for by Export.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include "app/windows/HistoryWindow.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextCatalogue.h"

namespace zo::app {
namespace {

journal::JournalEntry Entry(const std::string& name, const std::vector<int>& bytes) {
  journal::Session session;
  session.start.time = 10;
  session.start.version = 179;
  for (const int byte : bytes)
    session.changes.push_back(
        {20, byte, 1, 2, journal::ChangeCause::GridEdit, "P" + std::to_string(byte), "1", "2"});
  return {name, name, {session}};
}

std::string Clock(std::int64_t seconds) {
  return "t" + std::to_string(seconds);
}

TEST(HistoryWindow, ShowsTheChosenJournalCopiesAndExportsIt) {
  const texts::TextCatalogue texts(2, 10);  // English
  texts::CatalogueTextSource source(texts);
  HistoryWindow window(nullptr, texts, journal::ChangeTable(source, Clock),
                       {Entry("first", {40, 41}), Entry("second", {57})});
  QTreeWidget& tree = *window.Tree();
  ASSERT_EQ(window.Choice()->count(), 2);
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(tree.topLevelItem(0)->text(0).toStdString(), "Session t10, Version 1.79");
  ASSERT_EQ(tree.topLevelItem(0)->childCount(), 2);
  EXPECT_EQ(window.CopiedText(),
            "t20\tP40\t1 \u2192 2\tGrid edit\nt20\tP41\t1 \u2192 2\tGrid edit\n");
  tree.topLevelItem(0)->child(1)->setSelected(true);
  EXPECT_EQ(window.CopiedText(), "t20\tP41\t1 \u2192 2\tGrid edit\n");

  window.Choice()->setCurrentIndex(1);
  ASSERT_EQ(tree.topLevelItem(0)->childCount(), 1);
  std::string exported;
  QObject::connect(&window, &HistoryWindow::ExportRequested,
                   [&](const std::string& csv) { exported = csv; });
  window.findChild<QPushButton*>(QStringLiteral("BtnExportCsv"))->click();
  EXPECT_NE(exported.find("t10,t20,P57,"), std::string::npos) << exported;
  EXPECT_EQ(exported.find("P40"), std::string::npos);
}

TEST(HistoryWindow, SaysSoWhenNoJournalHoldsAChange) {
  const texts::TextCatalogue texts(4, 10);  // Russian
  texts::CatalogueTextSource source(texts);
  HistoryWindow window(nullptr, texts, journal::ChangeTable(source, Clock), {});
  EXPECT_FALSE(window.Tree()->isEnabled());
  EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("BtnCopy"))->isEnabled());
  EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("NoJournal"))->isHidden());
}

}  // namespace
}  // namespace zo::app
