// The upload window as the upload drives it: created for each upload, three
// lines of text and a progress bar.
#pragma once

#include "texts/UserText.h"

namespace zo::firmware {

class IUploadWindow {
 public:
  virtual ~IUploadWindow() = default;

  // Creates and shows the window with the caption; the bar hidden at 0.
  virtual void Open(int captionTextId) = 0;
  virtual void SetLine(int line, const texts::UserText& text) = 0;  // line 0..2
  virtual void SetProgressMax(int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void ShowProgressBar(bool visible) = 0;
  virtual void Close() = 0;
};

}  // namespace zo::firmware
