// The progress window and the busy cursor, as the link and the connection
// manager drive them during a read or a connection attempt.
#pragma once

#include "LinkTypes.h"
#include "texts/UserText.h"

namespace zo::link {

class IProgressEffects {
 public:
  virtual ~IProgressEffects() = default;

  // Show returns false (and changes nothing) when the window is already shown.
  virtual bool ShowProgress(int captionTextId, const texts::UserText& firstLine,
                            ProgressPicture picture) = 0;
  virtual void AddProgressLine(const texts::UserText& line) = 0;
  virtual void SetProgressMax(int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void CloseProgress() = 0;
  [[nodiscard]] virtual bool ProgressShown() const = 0;
  virtual void SetBusyCursor() = 0;
  virtual void RestoreCursor() = 0;
};

}  // namespace zo::link
