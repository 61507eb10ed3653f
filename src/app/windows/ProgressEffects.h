// The progress window and the busy cursor of the main window, as the link
// and the connection manager drive them.
#pragma once

#include "link/IProgressEffects.h"

class QWidget;

namespace zo::app {

class ProgressWindow;

class ProgressEffects : public link::IProgressEffects {
 public:
  // `window` takes the busy cursor.
  ProgressEffects(ProgressWindow& progress, QWidget& window)
      : progress_(progress), window_(window) {}

  bool ShowProgress(int captionTextId, const texts::UserText& firstLine,
                    link::ProgressPicture picture) override;
  void AddProgressLine(const texts::UserText& line) override;
  void SetProgressMax(int maximum) override;
  void SetProgressPosition(int position) override;
  void CloseProgress() override;
  [[nodiscard]] bool ProgressShown() const override;
  void SetBusyCursor() override;
  void RestoreCursor() override;

 private:
  ProgressWindow& progress_;
  QWidget& window_;
};

}  // namespace zo::app
