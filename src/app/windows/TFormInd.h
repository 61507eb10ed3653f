// One floating indicator window (`TFormInd`): a borderless black window that
// shows one signal kind as a dial, a vertical bar or a horizontal bar. Its
// 500 ms timer draws a changed reading, follows the active page and carries
// out the one-shot request of its slot; the tool strip resizes it, changes
// its shape and closes it. The rules live in visual::IndicatorSlots,
// IndicatorGeometry and IndicatorScale; the pictures in IndicatorPainter.
#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "link/LinkTypes.h"
#include "link/SampleHistory.h"
#include "texts/TextsFwd.h"
#include "visual/ColourChoice.h"
#include "visual/IndicatorPainter.h"
#include "visual/IndicatorRefresh.h"
#include "visual/IndicatorSlots.h"

class QToolButton;

namespace zo::app {

// What every indicator window reads: the slots, the readings of the sample
// shown, the active page, the arranged row's place and what the scales and
// colours depend on. Owned by IndicatorWindows.
struct IndicatorContext {
  IndicatorContext(const texts::TextCatalogue& catalogue, const link::ImageArea& workingCopy)
      : texts(catalogue), image(workingCopy) {}

  const texts::TextCatalogue& texts;
  const link::ImageArea& image;  // the working copy of the parameter image
  visual::IndicatorSlots indicatorSlots;
  link::HistorySample readings{};
  int page = visual::IndicatorSlots::kParametersPage;
  std::optional<visual::ArrangeGeometry> arranged;
  bool levelFalling = false;
  visual::TracePalette palette = visual::ColourChoice::Defaults();
  // The program is quitting: a window closed now stays wanted, so that it
  // reopens at the next start.
  bool quitting = false;
};

class TFormInd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kInterval = 500;
  static constexpr int kButtonSize = 20;

  // A new window of `kind` at `place` in `shape`, not yet shown; it deletes
  // itself when closed.
  TFormInd(QWidget* host, model::SignalKind kind, IndicatorContext& context,
           const visual::IndicatorRect& place, visual::IndicatorShape shape, bool stayOnTop);

  [[nodiscard]] model::SignalKind Kind() const { return kind_; }
  [[nodiscard]] visual::IndicatorShape Shape() const { return shape_; }
  [[nodiscard]] const visual::IndicatorPainter& Painter() const { return painter_; }
  [[nodiscard]] visual::IndicatorRect Rect() const;
  [[nodiscard]] QToolButton* ToolButton(int index) const;

  // One tick: a changed reading is drawn, the page decides visibility, and
  // the slot's request is carried out.
  void Timer1Timer();
  void ToolButton1Click();  // smaller
  void ToolButton2Click();  // larger
  void ToolButton3Click();  // next shape
  void ToolButton4Click();  // close

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolStrip();
  void DrawBackground();
  void ShowReading();
  void Carry(visual::IndicatorRequest request);
  void SetStayOnTop(bool on);
  void Apply(const visual::IndicatorRect& r);
  [[nodiscard]] visual::IndicatorLook Look() const;
  [[nodiscard]] visual::IndicatorInputs Inputs() const;

  model::SignalKind kind_;
  IndicatorContext& context_;
  visual::IndicatorShape shape_;
  visual::IndicatorPainter painter_;
  visual::IndicatorRefresh refresh_;
  QTimer timer1_;
  QWidget* toolBar1_ = nullptr;
  std::array<QToolButton*, 4> buttons_{};
  std::optional<QPoint> dragFrom_;  // the pointer's offset while dragging
};

}  // namespace zo::app
