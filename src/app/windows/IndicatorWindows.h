// The main window's indicator windows: the slots of every signal kind (kept
// between runs in the settings), the open windows, and the readings, page,
// colours and parameter image they show. The main window hands in what
// changes and forwards the menu, keys and row clicks; the windows carry out
// the slots' requests on their own timer ticks.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <cstdint>
#include <span>

#include "app/windows/TFormInd.h"
#include "link/LinkTypes.h"
#include "settings/SettingsFwd.h"
#include "texts/TextsFwd.h"
#include "visual/ColourChoice.h"
#include "visual/IndicatorSlots.h"

class QWidget;

namespace zo::app {

class IndicatorWindows : public QObject {
  Q_OBJECT

 public:
  // `host` owns the windows as a parent; `texts` and `workingCopy` outlive this.
  IndicatorWindows(QWidget& host, const texts::TextCatalogue& texts,
                   const link::ImageArea& workingCopy);
  ~IndicatorWindows() override;
  IndicatorWindows(const IndicatorWindows&) = delete;
  IndicatorWindows& operator=(const IndicatorWindows&) = delete;

  // The slots from and into the settings; storing records the open windows'
  // places first.
  void Load(const settings::Settings& settings);
  void Store(settings::Settings& settings);

  // The program is asked to quit (the session ends): the windows closed from
  // now on are still wanted at the next start.
  void Quitting() { context_.quitting = true; }

  // After the main window is first shown: reopens the remembered windows.
  void StartUp();
  // A row click or one of the menu's signal items.
  void Open(model::SignalKind kind);

  // The sample shown (16 bytes), or one reading of the configuration reply.
  void SetReadings(std::span<const std::uint8_t> sample);
  void SetReading(model::SignalKind kind, std::uint8_t reading);
  void SetPage(link::Page page);

  // What the scales and colours depend on; the open windows redraw on their
  // next tick when it changed.
  void SetColours(const visual::TracePalette& palette);
  void SetLevelFalling(bool falling);

  // Stay-on-top for new windows (`PopupMenuIndTop` ticked).
  void SetStayOnTop(bool on) { stayOnTop_ = on; }
  void RequestAll(visual::IndicatorRequest request);
  // `PopupMenuIndHome`: RPM as a dial, LAM, TPS and MOT as vertical bars, all
  // open; the arrangement follows with the next ArrangeFrom.
  void Home();
  // The arranged row's place from the main window's measures; request 6 for all.
  void ArrangeFrom(const visual::ArrangeInputs& in);

  [[nodiscard]] const visual::IndicatorSlots& Slots() const { return context_.indicatorSlots; }
  // The open window of a kind, or nullptr.
  [[nodiscard]] TFormInd* Window(model::SignalKind kind) const;

 private:
  void Create(model::SignalKind kind, const visual::OpenResult& open);

  QWidget& host_;
  IndicatorContext context_;
  std::array<QPointer<TFormInd>, visual::IndicatorSlots::kKinds> windows_{};
  bool stayOnTop_ = false;
};

}  // namespace zo::app
