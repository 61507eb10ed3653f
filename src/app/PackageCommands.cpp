#include "app/PackageCommands.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>

#include "ProgramVersion.h"
#include "app/FileCommands.h"
#include "app/MainJournal.h"
#include "app/MainViews.h"
#include "app/QtText.h"
#include "app/views/MainMenus.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/SupportPackageWindow.h"
#include "app/windows/TFormMsg.h"
#include "files/AtomicFile.h"
#include "files/FileNames.h"
#include "link/ImageMap.h"
#include "link/LinkState.h"
#include "link/LinkTrace.h"
#include "model/ControllerModel.h"
#include "settings/Settings.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

std::string AskTheUser(QWidget* parent, const QString& title, bool save, const QString& proposed) {
  const QString filter = QStringLiteral("ZIP (*.zip)");
  return (save ? QFileDialog::getSaveFileName(parent, title, proposed, filter)
               : QFileDialog::getOpenFileName(parent, title, proposed, filter))
      .toStdString();
}

std::string ModelName(const link::ImageArea& image) {
  return Q(model::ControllerModel::Identify(image).name).trimmed().toStdString();
}

// A file as the named member of a package; nothing when it cannot be read
// or is too large for it.
std::string Member(const std::filesystem::path& path, std::string_view member) {
  const auto read =
      files::AtomicFile::Read(path, supportpackage::SupportPackageCodec::Limit(member));
  if (read.problem != files::FileProblem::None) return {};
  return {read.bytes.begin(), read.bytes.end()};
}

}  // namespace

PackageCommands::PackageCommands(const MainParts& parts, PackageSources sources)
    : QObject(&parts.window), p_(parts), sources_(std::move(sources)) {
  choose_ = [this](bool save, const QString& proposed) {
    const int title = save ? txt::kSaveSupportPackage : txt::kOpenSupportPackage;
    return AskTheUser(&p_.window, Q(p_.texts.Text(title)).remove(QLatin1Char('&')).trimmed(), save,
                      proposed);
  };
  connect(p_.views.menus, &MainMenus::PackageCommandChosen, this, [this](PackageCommand command) {
    if (command == PackageCommand::Save) Save();
    if (command == PackageCommand::Open) Open();
  });
}

SupportPackageWindow* PackageCommands::Window() const {
  return window_;
}

void PackageCommands::Message(const supportpackage::PackageMessage& message) {
  if (message.text == 0) return;
  texts::UserText text{texts::TextPiece::Id(message.text)};
  if (!message.tail.empty()) text.push_back(texts::TextPiece::Literal(message.tail));
  p_.messages.ShowMessage(text, txt::kTitleAttention, link::MsgIcon::Information,
                          link::MsgButtons::Ok);
}

// The journal of the controller connected, when it has one.
std::string PackageCommands::JournalText() const {
  if (p_.journal == nullptr) return {};
  const journal::ChangeJournal& journal = p_.journal->Keeper().Journal();
  if (!journal.IsOpen()) return {};
  return Member(p_.journal->Folder().Folder() / journal.Key().FileName(),
                supportpackage::SupportPackageCodec::kJournal);
}

// The last trace recorded, as far as it is written.
std::string PackageCommands::TraceText() const {
  if (p_.trace == nullptr || p_.trace->LastTracePath().empty()) return {};
  return Member(p_.trace->LastTracePath(), supportpackage::SupportPackageCodec::kTrace);
}

supportpackage::SupportPackage PackageCommands::Current() const {
  const link::LinkState& state = p_.state;
  supportpackage::PackageExtras extras;
  extras.trace = TraceText();
  extras.journal = JournalText();
  extras.findings = sources_.findings ? sources_.findings() : std::string();
  extras.settings = sources_.settings ? sources_.settings() : std::string();
  const int language = p_.texts.Language();
  extras.about = {
      kProgramVersion, std::string(texts::kLanguageCodes[static_cast<std::size_t>(language)]),
      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(),
      ModelName(state.workingCopy), state.workingCopy[link::ImageMap::kVersion]};
  return supportpackage::PackageFile::Build(state.workingCopy, state.history, std::move(extras));
}

void PackageCommands::Save() {
  if (!p_.state.ControllerRead()) {
    Message({txt::kPackageNeedsController, {}});
    return;
  }
  const QDateTime now = QDateTime::currentDateTime();
  const std::string name = files::FileNames::SupportPackage(
      now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
      now.time().minute(), ModelName(p_.state.workingCopy));
  const std::string path = choose_(true, QDir(Q(p_.settings.dirSave)).filePath(Q(name)));
  if (path.empty()) return;
  Message(supportpackage::PackageFile::Save(path, Current()));
}

void PackageCommands::Open() {
  const std::string path = choose_(false, Q(p_.settings.dirOpen));
  if (path.empty()) return;
  const supportpackage::OpenedPackage opened = supportpackage::PackageFile::Open(path);
  if (opened.refusal.text != 0) {
    Message(opened.refusal);
    return;
  }
  const supportpackage::SupportPackage& package = opened.package;
  shown_ = files::ParameterFile::Decode(package.parameters);
  shownName_ = files::FileNames::WithoutFolder(path);
  p_.views.files->ShowPackage(shown_, package.recording, path);
  if (window_) window_->close();
  window_ = new SupportPackageWindow(&p_.window, p_.texts, package, shownName_);
  window_->setAttribute(Qt::WA_DeleteOnClose);
  connect(window_, &SupportPackageWindow::CompareClicked, this, &PackageCommands::Compare);
  window_->show();
}

void PackageCommands::Compare() {
  if (!p_.state.ControllerRead()) {
    Message({txt::kCompareNeedsController, {}});
    return;
  }
  p_.views.files->ComparePackage(shown_, shownName_);
}

}  // namespace zo::app
