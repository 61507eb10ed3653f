// The change history: a journal chosen from the list (the connected
// controller's first), its sessions newest first, each change with its
// time, parameter, old and new value and cause. Copy puts the selected
// changes (all, when none is selected) on the clipboard; Export as CSV asks
// the window's owner to save the chosen journal.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "journal/ChangeTable.h"
#include "journal/JournalIndex.h"
#include "texts/TextsFwd.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace zo::app {

class HistoryWindow : public QDialog {
  Q_OBJECT

 public:
  HistoryWindow(QWidget* parent, const texts::TextCatalogue& texts, journal::ChangeTable table,
                std::vector<journal::JournalEntry> entries);

  [[nodiscard]] QTreeWidget* Tree() const { return tree_; }
  [[nodiscard]] QComboBox* Choice() const { return choice_; }
  // The rows Copy takes, as tabbed lines.
  [[nodiscard]] std::string CopiedText() const;

 signals:
  void ExportRequested(const std::string& csv);

 private:
  void ShowJournal(int index);

  journal::ChangeTable table_;
  std::vector<journal::JournalEntry> entries_;
  QComboBox* choice_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* export_ = nullptr;
};

}  // namespace zo::app
