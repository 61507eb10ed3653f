// What the controller conversation makes the user see or hear. Windows
// implement it; tests record it. The link never depends on a window.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "LinkTypes.h"
#include "texts/UserText.h"

namespace zo::link {

class ILinkEffects {
 public:
  virtual ~ILinkEffects() = default;

  // Progress window: Show returns false (and changes nothing) when it is
  // already shown.
  virtual bool ShowProgress(int captionTextId, const UserText& firstLine,
                            ProgressPicture picture) = 0;
  virtual void AddProgressLine(const UserText& line) = 0;
  virtual void SetProgressMax(int maximum) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void CloseProgress() = 0;
  virtual void SetBusyCursor() = 0;
  virtual void RestoreCursor() = 0;

  // The program's message dialog.
  virtual MsgResult ShowMessage(const UserText& text, int titleTextId, MsgIcon icon,
                                MsgButtons buttons) = 0;
  // The operating system's plain message box (used for link faults only).
  virtual void ShowSystemMessage(std::string_view text, std::string_view caption) = 0;
  virtual void Beep() = 0;

  // Main window.
  virtual void SetMainCaption(std::string_view caption) = 0;
  virtual void SetConnectCaptions(int textId) = 0;  // both connect/disconnect entries
  virtual void EnableMainWindow(bool enabled) = 0;
  virtual void SetTxInterval(int milliseconds) = 0;
  virtual void SetConnectionState(ConnectionState state) = 0;  // caption, pages and model rules
  virtual void RebuildGrid() = 0;
  virtual void SetIndicatorsAuxState(int state) = 0;  // all sixteen indicator windows

  // Live views.
  virtual void DrawSample(int index) = 0;  // show the sample and redraw the scope
  virtual void SetTimeCaption(int index) = 0;
  virtual void AutoSave() = 0;  // the history wrapped with auto-save on
  virtual void ShowConfigData(std::span<const std::uint8_t> reply) = 0;
};

}  // namespace zo::link
