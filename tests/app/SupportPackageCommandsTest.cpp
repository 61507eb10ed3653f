// The support package through the main window: saved from a controller read
// from the lpgsim executable, it holds that controller's parameters, the
// recording, the link trace, the journal of its change and the settings;
// opened again it shows its parameters as a file and its recording, and once
// the controller is read again its button compares the two. Without a read
// controller saving and comparing explain what they need; a package that is
// refused changes nothing.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>

#include "LpgsimProcess.h"
#include "app/FileCommands.h"
#include "app/MainWindowRig.h"
#include "app/PackageCommands.h"
#include "app/windows/CompareDialog.h"
#include "app/windows/SupportPackageWindow.h"
#include "files/AtomicFile.h"
#include "files/ParameterFile.h"
#include "files/RecordingFile.h"
#include "supportpackage/LibZipArchive.h"
#include "texts/TextIds.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;
using supportpackage::SupportPackageCodec;

class SupportPackageCommandsTest : public MainWindowRig {
 protected:
  static PackageCommands& Package(const TForm1& f) { return *f.Parts().views.package; }

  // Runs the command with the path chooser answering `path`; the message it
  // shows, closed.
  std::string Run(TForm1& form, const char* entry, const std::filesystem::path& path) {
    Package(form).SetPathChooser([this, path](bool, const QString& proposed) {
      proposed_ = proposed.toStdString();
      return path.string();
    });
    std::string shown;
    CloseNextMessage(form, shown);
    Menu(form, entry).trigger();
    static_cast<void>(RunUntil([&shown] { return !shown.empty(); }, 2s));
    watch_.stop();
    return shown;
  }
  [[nodiscard]] std::string Text(const TForm1& form, int id) const {
    return QString::fromStdString(Texts(form).Text(id)).simplified().toStdString();
  }

  std::string proposed_;
};

supportpackage::PackageRead ReadBack(const std::filesystem::path& path) {
  const auto file = files::AtomicFile::Read(path, SupportPackageCodec::kMaxPackage);
  supportpackage::LibZipArchive zip(file.bytes);
  return SupportPackageCodec::Read(zip);
}

TEST_F(SupportPackageCommandsTest, SavedFromTheControllerOpenedAsAFileAndComparedWithIt) {
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "92"});
  ASSERT_TRUE(sim.Running());
  auto form = OpenConnected(sim);
  ASSERT_NE(form, nullptr);
  const link::LinkState& state = State(*form);
  const auto trace = profile_.Folder() / "session-trace.txt";
  Files(*form).SetPathChooser([&trace](const FileChoice&) { return trace.string(); });
  Menu(*form, "MenuPortTrace").trigger();
  StepInGrid(*form, 57, 1);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(RunUntil([&] { return state.history.WriteIndex() >= 30; }, 30s));

  const auto path = profile_.Folder() / "customer.zip";
  EXPECT_EQ(Run(*form, "MenuFileSavePackage", path),
            Text(*form, txt::kPackageSaved) + " " + path.string());
  EXPECT_NE(proposed_.find("support-"), std::string::npos);
  EXPECT_TRUE(proposed_.ends_with("-Vela100.zip")) << proposed_;
  const supportpackage::PackageRead saved = ReadBack(path);
  ASSERT_EQ(saved.problem, supportpackage::PackageProblem::None);
  const link::ImageArea savedImage = state.workingCopy;
  EXPECT_EQ(files::ParameterFile::Decode(saved.package.parameters).bytes,
            files::ParameterFile::Encode(savedImage));
  EXPECT_EQ(saved.package.recording.size(), files::RecordingFile::kSize);
  EXPECT_EQ(saved.package.about.model, "Vela100");
  EXPECT_EQ(saved.package.about.language, "pl");
  EXPECT_EQ(saved.package.about.firmwareVersion, savedImage[1]);
  EXPECT_NE(saved.package.journal.find("\t57\t"), std::string::npos) << saved.package.journal;
  EXPECT_TRUE(saved.package.trace.starts_with("# ZoLpgWin link trace"));
  EXPECT_TRUE(saved.package.findings.starts_with(Text(*form, txt::kCheckTitle) + "\n"))
      << saved.package.findings;
  EXPECT_NE(saved.package.trace.find(" RX "), std::string::npos);
  EXPECT_NE(saved.package.settings.find("\"Comm\"=dword:0000005c"), std::string::npos)
      << saved.package.settings;

  // The controller moves on; the package opened shows what was saved.
  StepInGrid(*form, 57, 1);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(Run(*form, "MenuFileOpenPackage", path), "");
  EXPECT_EQ(state.connectionState, link::ConnectionState::FileShown);
  EXPECT_FALSE(TimerTx(*form).isActive());
  EXPECT_TRUE(std::equal(savedImage.begin(), savedImage.begin() + 168, state.workingCopy.begin()));
  EXPECT_TRUE(form->windowTitle().contains("[customer.zip]")) << form->windowTitle().toStdString();
  SupportPackageWindow* window = Package(*form).Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Findings()->toPlainText().toStdString(),
            saved.package.findings.empty() ? Text(*form, txt::kPackageNoFindings)
                                           : saved.package.findings);

  // Compared only with a controller read again: then exactly byte 57 differs.
  std::string shown;
  CloseNextMessage(*form, shown);
  QTest::mouseClick(window->BtnCompare(), Qt::LeftButton);
  ASSERT_TRUE(RunUntil([&shown] { return !shown.empty(); }, 2s));
  EXPECT_EQ(shown, Text(*form, txt::kCompareNeedsController));
  if (state.connected) Menu(*form, "MenuPortNone").trigger();
  Menu(*form, "MenuPortNone").trigger();
  ASSERT_TRUE(RunUntil(
      [&] { return state.connectionState == link::ConnectionState::ControllerRead; }, 30s));
  QTest::mouseClick(window->BtnCompare(), Qt::LeftButton);
  CompareDialog* comparison = Files(*form).Comparison();
  ASSERT_NE(comparison, nullptr);
  EXPECT_EQ(comparison->Table()->rowCount(), 1);
  comparison->close();
}

TEST_F(SupportPackageCommandsTest, WithoutAControllerOrWithABadPackageNothingChanges) {
  const auto form = Open();
  ShowIdle(*form);
  EXPECT_EQ(Run(*form, "MenuFileSavePackage", profile_.Folder() / "x.zip"),
            Text(*form, txt::kPackageNeedsController));

  const link::ImageArea before = State(*form).workingCopy;
  const auto notZip = profile_.Folder() / "notes.zip";
  std::ofstream(notZip) << "not a zip archive";
  EXPECT_EQ(Run(*form, "MenuFileOpenPackage", notZip),
            Text(*form, txt::kPackageNotZip) + " " + notZip.string());

  supportpackage::SupportPackage package;
  package.parameters.assign(files::ParameterFile::kSize, 0x11);
  auto members = SupportPackageCodec::Members(package);
  members.push_back({"../../.bashrc", {'x'}});
  const auto escaping = profile_.Folder() / "escaping.zip";
  ASSERT_TRUE(files::AtomicFile::Write(escaping, *supportpackage::LibZipArchive::Pack(members)));
  EXPECT_EQ(Run(*form, "MenuFileOpenPackage", escaping),
            Text(*form, txt::kPackageLeavesFolder) + " ../../.bashrc");
  EXPECT_EQ(State(*form).workingCopy, before);
  EXPECT_NE(State(*form).connectionState, link::ConnectionState::FileShown);
  EXPECT_EQ(Package(*form).Window(), nullptr);
}

}  // namespace
}  // namespace zo::app
