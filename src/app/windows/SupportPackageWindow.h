// An opened support package: when it was saved, by which version of the
// program in which language, for which controller, what it holds, and the
// connection check's findings as they were then. Its button compares the
// package's parameters with the controller; what that does is the keeper's.
#pragma once

#include <QDialog>
#include <string>

#include "supportpackage/SupportPackage.h"
#include "texts/TextsFwd.h"

class QPlainTextEdit;
class QPushButton;

namespace zo::app {

class SupportPackageWindow : public QDialog {
  Q_OBJECT

 public:
  SupportPackageWindow(QWidget* parent, const texts::TextCatalogue& texts,
                       const supportpackage::SupportPackage& package, const std::string& fileName);

  [[nodiscard]] QPlainTextEdit* Findings() const { return findings_; }
  [[nodiscard]] QPushButton* BtnCompare() const { return compare_; }

 signals:
  void CompareClicked();

 private:
  QPlainTextEdit* findings_ = nullptr;
  QPushButton* compare_ = nullptr;
};

}  // namespace zo::app
