// The upload window as the upload drives it: a TFormUpg created for each
// upload, centred on the desktop, with the catalogue's texts.
#pragma once

#include <QPointer>

#include "app/windows/TFormUpg.h"
#include "firmware/IUploadWindow.h"
#include "texts/TextsFwd.h"

namespace zo::app {

class UploadWindow : public firmware::IUploadWindow {
 public:
  explicit UploadWindow(const texts::TextCatalogue& texts) : texts_(texts) {}
  ~UploadWindow() override;
  UploadWindow(const UploadWindow&) = delete;
  UploadWindow& operator=(const UploadWindow&) = delete;

  void Open(int captionTextId) override;
  void SetLine(int line, const texts::UserText& text) override;
  void SetProgressMax(int maximum) override;
  void SetProgressPosition(int position) override;
  void ShowProgressBar(bool visible) override;
  void Close() override;

  // The window shown, nullptr when none is.
  [[nodiscard]] TFormUpg* Window() const { return window_; }

 private:
  const texts::TextCatalogue& texts_;
  QPointer<TFormUpg> window_;
};

}  // namespace zo::app
