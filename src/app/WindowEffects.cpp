#include "app/WindowEffects.h"

#include <QTimer>
#include <QWidget>

#include "app/views/HintPanel.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/IndicatorWindows.h"

namespace zo::app {

void WindowEffects::SetMainCaption(std::string_view caption) {
  window_.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void WindowEffects::EnableMainWindow(bool enabled) {
  window_.setEnabled(enabled);
}

void WindowEffects::SetTxInterval(int milliseconds) {
  timerTx_.setInterval(milliseconds);
}

void WindowEffects::EnableTxTimer(bool on) {
  if (on) {
    if (!timerTx_.isActive()) timerTx_.start();
  } else {
    timerTx_.stop();
  }
}

bool WindowEffects::TxTimerEnabled() const {
  return timerTx_.isActive();
}

void WindowEffects::SetConnectionState(link::ConnectionState state) {
  steps_.connectionStateChanged(state);
}

void WindowEffects::RebuildGrid() {
  steps_.rebuildGrid();
}

void WindowEffects::SetIndicatorsAuxState(int state) {
  // After a complete read: the windows redraw their scales from the new image.
  views_.indicators->RequestAll(static_cast<visual::IndicatorRequest>(state));
}

void WindowEffects::RefreshHelp() {
  views_.help->ContextRefresh();
}

void WindowEffects::HideHintPanel() {
  views_.hint->hide();
}

void WindowEffects::RunPlausibilityCheck() {
  steps_.checkPlausibility();
}

void WindowEffects::CloseUploadWindow() {
  steps_.uploadLost();
}

void WindowEffects::ShowParametersPage() {
  steps_.showPage(link::Page::Parameters);
}

}  // namespace zo::app
