// The progress window: a small stay-on-top window without border icons that
// shows a picture, the lines of a running operation (Memo1) and a progress
// bar (Postep, green on red). ProgressWindow keeps at most one of them.
#pragma once

#include <QWidget>
#include <string_view>

class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace zo::app {

class TFormBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 353;
  static constexpr int kClientHeight = 101;
  static constexpr int kPictureWidth = 57;
  static constexpr int kDefaultMaximum = 100;

  TFormBar(QWidget* owner, const QString& caption, const QPixmap& picture, QColor background);

  void AddLine(std::string_view line);
  // The bar counts from 0 to maximum (a negative maximum counts as 0); a
  // position beyond either end shows the bar empty or full.
  void SetMaximum(int maximum);
  void SetPosition(int position);

  QLabel* Image1() const { return image_; }
  QPlainTextEdit* Memo1() const { return memo_; }
  QProgressBar* Postep() const { return bar_; }

 private:
  QLabel* image_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QProgressBar* bar_ = nullptr;
};

}  // namespace zo::app
