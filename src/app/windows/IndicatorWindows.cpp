#include "app/windows/IndicatorWindows.h"

#include <QWidget>
#include <algorithm>

#include "settings/Settings.h"
#include "visual/IndicatorScale.h"

namespace zo::app {

using visual::IndicatorRequest;
using visual::IndicatorSlots;

IndicatorWindows::IndicatorWindows(QWidget& host, const texts::TextCatalogue& texts,
                                   const link::ImageArea& workingCopy)
    : QObject(&host), host_(host), context_(texts, workingCopy) {}

IndicatorWindows::~IndicatorWindows() {
  // The windows read the context: they go first, their slots still wanted.
  for (QPointer<TFormInd>& window : windows_)
    delete window.data();
}

void IndicatorWindows::Load(const settings::Settings& settings) {
  for (const int number : settings::Settings::kStoredIndicatorKinds) {
    const auto kind = model::SignalKindOf(number);
    if (!kind || model::IndexOf(*kind) >= IndicatorSlots::kKinds) continue;
    const settings::IndicatorSlot& stored = settings.indicators.at(model::IndexOf(*kind));
    context_.indicatorSlots.Slot(*kind) = {stored.left, stored.top, stored.width, stored.state,
                                           IndicatorRequest::None};
  }
}

void IndicatorWindows::Store(settings::Settings& settings) {
  for (const model::SignalKind kind : model::kIndicatorKinds) {
    if (const TFormInd* window = Window(kind)) context_.indicatorSlots.Record(kind, window->Rect());
    const visual::IndicatorSlot& slot = context_.indicatorSlots.Slot(kind);
    settings.indicators.at(model::IndexOf(kind)) = {slot.left, slot.top, slot.size, slot.flags};
  }
}

void IndicatorWindows::StartUp() {
  for (const model::SignalKind kind : context_.indicatorSlots.StartUp())
    Open(kind);
}

TFormInd* IndicatorWindows::Window(model::SignalKind kind) const {
  if (model::IndexOf(kind) >= IndicatorSlots::kKinds) return nullptr;
  return windows_.at(model::IndexOf(kind)).data();
}

void IndicatorWindows::Open(model::SignalKind kind) {
  if (!visual::IndicatorScale::Info(kind)) return;
  const visual::OpenResult open = context_.indicatorSlots.Open(kind);
  if (open.action == visual::OpenAction::Create) return Create(kind, open);
  if (Window(kind) != nullptr) return;
  // A placed mark without a window (it cannot close without clearing the
  // mark): the window is opened anew rather than left missing.
  visual::IndicatorSlot& slot = context_.indicatorSlots.Slot(kind);
  slot.flags &= ~IndicatorSlots::kPlaced;
  slot.request = IndicatorRequest::None;
  Open(kind);
}

void IndicatorWindows::Create(model::SignalKind kind, const visual::OpenResult& open) {
  auto* window = new TFormInd(&host_, kind, context_, open.rect, open.shape, stayOnTop_);
  windows_.at(model::IndexOf(kind)) = window;
  if (IndicatorSlots::Visible(kind, context_.page)) window->show();
  context_.indicatorSlots.MarkPlaced(kind);
}

void IndicatorWindows::SetReadings(std::span<const std::uint8_t> sample) {
  const std::size_t n = std::min(sample.size(), context_.readings.size());
  std::copy_n(sample.begin(), n, context_.readings.begin());
}

void IndicatorWindows::SetReading(model::SignalKind kind, std::uint8_t reading) {
  if (model::SampleByteOf(kind) < context_.readings.size())
    context_.readings.at(model::SampleByteOf(kind)) = reading;
}

void IndicatorWindows::SetPage(link::Page page) {
  context_.page = static_cast<int>(page);
}

void IndicatorWindows::SetColours(const visual::TracePalette& palette) {
  if (palette == context_.palette) return;
  context_.palette = palette;
  RequestAll(IndicatorRequest::Redraw);
}

void IndicatorWindows::SetLevelFalling(bool falling) {
  if (falling == context_.levelFalling) return;
  context_.levelFalling = falling;
  RequestAll(IndicatorRequest::Redraw);
}

void IndicatorWindows::RequestAll(IndicatorRequest request) {
  context_.indicatorSlots.RequestAll(request);
}

void IndicatorWindows::Home() {
  for (const model::SignalKind kind : context_.indicatorSlots.Home()) {
    // An open window stays; it takes its new shape with the arrangement.
    if (Window(kind) != nullptr) {
      context_.indicatorSlots.MarkPlaced(kind);
    } else {
      Open(kind);
    }
  }
}

void IndicatorWindows::ArrangeFrom(const visual::ArrangeInputs& in) {
  context_.arranged = IndicatorSlots::Arrange(in);
  RequestAll(IndicatorRequest::Arrange);
}

}  // namespace zo::app
