// The progress window as the link and the connection manager use it: at
// most one TFormBar at a time, shown without blocking. Owned by the main
// window.
#pragma once

#include <QColor>
#include <QPointer>
#include <functional>
#include <string_view>

#include "link/LinkTypes.h"
#include "texts/TextsFwd.h"
#include "texts/UserText.h"

class QWidget;

namespace zo::app {

class TFormBar;

class ProgressWindow {
 public:
  // beep plays the system's default sound; tests pass their own.
  ProgressWindow(QWidget* owner, const texts::TextCatalogue& texts, std::function<void()> beep);
  ProgressWindow(QWidget* owner, const texts::TextCatalogue& texts);
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;

  // When no progress window is shown: creates it centred on the desktop with
  // the caption (" Viz !" in Russian), beeps, adds the first line, shows the
  // picture and returns true. When one is shown nothing changes and the
  // result is false; the caller then adds its line itself.
  bool Show(std::string_view caption, std::string_view firstLine, link::ProgressPicture picture);
  bool Show(int captionTextId, const texts::UserText& firstLine, link::ProgressPicture picture);

  void AddLine(std::string_view line);
  void AddLine(const texts::UserText& line);
  // The maximum holds for the window shown and for the next one: a read
  // may set it while no window is shown (after a lost link) and open the
  // window with its first reply.
  void SetMaximum(int maximum);
  void SetPosition(int position);
  void Close();

  bool IsShown() const;
  TFormBar* Window() const { return window_; }

  // The background of the window: the colour of the signal grid.
  void SetBackground(QColor colour) { background_ = colour; }

 private:
  QPointer<QWidget> owner_;
  const texts::TextCatalogue& texts_;
  std::function<void()> beep_;
  QColor background_{219, 219, 219};
  int maximum_;
  QPointer<TFormBar> window_;
};

}  // namespace zo::app
