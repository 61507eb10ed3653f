// Records every effect the link asks for, so tests can check what the user
// would have seen and heard.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/ILinkEffects.h"
#include "link/ReplyConsumers.h"

namespace zo::test {

class RecordingEffects : public link::ILinkEffects,
                         public link::IWizardReplies,
                         public link::IProcessorReplies,
                         public link::IBootLoaderReplies {
 public:
  struct Message {
    link::UserText text;
    int title = 0;
    link::MsgIcon icon = link::MsgIcon::None;
    link::MsgButtons buttons = link::MsgButtons::Ok;
  };

  // Every call in order, by name, for sequence checks.
  std::vector<std::string> log;

  bool progressShown = false;
  int progressMax = -1;
  int progressPosition = -1;
  std::vector<link::UserText> progressLines;
  std::vector<Message> messages;
  std::vector<std::pair<std::string, std::string>> systemMessages;
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

  // The link takes its consumers' replies here too.
  link::ReplyConsumers consumers{this, this, this};

  // Optional hooks for the firmware replies.
  std::function<std::optional<link::Request>(std::span<const std::uint8_t>)> onBootStatus;
  std::function<std::optional<link::Request>(std::span<const std::uint8_t>)> onBootBlock;

  bool ShowProgress(int captionTextId, const link::UserText& firstLine,
                    link::ProgressPicture) override {
    log.push_back("ShowProgress " + std::to_string(captionTextId));
    if (progressShown) return false;
    progressShown = true;
    progressLines.push_back(firstLine);
    return true;
  }
  void AddProgressLine(const link::UserText& line) override {
    log.push_back("AddProgressLine");
    progressLines.push_back(line);
  }
  void SetProgressMax(int maximum) override { progressMax = maximum; }
  void SetProgressPosition(int position) override { progressPosition = position; }
  void CloseProgress() override {
    log.push_back("CloseProgress");
    progressShown = false;
  }
  void SetBusyCursor() override { log.push_back("SetBusyCursor"); }
  void RestoreCursor() override { log.push_back("RestoreCursor"); }
  link::MsgResult ShowMessage(const link::UserText& text, int titleTextId, link::MsgIcon icon,
                              link::MsgButtons buttons) override {
    log.push_back("ShowMessage");
    messages.push_back({text, titleTextId, icon, buttons});
    int answer = messageResult;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    return static_cast<link::MsgResult>(answer);
  }
  void ShowSystemMessage(std::string_view text, std::string_view title) override {
    log.push_back("ShowSystemMessage");
    systemMessages.emplace_back(std::string(text), std::string(title));
  }
  void Beep() override {
    log.push_back("Beep");
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
