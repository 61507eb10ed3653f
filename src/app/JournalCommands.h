// The File menu's commands over the change journal: the comparison with the
// image read at connect, whose Yes writes it back, and the history window.
#pragma once

#include <QObject>
#include <QPointer>
#include <optional>

#include "app/MainParts.h"
#include "app/views/MenuCommands.h"
#include "journal/ControllerKey.h"

namespace zo::app {

class CompareDialog;
class HistoryWindow;

class JournalCommands : public QObject {
 public:
  explicit JournalCommands(const MainParts& parts);

  void Run(JournalCommand command);
  // The bytes that differ from the image read when this controller was
  // connected; writing them back after the user's Yes.
  void BackToConnect();
  void ShowHistory();

  // The windows while they are open, else null.
  [[nodiscard]] CompareDialog* BackDialog() const;
  [[nodiscard]] HistoryWindow* History() const;

 private:
  void WriteBack(const journal::ControllerKey& shownFor);

  const MainParts& p_;
  QPointer<CompareDialog> back_;
  QPointer<HistoryWindow> history_;
};

}  // namespace zo::app
