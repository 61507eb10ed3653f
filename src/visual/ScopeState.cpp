#include "visual/ScopeState.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "link/SampleHistory.h"

namespace zo::visual {

namespace {

int Mod4(int v) {
  return ((v % 4) + 4) % 4;
}

int Newest(int writeIndex) {
  return (writeIndex + link::kHistoryLength - 1) % link::kHistoryLength;
}

}  // namespace

std::string FloatToText(double value, char decimalSeparator) {
  std::array<char, 40> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.15g", value);
  std::string text(buffer.data());
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

ScopeState::ScopeState(int timeBase, int gridStyle, int bandCount)
    : timeBase_(std::clamp(timeBase, 1, 10)),
      gridStyle_(Mod4(gridStyle)),
      bandCount_(Mod4(bandCount)) {}

RunChange ScopeState::ToggleRunning(int writeIndex) {
  RunChange change;
  if (running_) {
    running_ = false;
    change.autoSaveOff = true;
    SetScrollPosition(writeIndex);
    cursor_ = Newest(writeIndex);
  } else {
    running_ = true;
  }
  change.running = running_;
  change.scrollBarShown = !running_;
  change.caption = RunCaption();
  return change;
}

RunChange ScopeState::StopForRecording(int writeIndex) {
  RunChange change;
  if (running_) change = ToggleRunning(writeIndex);
  SetScrollPosition(kScrollMaximum);
  cursor_ = Newest(writeIndex);
  change.running = false;
  change.scrollBarShown = true;
  change.caption = RunCaption();
  return change;
}

bool ScopeState::TimeBaseUp(int frameWidth) {
  const int v = timeBase_;
  if (v <= 1) return false;
  timeBase_ = v >= 6 ? 5 : v == 5 ? 4 : v >= 3 ? 2 : 1;
  SetFrameWidth(frameWidth);
  return true;
}

bool ScopeState::TimeBaseDown(int frameWidth) {
  const int v = timeBase_;
  if (v >= 10) return false;
  timeBase_ = v < 2 ? 2 : v < 4 ? 4 : v < 5 ? 5 : 10;
  SetFrameWidth(frameWidth);
  return true;
}

void ScopeState::SetFrameWidth(int frameWidth) {
  scrollMinimum_ = std::clamp(frameWidth / timeBase_, 0, kScrollMaximum);
  SetScrollPosition(scrollPosition_);
}

void ScopeState::SetScrollPosition(int position) {
  scrollPosition_ = std::clamp(position, scrollMinimum_, kScrollMaximum);
}

RedrawRequest ScopeState::RequestFullRedraw() {
  if (running_) {
    pendingFull_ = true;
    return RedrawRequest::Deferred;
  }
  return RedrawRequest::FullNow;
}

bool ScopeState::TakeFull(bool full) {
  const bool result = full || pendingFull_;
  pendingFull_ = false;
  return result;
}

int ScopeState::CursorIndexAt(int mouseX, int imageWidth) const {
  const int index = scrollPosition_ + 1 - (imageWidth - mouseX) / timeBase_;
  return std::clamp(index, 0, link::kHistoryLength - 1);
}

int ScopeState::CursorIndexOfScroll() const {
  return std::clamp(scrollPosition_ + 1, 0, link::kHistoryLength - 1);
}

int ScopeState::ShownSample(int writeIndex) const {
  return running_ ? Newest(writeIndex) : cursor_;
}

std::string ScopeState::TimeBaseCaption(char decimalSeparator) const {
  return FloatToText(10.0 / timeBase_, decimalSeparator) + " s/dz";
}

std::string ScopeState::TimeCaption(int index, char decimalSeparator) {
  return FloatToText(index * 0.1, decimalSeparator) + " s";
}

std::string ScopeState::BandCountCaption() const {
  return bandCount_ == 0 ? " A " : " " + std::to_string(bandCount_) + " ";
}

}  // namespace zo::visual
