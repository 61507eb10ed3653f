#include "app/QtKeys.h"

#include <QKeyEvent>

#include "app/rules/KeyRules.h"

namespace zo::app {

int KeyCode(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
  switch (key) {
    case Qt::Key_Control:
      return keys::kControl;
    case Qt::Key_F1:
      return keys::kF1;
    case Qt::Key_F3:
      return keys::kF3;
    case Qt::Key_F4:
      return keys::kF4;
    case Qt::Key_F6:
      return keys::kF6;
    case Qt::Key_F7:
      return keys::kF7;
    case Qt::Key_F8:
      return keys::kF8;
    case Qt::Key_F9:
      return keys::kF9;
    case Qt::Key_F10:
      return keys::kF10;
    case Qt::Key_F11:
      return keys::kF11;
    case Qt::Key_F12:
      return keys::kF12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return keys::kEnter;
    case Qt::Key_Left:
      return keys::kLeft;
    case Qt::Key_Right:
      return keys::kRight;
    case Qt::Key_Insert:
      return keys::kInsert;
    case Qt::Key_Delete:
      return keys::kDelete;
    case Qt::Key_Home:
      return keys::kHome;
    default:
      // Any other key still counts for the sequences; keep it apart from ours.
      return 0x10000 + (key & 0xFFFF);
  }
}

}  // namespace zo::app
