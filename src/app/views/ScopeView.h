// The oscilloscope frame `Bevel1`: the control strip `PanelSc2` with its
// buttons and captions, the scope image drawn by the renderer, the division
// marks over it, the scroll bar `ScrollBar1` and the cursor readout. The
// scope's rules live in ScopeState and the drawing in ScopeRenderer; this
// widget forwards clicks, scrolling and mouse moves to them and shows the
// result. The window supplies the history and what a drawing depends on.
#pragma once

#include <QWidget>
#include <functional>

#include "link/SampleHistory.h"
#include "texts/TextsFwd.h"
#include "visual/ScopeGeometry.h"
#include "visual/ScopeRenderer.h"
#include "visual/ScopeState.h"

class QLabel;
class QScrollBar;

namespace zo::app {

class StripButton;

class ScopeView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStripTop = 2;
  static constexpr int kImageTop = 26;

  // What a drawing depends on besides the history: built by the window from
  // the settings, the parameter image and the signal list.
  using SceneSource = std::function<visual::ScopeScene()>;

  ScopeView(QWidget* parent, const link::SampleHistory& history, visual::ScopeState state,
            SceneSource scene);

  void ApplyLanguage(const texts::TextCatalogue& texts);
  // The frame's place in the window; sets the scroll-bar minimum and asks
  // for a full redraw.
  void Place(QRect frame);

  // Draws the newest sample (or everything when a full redraw is due);
  // nothing happens while the frame is hidden.
  void Redraw(bool full);
  // While running the next drawing becomes full; while stopped now.
  void RequestFullRedraw();
  // `BtnScope`, Enter on the Parameters page.
  void ToggleRunning();
  // A recording was loaded: stopped at the end of the history, its newest
  // sample shown as if under the cursor.
  void StopForRecording();
  void SetTimeCaption(int index);
  // `BtnAutoSave` shows that recordings are saved automatically.
  void SetAutoSaveMarker(bool visible);

  [[nodiscard]] const visual::ScopeState& State() const { return state_; }
  // What a drawing depends on now, as the window gives it.
  [[nodiscard]] visual::ScopeScene Scene() const { return scene_(); }
  [[nodiscard]] const QImage& Image() const { return renderer_.Image(); }
  [[nodiscard]] QRect ImageRect() const;
  [[nodiscard]] QScrollBar* ScrollBar() const { return scrollBar_; }

 signals:
  // The cursor readout chose a sample: the window shows it everywhere.
  void CursorSample(int index);
  // Running changed; `autoSaveOff` when stopping switched auto-save off.
  void RunningChanged(bool running, bool autoSaveOff);
  void Refused();          // a time-base button at its end: the window beeps
  void AutoSaveClicked();  // `BtnAutoSave`: switches automatic saving

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildStrip();
  void PlaceStrip();
  void ShowRunning(const visual::RunChange& change);
  void TimeBaseChanged(bool changed);
  void ScrollChanged(int position);
  void ShowCursor(int index);
  [[nodiscard]] visual::ScopeGeometry Geometry() const;

  const link::SampleHistory& history_;
  visual::ScopeState state_;
  SceneSource scene_;
  visual::ScopeRenderer renderer_;
  char decimalSeparator_ = '.';

  QWidget* strip_ = nullptr;  // PanelSc2
  StripButton* btnSkala_ = nullptr;
  StripButton* btnScope_ = nullptr;
  StripButton* btnUpX_ = nullptr;
  StripButton* btnDownX_ = nullptr;
  StripButton* btnIlosc_ = nullptr;
  StripButton* btnAutoSave_ = nullptr;
  QLabel* labelXScope_ = nullptr;
  QLabel* labelTim_ = nullptr;
  QScrollBar* scrollBar_ = nullptr;
};

}  // namespace zo::app
