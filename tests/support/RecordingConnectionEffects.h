// Records what the connection manager makes the main window do, and stands in
// for the transmit timer and the progress window's shown state.
#pragma once

#include <string>
#include <vector>

#include "link/IConnectionEffects.h"
#include "link/ILinkEffects.h"

namespace zo::test {

class RecordingConnectionEffects : public link::IConnectionEffects {
 public:
  explicit RecordingConnectionEffects(const bool& progressShown) : progressShown_(progressShown) {}

  std::vector<std::string> log;
  std::vector<link::PortMenuEntry> entries;
  int menuRebuilds = 0;
  int checkedTag = 0;
  bool txTimer = false;
  std::vector<bool> txTimerChanges;
  std::vector<std::pair<link::UserText, int>> systemMessages;
  std::vector<link::LinkStateDisplay> displays;
  int blinkFlag = 0;
  int gasLampToggles = 0;
  int optionsPanelResets = 0;
  int helpRefreshes = 0;
  int hintHides = 0;
  int plausibilityChecks = 0;
  int uploadWindowCloses = 0;
  int parametersPageShown = 0;

  void SetPortEntries(const std::vector<link::PortMenuEntry>& e) override {
    log.push_back("SetPortEntries");
    entries = e;
    ++menuRebuilds;
  }
  void CheckPortEntries(int tag) override { checkedTag = tag; }
  void EnableTxTimer(bool on) override {
    log.push_back(on ? "EnableTxTimer" : "DisableTxTimer");
    txTimer = on;
    txTimerChanges.push_back(on);
  }
  [[nodiscard]] bool TxTimerEnabled() const override { return txTimer; }
  [[nodiscard]] bool ProgressShown() const override { return progressShown_; }
  void ShowSystemMessage(const link::UserText& text, int title) override {
    log.push_back("ShowSystemMessage");
    systemMessages.emplace_back(text, title);
  }
  int ShowLinkState(const link::LinkStateDisplay& display) override {
    log.push_back("ShowLinkState");
    displays.push_back(display);
    return blinkFlag;
  }
  void ToggleGasLamp() override { ++gasLampToggles; }
  void ResetOptionsPanel() override { ++optionsPanelResets; }
  void RefreshHelp() override {
    log.push_back("RefreshHelp");
    ++helpRefreshes;
  }
  void HideHintPanel() override {
    log.push_back("HideHintPanel");
    ++hintHides;
  }
  void RunPlausibilityCheck() override {
    log.push_back("RunPlausibilityCheck");
    ++plausibilityChecks;
  }
  void CloseUploadWindow() override {
    log.push_back("CloseUploadWindow");
    ++uploadWindowCloses;
  }
  void ShowParametersPage() override {
    log.push_back("ShowParametersPage");
    ++parametersPageShown;
  }

 private:
  const bool& progressShown_;
};

}  // namespace zo::test
