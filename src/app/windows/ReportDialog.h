// The service report's window: the workshop's name and address as the
// report prints them, and the buttons that save the report as a PDF file,
// print it, or close the window. What the buttons do is the keeper's.
#pragma once

#include <QDialog>
#include <string>

#include "texts/TextsFwd.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zo::app {

class ReportDialog : public QDialog {
  Q_OBJECT

 public:
  ReportDialog(QWidget* parent, const texts::TextCatalogue& texts, const std::string& name,
               const std::string& address);

  // As typed, the address with a line break between its lines.
  [[nodiscard]] std::string WorkshopName() const;
  [[nodiscard]] std::string WorkshopAddress() const;

  [[nodiscard]] QLineEdit* NameEdit() const { return name_; }
  [[nodiscard]] QPlainTextEdit* AddressEdit() const { return address_; }
  [[nodiscard]] QPushButton* BtnSave() const { return save_; }
  [[nodiscard]] QPushButton* BtnPrint() const { return print_; }
  [[nodiscard]] QPushButton* BtnClose() const { return close_; }

 signals:
  void SaveClicked();
  void PrintClicked();

 private:
  QLineEdit* name_ = nullptr;
  QPlainTextEdit* address_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace zo::app
