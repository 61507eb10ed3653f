// Records every effect the link and the connection manager ask for, in every
// area, so tests can check what the user would have seen and heard and in
// which order.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/ConnectionManager.h"
#include "link/IStatePanelEffects.h"
#include "link/LinkEffects.h"
#include "link/ReplyConsumers.h"

namespace zo::test {

class RecordingEffects : public link::IProgressEffects,
                         public link::IMessageEffects,
                         public link::IWindowEffects,
                         public link::IMenuEffects,
                         public link::ILiveViewEffects,
                         public link::IStatePanelEffects,
                         public link::IWizardReplies,
                         public link::IProcessorReplies,
                         public link::IBootLoaderReplies {
 public:
  struct Message {
    texts::UserText text;
    int title = 0;
    link::MsgIcon icon = link::MsgIcon::None;
    link::MsgButtons buttons = link::MsgButtons::Ok;
  };

  // Every call in order, by name, for sequence checks.
  std::vector<std::string> log;

  bool progressShown = false;
  int progressMax = -1;
  int progressPosition = -1;
  std::vector<texts::UserText> progressLines;
  std::vector<Message> messages;
  std::vector<std::pair<std::string, std::string>> systemMessages;
  std::vector<std::pair<texts::UserText, int>> systemTexts;  // a catalogue title
  int beeps = 0;
  std::string caption;
  int connectCaptions = 0;
  std::vector<int> txIntervals;
  std::vector<link::ConnectionState> connectionStates;
  int gridRebuilds = 0;
  int indicatorsAuxState = -1;
  std::vector<int> drawnSamples;
  std::vector<int> timeCaptions;
  int autoSaves = 0;
  int configShown = 0;
  int autoconfigSamples = 0;
  int autoconfigSteps = 0;
  int autoconfigResets = 0;
  std::vector<std::vector<std::uint8_t>> processorInputs;
  std::vector<std::pair<int, std::vector<std::uint8_t>>> memoryRows;
  std::vector<std::pair<int, std::vector<std::uint8_t>>> eepromRows;
  std::vector<std::vector<std::uint8_t>> bootStatusReplies;
  std::vector<std::vector<std::uint8_t>> bootBlockReplies;
  std::optional<bool> mainWindowEnabled;
  int messageResult = 1;
  std::deque<int> answers;  // taken in turn before `messageResult`
  std::vector<link::PortMenuEntry> entries;
  int menuRebuilds = 0;
  int checkedTag = 0;
  bool txTimer = false;
  std::vector<bool> txTimerChanges;
  std::vector<link::LinkStateDisplay> displays;
  int blinkFlag = 0;
  int gasLampToggles = 0;
  int optionsPanelResets = 0;
  int helpRefreshes = 0;
  int hintHides = 0;
  int plausibilityChecks = 0;
  int uploadWindowCloses = 0;
  int parametersPageShown = 0;

  // Every area recorded here, as the link and the connection manager take them.
  link::LinkEffects parts{*this, *this, *this, *this, *this};
  link::ConnectionEffects connectionParts{*this, *this, *this, *this, *this};
  // The link takes its consumers' replies here too.
  link::ReplyConsumers consumers{this, this, this};

  // Optional hooks for the firmware replies.
  std::function<std::optional<link::Request>(std::span<const std::uint8_t>)> onBootStatus;
  std::function<std::optional<link::Request>(std::span<const std::uint8_t>)> onBootBlock;
  // Optional hook for a lost upload.
  std::function<void()> onCloseUploadWindow;

  bool ShowProgress(int captionTextId, const texts::UserText& firstLine,
                    link::ProgressPicture) override {
    log.emplace_back("ShowProgress " + std::to_string(captionTextId));
    if (progressShown) return false;
    progressShown = true;
    progressLines.push_back(firstLine);
    return true;
  }
  void AddProgressLine(const texts::UserText& line) override {
    log.emplace_back("AddProgressLine");
    progressLines.push_back(line);
  }
  void SetProgressMax(int maximum) override { progressMax = maximum; }
  void SetProgressPosition(int position) override { progressPosition = position; }
  void CloseProgress() override {
    log.emplace_back("CloseProgress");
    progressShown = false;
  }
  [[nodiscard]] bool ProgressShown() const override { return progressShown; }
  void SetBusyCursor() override { log.emplace_back("SetBusyCursor"); }
  void RestoreCursor() override { log.emplace_back("RestoreCursor"); }
  link::MsgResult ShowMessage(const texts::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons) override {
    log.emplace_back("ShowMessage");
    messages.push_back({text, titleTextId, icon, buttons});
    int answer = messageResult;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    return static_cast<link::MsgResult>(answer);
  }
  void ShowSystemMessage(std::string_view text, std::string_view title) override {
    log.emplace_back("ShowSystemMessage");
    systemMessages.emplace_back(std::string(text), std::string(title));
  }
  void ShowSystemMessage(const texts::UserText& text, int title) override {
    log.emplace_back("ShowSystemMessage");
    systemTexts.emplace_back(text, title);
  }
  void Beep() override {
    log.emplace_back("Beep");
    ++beeps;
  }
  void SetMainCaption(std::string_view text) override { caption = std::string(text); }
  void SetConnectCaptions(int textId) override { connectCaptions = textId; }
  void EnableMainWindow(bool enabled) override { mainWindowEnabled = enabled; }
  void SetTxInterval(int ms) override { txIntervals.push_back(ms); }
  void SetConnectionState(link::ConnectionState state) override {
    connectionStates.push_back(state);
  }
  void RebuildGrid() override { ++gridRebuilds; }
  void SetIndicatorsAuxState(int state) override { indicatorsAuxState = state; }
  void DrawSample(int index) override { drawnSamples.push_back(index); }
  void SetTimeCaption(int index) override { timeCaptions.push_back(index); }
  void AutoSave() override { ++autoSaves; }
  void ShowConfigData(std::span<const std::uint8_t>) override { ++configShown; }
  void SetPortEntries(const std::vector<link::PortMenuEntry>& e) override {
    log.emplace_back("SetPortEntries");
    entries = e;
    ++menuRebuilds;
  }
  void CheckPortEntries(int tag) override { checkedTag = tag; }
  void EnableTxTimer(bool on) override {
    log.emplace_back(on ? "EnableTxTimer" : "DisableTxTimer");
    txTimer = on;
    txTimerChanges.push_back(on);
  }
  [[nodiscard]] bool TxTimerEnabled() const override { return txTimer; }
  int ShowLinkState(const link::LinkStateDisplay& display) override {
    log.emplace_back("ShowLinkState");
    displays.push_back(display);
    return blinkFlag;
  }
  void ToggleGasLamp() override { ++gasLampToggles; }
  void ResetOptionsPanel() override { ++optionsPanelResets; }
  void RefreshHelp() override {
    log.emplace_back("RefreshHelp");
    ++helpRefreshes;
  }
  void HideHintPanel() override {
    log.emplace_back("HideHintPanel");
    ++hintHides;
  }
  void RunPlausibilityCheck() override {
    log.emplace_back("RunPlausibilityCheck");
    ++plausibilityChecks;
  }
  void CloseUploadWindow() override {
    log.emplace_back("CloseUploadWindow");
    ++uploadWindowCloses;
    if (onCloseUploadWindow) onCloseUploadWindow();
  }
  void ShowParametersPage() override {
    log.emplace_back("ShowParametersPage");
    ++parametersPageShown;
  }
  void ConfigurationSample(std::span<const std::uint8_t>) override { ++autoconfigSamples; }
  void ConfigurationStep() override { ++autoconfigSteps; }
  void ConfigurationEntered() override { ++autoconfigResets; }
  void ShowProcessorInputs(std::span<const std::uint8_t> inputs) override {
    processorInputs.emplace_back(inputs.begin(), inputs.end());
  }
  void ShowMemoryRow(int page, std::span<const std::uint8_t> values) override {
    memoryRows.emplace_back(page, std::vector<std::uint8_t>(values.begin(), values.end()));
  }
  void ShowEepromRow(int row, std::span<const std::uint8_t> values) override {
    eepromRows.emplace_back(row, std::vector<std::uint8_t>(values.begin(), values.end()));
  }
  std::optional<link::Request> BootStatusReply(std::span<const std::uint8_t> reply) override {
    bootStatusReplies.emplace_back(reply.begin(), reply.end());
    return onBootStatus ? onBootStatus(reply) : std::nullopt;
  }
  std::optional<link::Request> BootBlockReply(std::span<const std::uint8_t> reply) override {
    bootBlockReplies.emplace_back(reply.begin(), reply.end());
    return onBootBlock ? onBootBlock(reply) : std::nullopt;
  }
};

}  // namespace zo::test
