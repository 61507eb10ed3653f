// The connection check's window: each port the program knows with its
// device, driver, USB maker and product, and each finding with the one line
// that says what to do. It shows a report it is given; "Check again" asks
// its owner for a fresh one.
#pragma once

#include <QDialog>

#include "diagnostics/ConnectionCheck.h"
#include "texts/TextsFwd.h"

class QLabel;
class QTextBrowser;
class QTreeWidget;

namespace zo::app {

class ConnectionCheckWindow : public QDialog {
  Q_OBJECT

 public:
  ConnectionCheckWindow(QWidget* parent, const texts::TextCatalogue& texts);

  void Show(const diagnostics::CheckReport& report);

  [[nodiscard]] QTreeWidget* Ports() const { return ports_; }
  [[nodiscard]] QTextBrowser* Findings() const { return findings_; }

 signals:
  void CheckAgainClicked();

 private:
  [[nodiscard]] QString Plain(int textId) const;

  const texts::TextCatalogue& texts_;
  QTreeWidget* ports_ = nullptr;
  QLabel* noPorts_ = nullptr;
  QTextBrowser* findings_ = nullptr;
};

}  // namespace zo::app
