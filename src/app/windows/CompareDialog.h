// The comparison of a parameter file with the controller: a table of every
// parameter row whose value differs, the file's value beside the
// controller's, with a button that loads the file into the controller and
// one that closes the window.
#pragma once

#include <QDialog>
#include <vector>

#include "files/ParameterComparison.h"
#include "texts/TextsFwd.h"

class QPushButton;
class QTableWidget;

namespace zo::app {

class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  CompareDialog(QWidget* parent, const texts::TextCatalogue& texts,
                const std::vector<files::DifferenceRow>& rows, const QString& fileName);

  [[nodiscard]] QTableWidget* Table() const { return table_; }
  [[nodiscard]] QPushButton* BtnLoad() const { return load_; }
  [[nodiscard]] QPushButton* BtnClose() const { return close_; }

 private:
  QTableWidget* table_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace zo::app
