// Records what the autoconfiguration shows and asks; answers its questions.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <vector>

#include "autoconfig/IAutoconfigEffects.h"

namespace zo::test {

class FakeWizardEffects : public autoconfig::IAutoconfigEffects {
 public:
  int beeps = 0;
  std::vector<autoconfig::TextLine> text;
  std::array<texts::UserText, 8> grid{};
  int selectedRow = 0;
  int gaugeMaximum = 0;
  int gaugeValue = 0;
  bool gaugeShown = false;
  std::map<autoconfig::WizardButton, bool> buttons;
  std::vector<int> asked;
  std::vector<int> told;
  int answer = 6;  // Yes
  int switchRequests = 0;
  int rebuilds = 0;
  int applied = 0;
  std::function<void()> whileAsking;  // the polls that run under a question

  void Beep() override { ++beeps; }
  void ShowText(const std::vector<autoconfig::TextLine>& lines) override { text = lines; }
  void SetGridValue(int row, const texts::UserText& value) override {
    grid[static_cast<std::size_t>(row)] = value;
  }
  void SelectGridRow(int row) override { selectedRow = row; }
  void SetGaugeMaximum(int maximum) override { gaugeMaximum = maximum; }
  void SetGaugeValue(int value) override { gaugeValue = value; }
  void ShowGaugePanel(bool shown) override { gaugeShown = shown; }
  void ShowButton(autoconfig::WizardButton button, bool shown) override { buttons[button] = shown; }
  link::MsgResult Ask(const autoconfig::TextLine& question, link::MsgButtons) override {
    asked.push_back(question.id);
    if (whileAsking) whileAsking();
    return static_cast<link::MsgResult>(answer);
  }
  void Tell(const autoconfig::TextLine& message) override { told.push_back(message.id); }
  void RequestSwitch() override { ++switchRequests; }
  void RebuildGrid() override { ++rebuilds; }
  void ShowApplied() override { ++applied; }

  [[nodiscard]] int FirstTextId() const { return text.empty() ? -1 : text.front().id; }
  [[nodiscard]] int GridText(int row) const {
    const texts::UserText& cell = grid[static_cast<std::size_t>(row)];
    return cell.empty() ? -1 : cell.front().id;
  }
};

}  // namespace zo::test
