// The comparison of parameters with the controller's: a table of every
// parameter row whose value differs, the other value (a file's, or the
// image read at connect) beside the controller's, with a button that writes
// the other values into the controller and one that closes the window.
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
  // What the window says: its title, the heading of the other values'
  // column and the caption of the button that writes them (text ids).
  struct Captions {
    QString title;
    int otherColumn = 0;
    int accept = 0;
  };

  CompareDialog(QWidget* parent, const texts::TextCatalogue& texts,
                const std::vector<files::DifferenceRow>& rows, const Captions& captions);

  [[nodiscard]] QTableWidget* Table() const { return table_; }
  [[nodiscard]] QPushButton* BtnLoad() const { return load_; }
  [[nodiscard]] QPushButton* BtnClose() const { return close_; }

 private:
  QTableWidget* table_ = nullptr;
  QPushButton* load_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace zo::app
