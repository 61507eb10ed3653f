#include "app/windows/ProgressEffects.h"

#include <QWidget>

#include "app/windows/ProgressWindow.h"
#include "app/windows/TFormBar.h"

namespace zo::app {

bool ProgressEffects::ShowProgress(int captionTextId, const texts::UserText& firstLine,
                                   link::ProgressPicture picture) {
  return progress_.Show(captionTextId, firstLine, picture);
}

void ProgressEffects::AddProgressLine(const texts::UserText& line) {
  progress_.AddLine(line);
}

void ProgressEffects::SetProgressMax(int maximum) {
  progress_.SetMaximum(maximum);
}

void ProgressEffects::SetProgressPosition(int position) {
  progress_.SetPosition(position);
}

void ProgressEffects::CloseProgress() {
  progress_.Close();
}

bool ProgressEffects::ProgressShown() const {
  return progress_.IsShown();
}

void ProgressEffects::SetBusyCursor() {
  window_.setCursor(Qt::WaitCursor);
}

void ProgressEffects::RestoreCursor() {
  window_.unsetCursor();
}

}  // namespace zo::app
