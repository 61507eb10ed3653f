// The File menu's support package: saved from a controller whose parameters
// were read (a message otherwise) into a zip file the user names, and opened
// from one: its parameters and recording shown as a file, its description
// and findings in a window whose button compares its parameters with the
// controller through the comparison window.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "app/MainParts.h"
#include "files/ParameterFile.h"
#include "supportpackage/PackageFile.h"

namespace zo::app {

class SupportPackageWindow;

// What the package takes from other parts of the window.
struct PackageSources {
  std::function<std::string()> settings;  // the settings file's text as it would be saved now
  std::function<std::string()> findings;  // the connection check, one finding a line
};

class PackageCommands : public QObject {
  Q_OBJECT

 public:
  // The proposed path in, the chosen path out; empty when the user cancelled.
  using PathChooser = std::function<std::string(bool save, const QString& proposed)>;

  PackageCommands(const MainParts& parts, PackageSources sources);

  void SetPathChooser(PathChooser chooser) { choose_ = std::move(chooser); }

  void Save();
  void Open();
  // The package's parameters against the controller's.
  void Compare();

  // The package window while it is open, else null.
  [[nodiscard]] SupportPackageWindow* Window() const;
  // The package as it would be saved now.
  [[nodiscard]] supportpackage::SupportPackage Current() const;

 private:
  void Message(const supportpackage::PackageMessage& message);
  [[nodiscard]] std::string JournalText() const;
  [[nodiscard]] std::string TraceText() const;

  const MainParts& p_;
  PackageSources sources_;
  PathChooser choose_;
  QPointer<SupportPackageWindow> window_;
  files::ParameterFileContent shown_;  // the opened package's parameters
  std::string shownName_;
};

}  // namespace zo::app
