#include "app/MainEffects.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <array>
#include <utility>

#include "app/FileCommands.h"
#include "app/QtText.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/HintPanel.h"
#include "app/views/LowerPanels.h"
#include "app/views/MainMenus.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ProcessorPages.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "app/views/SignalListWidgets.h"
#include "app/views/TopPanel.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/IndicatorWindows.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/ProgressWindow.h"
#include "app/windows/TFormBar.h"
#include "app/windows/TFormMsg.h"
#include "link/ImageMap.h"
#include "visual/InfoPanelRule.h"
#include "visual/StatePanels.h"

namespace zo::app {

bool MainEffects::ShowProgress(int captionTextId, const link::UserText& firstLine,
                               link::ProgressPicture picture) {
  return parts_.progress.Show(captionTextId, firstLine, picture);
}

void MainEffects::AddProgressLine(const link::UserText& line) {
  parts_.progress.AddLine(line);
}

void MainEffects::SetProgressMax(int maximum) {
  parts_.progress.SetMaximum(maximum);
}

void MainEffects::SetProgressPosition(int position) {
  parts_.progress.SetPosition(position);
}

void MainEffects::CloseProgress() {
  parts_.progress.Close();
}

void MainEffects::SetBusyCursor() {
  parts_.window.setCursor(Qt::WaitCursor);
}

void MainEffects::RestoreCursor() {
  parts_.window.unsetCursor();
}

link::MsgResult MainEffects::ShowMessage(const link::UserText& text, int titleTextId,
                                         link::MsgIcon icon, link::MsgButtons buttons) {
  return parts_.messages.ShowMessage(text, titleTextId, icon, buttons);
}

void MainEffects::ShowSystemMessage(std::string_view text, std::string_view caption) {
  QMessageBox::information(
      &parts_.window, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MainEffects::ShowSystemMessage(const link::UserText& text, int titleTextId) {
  QMessageBox::information(&parts_.window, Q(parts_.texts.Text(titleTextId)),
                           Q(parts_.texts.Compose(text)));
}

void MainEffects::Beep() {
  QApplication::beep();
}

void MainEffects::SetMainCaption(std::string_view caption) {
  parts_.window.setWindowTitle(
      QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void MainEffects::SetConnectCaptions(int textId) {
  views_.menus->SetConnectCaption(parts_.texts, textId);
}

void MainEffects::EnableMainWindow(bool enabled) {
  parts_.window.setEnabled(enabled);
}

void MainEffects::SetTxInterval(int milliseconds) {
  parts_.timerTx.setInterval(milliseconds);
}

void MainEffects::SetConnectionState(link::ConnectionState state) {
  steps_.connectionStateChanged(state);
}

void MainEffects::RebuildGrid() {
  steps_.rebuildGrid();
}

void MainEffects::SetIndicatorsAuxState(int state) {
  // After a complete read: the windows redraw their scales from the new image.
  views_.indicators->RequestAll(static_cast<visual::IndicatorRequest>(state));
}

void MainEffects::DrawSample(int index) {
  steps_.showSample(index);
  // While the coil type is measured the speed reading means nothing yet.
  if (views_.config->SpeedHidden()) views_.signalView->SetValueText(model::SignalKind::Rpm, "---");
  views_.scope->Redraw(false);
}

void MainEffects::SetTimeCaption(int index) {
  views_.scope->SetTimeCaption(index);
}

void MainEffects::AutoSave() {
  views_.files->AutoSave();
}

void MainEffects::ShowConfigData(std::span<const std::uint8_t> reply) {
  // Engine speed, lambda, throttle and actuator in reply bytes 3, 4, 6 and 5.
  using model::SignalKind;
  constexpr std::array<std::pair<SignalKind, std::size_t>, 4> kRows{
      {{SignalKind::Rpm, 3}, {SignalKind::Lam, 4}, {SignalKind::Tps, 6}, {SignalKind::Mot, 5}}};
  const std::uint8_t sensorType = parts_.state.workingCopy[link::ImageMap::kTemperatureSensor];
  const std::uint8_t status = reply.size() > 1 ? reply[1] : 0;
  for (const auto& [kind, at] : kRows) {
    if (at >= reply.size()) continue;
    views_.signalView->ShowValue(kind, reply[at], sensorType);
    views_.listWidgets->ShowGauge(kind, reply[at], status, parts_.state.workingCopy);
    views_.indicators->SetReading(kind, reply[at]);
  }
  if (views_.config->SpeedHidden()) views_.signalView->SetValueText(SignalKind::Rpm, "---");
}

void MainEffects::SetPortEntries(const std::vector<link::PortMenuEntry>& entries) {
  views_.menus->SetPortEntries(entries);
}

void MainEffects::CheckPortEntries(int tag) {
  views_.menus->CheckPortEntries(tag);
}

void MainEffects::EnableTxTimer(bool on) {
  if (on) {
    if (!parts_.timerTx.isActive()) parts_.timerTx.start();
  } else {
    parts_.timerTx.stop();
  }
}

bool MainEffects::TxTimerEnabled() const {
  return parts_.timerTx.isActive();
}

bool MainEffects::ProgressShown() const {
  return parts_.progress.IsShown();
}

int MainEffects::ShowLinkState(const link::LinkStateDisplay& display) {
  const visual::InfoPanelView view =
      visual::InfoPanelRule::Compute(display, parts_.state.scopeRunning);
  const QColor header = parts_.window.palette().color(QPalette::Button);
  if (!view.keep)
    LowerPanels::Paint(views_.lower->PanelInfo,
                       view.background ? FromStored(*view.background) : header,
                       FromStored(view.textColour),
                       view.textId != 0 ? Q(parts_.texts.Text(view.textId)) : QString());
  views_.top->SetPortPicture(!display.alive && (display.tickCounter % 2) != 0);
  // In automatic mode `PanelOpcje` names what the controller still waits for.
  const visual::PanelView options =
      visual::StatePanels::OptionsOnTick(display, views_.signalView->Grid().isVisible());
  if (options.background) views_.lower->ShowOptions(options, parts_.texts);
  const link::ImageArea& image = parts_.state.workingCopy;
  views_.top->PanelBut->Update(display, {image[69], image[70], image[71], image[72]},
                               views_.listWidgets->LevelDirection());
  return views_.top->PanelBut->GasLampBlinking() ? 1 : 0;
}

void MainEffects::ToggleGasLamp() {
  views_.top->PanelBut->ToggleGasLamp();
}

void MainEffects::ResetOptionsPanel() {
  LowerPanels::Paint(views_.lower->PanelOpcje, parts_.window.palette().color(QPalette::Button),
                     Qt::black, QString());
}

void MainEffects::RefreshHelp() {
  views_.help->ContextRefresh();
}

void MainEffects::HideHintPanel() {
  views_.hint->hide();
}

void MainEffects::RunPlausibilityCheck() {
  steps_.checkPlausibility();
}

void MainEffects::CloseUploadWindow() {
  steps_.uploadLost();
}

void MainEffects::ShowParametersPage() {
  steps_.showPage(link::Page::Parameters);
}

}  // namespace zo::app
