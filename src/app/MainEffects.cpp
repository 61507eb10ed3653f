#include "app/MainEffects.h"

#include <QApplication>
#include <QMessageBox>
#include <array>
#include <utility>

#include "app/FileCommands.h"
#include "app/QtText.h"
#include "app/TForm1.h"
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
#include "link/ImageMap.h"
#include "visual/InfoPanelRule.h"
#include "visual/StatePanels.h"

namespace zo::app {

bool MainEffects::ShowProgress(int captionTextId, const link::UserText& firstLine,
                               link::ProgressPicture picture) {
  return form_.progress_.Show(captionTextId, firstLine, picture);
}

void MainEffects::AddProgressLine(const link::UserText& line) {
  form_.progress_.AddLine(line);
}

void MainEffects::SetProgressMax(int maximum) {
  form_.progress_.SetMaximum(maximum);
}

void MainEffects::SetProgressPosition(int position) {
  form_.progress_.SetPosition(position);
}

void MainEffects::CloseProgress() {
  form_.progress_.Close();
}

void MainEffects::SetBusyCursor() {
  form_.setCursor(Qt::WaitCursor);
}

void MainEffects::RestoreCursor() {
  form_.unsetCursor();
}

link::MsgResult MainEffects::ShowMessage(const link::UserText& text, int titleTextId,
                                         link::MsgIcon icon, link::MsgButtons buttons) {
  return form_.messages_.ShowMessage(text, titleTextId, icon, buttons);
}

void MainEffects::ShowSystemMessage(std::string_view text, std::string_view caption) {
  QMessageBox::information(
      &form_, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void MainEffects::ShowSystemMessage(const link::UserText& text, int titleTextId) {
  QMessageBox::information(&form_, Q(form_.texts_.Text(titleTextId)),
                           Q(form_.texts_.Compose(text)));
}

void MainEffects::Beep() {
  QApplication::beep();
}

void MainEffects::SetMainCaption(std::string_view caption) {
  form_.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void MainEffects::SetConnectCaptions(int textId) {
  form_.menus_->SetConnectCaption(form_.texts_, textId);
}

void MainEffects::EnableMainWindow(bool enabled) {
  form_.setEnabled(enabled);
}

void MainEffects::SetTxInterval(int milliseconds) {
  form_.timerTx_.setInterval(milliseconds);
}

void MainEffects::SetConnectionState(link::ConnectionState state) {
  // A read or a loss of the link: the counter block is the read's again.
  form_.workingTimesInBlock_ = false;
  form_.config_->ConnectionStateChanged(state, form_.state_.controllerCopy);
  form_.ModelHandling(state);
}

void MainEffects::RebuildGrid() {
  form_.RebuildGrid();
}

void MainEffects::SetIndicatorsAuxState(int state) {
  // After a complete read: the windows redraw their scales from the new image.
  form_.indicators_->RequestAll(static_cast<visual::IndicatorRequest>(state));
}

void MainEffects::DrawSample(int index) {
  form_.ShowSample(index);
  // While the coil type is measured the speed reading means nothing yet.
  if (form_.config_->SpeedHidden()) form_.signalView_->SetValueText(model::SignalKind::Rpm, "---");
  form_.scope_->Redraw(false);
}

void MainEffects::SetTimeCaption(int index) {
  form_.scope_->SetTimeCaption(index);
}

void MainEffects::AutoSave() {
  form_.files_->AutoSave();
}

void MainEffects::ShowConfigData(std::span<const std::uint8_t> reply) {
  // Engine speed, lambda, throttle and actuator in reply bytes 3, 4, 6 and 5.
  using model::SignalKind;
  constexpr std::array<std::pair<SignalKind, std::size_t>, 4> kRows{
      {{SignalKind::Rpm, 3}, {SignalKind::Lam, 4}, {SignalKind::Tps, 6}, {SignalKind::Mot, 5}}};
  const std::uint8_t sensorType = form_.state_.workingCopy[link::ImageMap::kTemperatureSensor];
  const std::uint8_t status = reply.size() > 1 ? reply[1] : 0;
  for (const auto& [kind, at] : kRows) {
    if (at >= reply.size()) continue;
    form_.signalView_->ShowValue(kind, reply[at], sensorType);
    form_.listWidgets_->ShowGauge(kind, reply[at], status, form_.state_.workingCopy);
    form_.indicators_->SetReading(static_cast<int>(kind), reply[at]);
  }
  if (form_.config_->SpeedHidden()) form_.signalView_->SetValueText(SignalKind::Rpm, "---");
}

void MainEffects::AutoconfigSample(std::span<const std::uint8_t> reply) {
  form_.config_->Sample(reply);
}

void MainEffects::AutoconfigStep() {
  form_.config_->Step();
}

void MainEffects::ResetAutoconfig() {
  form_.config_->Enter();
}

void MainEffects::ShowProcessorInputs(std::span<const std::uint8_t> inputs) {
  form_.processor_->ShowInputs(inputs);
}

void MainEffects::ShowMemoryRow(int page, std::span<const std::uint8_t> values) {
  form_.processor_->ShowBlock(page, values);
}

void MainEffects::ShowEepromRow(int row, std::span<const std::uint8_t> values) {
  form_.processor_->ShowBlock(row, values);
}

std::optional<link::Request> MainEffects::BootStatusReply(std::span<const std::uint8_t> reply) {
  return form_.upload_->BootStatusReply(reply);
}

std::optional<link::Request> MainEffects::BootBlockReply(std::span<const std::uint8_t> reply) {
  return form_.upload_->BootBlockReply(reply);
}

void MainEffects::SetPortEntries(const std::vector<link::PortMenuEntry>& entries) {
  form_.menus_->SetPortEntries(entries);
}

void MainEffects::CheckPortEntries(int tag) {
  form_.menus_->CheckPortEntries(tag);
}

void MainEffects::EnableTxTimer(bool on) {
  if (on) {
    if (!form_.timerTx_.isActive()) form_.timerTx_.start();
  } else {
    form_.timerTx_.stop();
  }
}

bool MainEffects::TxTimerEnabled() const {
  return form_.timerTx_.isActive();
}

bool MainEffects::ProgressShown() const {
  return form_.progress_.IsShown();
}

int MainEffects::ShowLinkState(const link::LinkStateDisplay& display) {
  const visual::InfoPanelView view =
      visual::InfoPanelRule::Compute(display, form_.state_.scopeRunning);
  const QColor header = form_.palette().color(QPalette::Button);
  if (!view.keep)
    LowerPanels::Paint(form_.lower_->PanelInfo,
                       view.background ? FromStored(*view.background) : header,
                       FromStored(view.textColour),
                       view.textId != 0 ? Q(form_.texts_.Text(view.textId)) : QString());
  form_.top_->SetPortPicture(!display.alive && (display.tickCounter % 2) != 0);
  // In automatic mode `PanelOpcje` names what the controller still waits for.
  const visual::PanelView options =
      visual::StatePanels::OptionsOnTick(display, form_.signalView_->Grid().isVisible());
  if (options.background) form_.lower_->ShowOptions(options, form_.texts_);
  const link::ImageArea& image = form_.state_.workingCopy;
  using M = link::ImageMap;
  form_.top_->PanelBut->Update(
      display, {image[M::kLevel1], image[M::kLevel2], image[M::kLevel3], image[M::kLevel4]},
      form_.listWidgets_->LevelDirection());
  return form_.top_->PanelBut->GasLampBlinking() ? 1 : 0;
}

void MainEffects::ToggleGasLamp() {
  form_.top_->PanelBut->ToggleGasLamp();
}

void MainEffects::ResetOptionsPanel() {
  LowerPanels::Paint(form_.lower_->PanelOpcje, form_.palette().color(QPalette::Button), Qt::black,
                     QString());
}

void MainEffects::RefreshHelp() {
  form_.help_->ContextRefresh();
}

void MainEffects::HideHintPanel() {
  form_.hint_->hide();
}

void MainEffects::RunPlausibilityCheck() {
  form_.editor_->CheckPlausibility(model::PlausibilityMode::Full);
}

void MainEffects::CloseUploadWindow() {
  form_.upload_->Lost();
}

void MainEffects::ShowParametersPage() {
  form_.ShowPage(link::Page::Parameters);
}

}  // namespace zo::app
