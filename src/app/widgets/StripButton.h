// A button of the oscilloscope's black control strip: a small picture or a
// caption in silver, drawn at paint time so it stays crisp at any scale.
#pragma once

#include <QAbstractButton>

namespace zo::app {

enum class StripPicture {
  Caption,  // the button's text: `BtnScope`, `BtnIlosc`
  Grid,     // `BtnSkala`
  Faster,   // `BtnUpX`: shorter time per division
  Slower,   // `BtnDownX`: longer time per division
  AutoSave  // `BtnAutoSave`
};

class StripButton : public QAbstractButton {
  Q_OBJECT

 public:
  static constexpr int kHeight = 20;

  StripButton(QWidget* parent, const char* name, StripPicture picture);

  // A caption button keeps its width for the widest of these captions.
  void SetCaptions(const QString& current, const QStringList& all);
  [[nodiscard]] QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void DrawPicture(QPainter& p, QRectF box) const;

  StripPicture picture_;
  int captionWidth_ = 0;
  bool hovered_ = false;
};

}  // namespace zo::app
