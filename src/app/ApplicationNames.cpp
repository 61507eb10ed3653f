#include "app/ApplicationNames.h"

#include <QApplication>

namespace zo::app {

void ApplicationNames::Set() {
  QApplication::setApplicationName(QStringLiteral("ZoLpgWin"));
}

}  // namespace zo::app
