// The upload window: the file being read, the version, the time left and
// the progress bar of the blocks sent. It stays on top of the main window,
// which is disabled while the upload runs.
#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLabel;
class QProgressBar;

namespace zo::app {

class TFormUpg : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 380;
  static constexpr int kClientHeight = 104;

  explicit TFormUpg(const QString& caption);

  void SetLine(int line, const QString& text);
  [[nodiscard]] QString Line(int line) const;
  [[nodiscard]] QProgressBar& Bar() const { return *bar_; }

 private:
  std::array<QLabel*, 3> lines_{};
  QProgressBar* bar_;
};

}  // namespace zo::app
