// The File menu's service report: its window over a controller whose
// parameters were read (a message otherwise), the workshop typed there kept
// in the settings, and the report saved as a PDF file or printed through the
// system's print dialog. The report holds the controller's identity and
// working times, the parameter grid, this session's changes from the change
// journal and the oscilloscope's last minute.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "app/MainParts.h"
#include "report/ReportDocument.h"

class QPrinter;

namespace zo::app {

class ReportDialog;

class ReportCommands : public QObject {
  Q_OBJECT

 public:
  // The proposed path (folder and name) in, the chosen path out; empty when
  // the user cancelled.
  using PathChooser = std::function<std::string(const QString& proposed)>;
  // Sets the printer up with the user, as the print dialog does: whether to print.
  using PrinterChooser = std::function<bool(QPrinter& printer)>;

  // Takes the File menu's report entry.
  explicit ReportCommands(const MainParts& parts);

  // Replace the file dialog and the print dialog.
  void SetPathChooser(PathChooser chooser) { choose_ = std::move(chooser); }
  void SetPrinterChooser(PrinterChooser chooser) { choosePrinter_ = std::move(chooser); }

  // `MenuFileReport`: reads the working times from a controller that has
  // them, then opens the report's window.
  void Open();
  void SaveAsPdf();
  void Print();

  // The report as it would be printed now, in the current language.
  [[nodiscard]] report::ReportDocument Document() const;
  // The oscilloscope's last minute, one pixel a sample, the newest on the right.
  [[nodiscard]] QImage ScopePicture() const;
  // The report's window while it is open, else null.
  [[nodiscard]] ReportDialog* Dialog() const;

 private:
  void Message(const std::string& path, int textId);
  // The workshop from the window into the settings.
  void StoreWorkshop();
  // The workshop stored and the report built with the working times read
  // again; nothing, after the message, without a read controller.
  std::optional<report::ReportDocument> Current();
  void ReadWorkingTimes();

  const MainParts& p_;
  PathChooser choose_;
  PrinterChooser choosePrinter_;
  QPointer<ReportDialog> dialog_;
};

}  // namespace zo::app
