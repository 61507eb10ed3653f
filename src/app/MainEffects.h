// What the link, the connection manager and the parameter editing make the
// user see or hear, carried out on the main window: the progress window,
// messages, beeps, captions, timers, menus and the views. The rules stay in
// the callers; this class only renders their effects.
#pragma once

#include <functional>

#include "app/MainViews.h"
#include "link/IConnectionEffects.h"
#include "link/ILinkEffects.h"
#include "link/ImageCopies.h"
#include "link/ViewFlags.h"
#include "model/IMessages.h"

class QTimer;
class QWidget;

namespace zo::app {

class MessageDialog;
class ProgressWindow;
class TextCatalogue;

// What the window does itself when an effect asks for it.
struct MainWindowSteps {
  // A read or a loss of the link: the wizard, caption, pages and model rules.
  std::function<void(link::ConnectionState state)> connectionStateChanged;
  std::function<void()> rebuildGrid;
  std::function<void(int index)> showSample;
  std::function<void(link::Page)> showPage;
  std::function<void()> checkPlausibility;
  std::function<void()> uploadLost;
};

// The window-wide parts the effects use beside the views.
struct MainWindowParts {
  QWidget& window;
  ProgressWindow& progress;
  MessageDialog& messages;
  const TextCatalogue& texts;
  const link::ImageCopies& image;
  const link::ViewFlags& view;
  QTimer& timerTx;
};

class MainEffects : public link::ILinkEffects,
                    public link::IConnectionEffects,
                    public model::IMessages {
 public:
  MainEffects(MainWindowParts parts, const MainViews& views, MainWindowSteps steps)
      : parts_(parts), views_(views), steps_(std::move(steps)) {}

  // Progress window.
  bool ShowProgress(int captionTextId, const link::UserText& firstLine,
                    link::ProgressPicture picture) override;
  void AddProgressLine(const link::UserText& line) override;
  void SetProgressMax(int maximum) override;
  void SetProgressPosition(int position) override;
  void CloseProgress() override;
  void SetBusyCursor() override;
  void RestoreCursor() override;

  // Messages and sound; both interfaces ask the same message dialog.
  link::MsgResult ShowMessage(const link::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons) override;
  void ShowSystemMessage(std::string_view text, std::string_view caption) override;
  void ShowSystemMessage(const link::UserText& text, int titleTextId) override;
  void Beep() override;

  // Main window.
  void SetMainCaption(std::string_view caption) override;
  void SetConnectCaptions(int textId) override;
  void EnableMainWindow(bool enabled) override;
  void SetTxInterval(int milliseconds) override;
  void SetConnectionState(link::ConnectionState state) override;
  void RebuildGrid() override;
  void SetIndicatorsAuxState(int state) override;

  // Live views.
  void DrawSample(int index) override;
  void SetTimeCaption(int index) override;
  void AutoSave() override;
  void ShowConfigData(std::span<const std::uint8_t> reply) override;

  // Connection manager.
  void SetPortEntries(const std::vector<link::PortMenuEntry>& entries) override;
  void CheckPortEntries(int tag) override;
  void EnableTxTimer(bool on) override;
  [[nodiscard]] bool TxTimerEnabled() const override;
  [[nodiscard]] bool ProgressShown() const override;
  int ShowLinkState(const link::LinkStateDisplay& display) override;
  void ToggleGasLamp() override;
  void ResetOptionsPanel() override;
  void RefreshHelp() override;
  void HideHintPanel() override;
  void RunPlausibilityCheck() override;
  void CloseUploadWindow() override;
  void ShowParametersPage() override;

 private:
  MainWindowParts parts_;
  const MainViews& views_;
  MainWindowSteps steps_;
};

}  // namespace zo::app
