// The oscilloscope's own state and rules: running or stopped, the time base
// (pixels per sample), grid style, band count, the scroll bar, the pending
// full redraw, the view end index, the cursor readout index and the captions
// of the scope's buttons and labels. The window forwards its button clicks,
// scroll and mouse events here and paints what this reports.
#pragma once

#include <string>

namespace zo::visual {

inline constexpr int kScrollMaximum = 3599;

// What stopping or starting the scope asks of the window.
struct RunChange {
  bool running = false;
  bool autoSaveOff = false;  // stopped: untick `MenuFileSaveAuto`, hide `BtnAutoSave`
  bool scrollBarShown = false;
  std::string caption;  // written on `BtnScope` at (2, 3)
};

// The outcome of a redraw request: draw in full now (stopped) or later.
enum class RedrawRequest { Deferred, FullNow };

class ScopeState {
 public:
  // Settings as stored; an unusable time base falls back into 1..10 and grid
  // style and band count are taken modulo 4.
  ScopeState(int timeBase, int gridStyle, int bandCount);

  [[nodiscard]] bool Running() const { return running_; }
  [[nodiscard]] int TimeBase() const { return timeBase_; }
  [[nodiscard]] int GridStyle() const { return gridStyle_; }
  [[nodiscard]] int BandCount() const { return bandCount_; }

  // `BtnScope` (and Enter on the Parameters page): toggles running; stopping
  // switches auto-save off and puts the scroll bar at the write index.
  RunChange ToggleRunning(int writeIndex);
  // Opening a recording leaves the scope stopped at the end of the history,
  // the newest sample under the cursor.
  RunChange StopForRecording(int writeIndex);

  // `BtnUpX` / `BtnDownX`: false at the end stops (the window beeps).
  // frameWidth updates the scroll-bar minimum.
  bool TimeBaseUp(int frameWidth);
  bool TimeBaseDown(int frameWidth);
  // `BtnSkala` and `BtnIlosc`.
  void NextGridStyle() { gridStyle_ = (gridStyle_ + 1) % 4; }
  void NextBandCount() { bandCount_ = (bandCount_ + 1) % 4; }

  // Scroll bar: range ScrollMinimum()..kScrollMaximum.
  void SetFrameWidth(int frameWidth);
  [[nodiscard]] int ScrollMinimum() const { return scrollMinimum_; }
  [[nodiscard]] int ScrollPosition() const { return scrollPosition_; }
  void SetScrollPosition(int position);

  // The history index drawn at the right edge.
  [[nodiscard]] int ViewEnd(int writeIndex) const {
    return running_ ? writeIndex : scrollPosition_;
  }

  // Pending full redraw: while running a request is kept for the next
  // drawing; while stopped it asks for a full redraw at once.
  RedrawRequest RequestFullRedraw();
  // Called by each drawing: whether it is full, clearing the pending flag.
  bool TakeFull(bool full);

  // Cursor readout while stopped, kept inside the history's 3600 slots.
  [[nodiscard]] int CursorIndexAt(int mouseX, int imageWidth) const;
  [[nodiscard]] int CursorIndexOfScroll() const;
  // The readout chose a sample: the panels show it until the next choice.
  void SetCursor(int index) { cursor_ = index; }
  // The sample the signal list, gauges, lamps and indicators show: the
  // newest complete one (just before the slot being filled) while running,
  // the one under the cursor while stopped.
  [[nodiscard]] int ShownSample(int writeIndex) const;

  // Captions.
  [[nodiscard]] std::string TimeBaseCaption(char decimalSeparator = '.') const;
  [[nodiscard]] static std::string TimeCaption(int index, char decimalSeparator = '.');
  [[nodiscard]] std::string BandCountCaption() const;
  [[nodiscard]] std::string RunCaption() const { return running_ ? " STOP " : "START"; }

 private:
  bool running_ = true;
  bool pendingFull_ = false;
  int timeBase_;
  int gridStyle_;
  int bandCount_;
  int scrollMinimum_ = 0;
  int scrollPosition_ = kScrollMaximum;
  int cursor_ = 0;
};

// FloatToText: the general number format with up to 15 significant digits.
[[nodiscard]] std::string FloatToText(double value, char decimalSeparator);

}  // namespace zo::visual
