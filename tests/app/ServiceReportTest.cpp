// The service report against the lpgsim executable: after two grid edits
// the report, saved from its window in Polish and in Russian, holds every
// row of the parameter grid with its value, the session's change, the
// controller's model and version and the workshop, as text a PDF reader
// finds; the workshop typed goes into the settings. Without a read
// controller the menu entry explains that one is needed.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "LpgsimProcess.h"
#include "app/MainJournal.h"
#include "app/MainWindowRig.h"
#include "app/ReportCommands.h"
#include "app/views/ParameterGridView.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/ReportDialog.h"
#include "model/ControllerModel.h"
#include "model/ImageLayout.h"
#include "model/ParameterGrid.h"
#include "texts/CatalogueTextSource.h"
#include "texts/TextIds.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;

std::string Trimmed(const std::string& text) {
  return QString::fromStdString(text).simplified().toStdString();
}

QString Path(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// What a poppler tool prints; a failure when it cannot run or fails.
std::string Poppler(const char* tool, const QStringList& arguments) {
  QProcess process;
  process.start(QString::fromLatin1(tool), arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    ADD_FAILURE() << tool << " (poppler-utils, installed by scripts/deps.sh) failed on "
                  << arguments.join(' ').toStdString() << ": "
                  << process.errorString().toStdString()
                  << process.readAllStandardError().toStdString();
    return {};
  }
  return process.readAllStandardOutput().toStdString();
}

// The PDF's text as pdftotext lays it out, line by line, each run of white
// space made one space.
std::vector<std::string> PdfLines(const std::filesystem::path& pdf) {
  std::vector<std::string> lines;
  std::istringstream text(
      Poppler("pdftotext", {QStringLiteral("-layout"), Path(pdf), QStringLiteral("-")}));
  for (std::string line; std::getline(text, line);)
    lines.push_back(" " + Trimmed(line) + " ");
  return lines;
}

// Whether one line holds `first` and, after it, `then`.
bool InOrder(const std::vector<std::string>& lines, const std::string& first,
             const std::string& then) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    const std::string head = " " + Trimmed(first) + " ";
    const std::size_t at = line.find(head);
    return at != std::string::npos &&
           (then.empty() ||
            line.find(" " + Trimmed(then) + " ", at + head.size() - 1) != std::string::npos);
  });
}

class ServiceReportTest : public MainWindowRig {
 protected:
  // The report's text in the current language: every grid row with its
  // value, the last change under the grid's name, the identity and the
  // workshop; and the oscilloscope's picture of 600 x 240 pixels.
  static void ExpectReport(const TForm1& form, const std::filesystem::path& pdf,
                           const journal::Change& last) {
    const std::vector<std::string> lines = PdfLines(pdf);
    ASSERT_FALSE(lines.empty());
    const ParameterGridView& grid = ParameterView(form);
    int rows = 0;
    for (int row = 1; row < grid.Grid().RowCount(); ++row) {
      const std::string name = grid.Cell(row, 0);
      if (Trimmed(name).empty()) continue;
      ++rows;
      EXPECT_TRUE(InOrder(lines, name, grid.Cell(row, 1))) << name << " " << grid.Cell(row, 1);
    }
    EXPECT_GT(rows, 30);
    const link::ImageArea& image = State(form).workingCopy;
    const model::ParameterGrid now = model::ParameterGrid::Build(image, form.Parts().textSource);
    const auto edited = std::find_if(now.Rows().begin(), now.Rows().end(),
                                     [&last](const auto& r) { return r.byte == last.byte; });
    ASSERT_NE(edited, now.Rows().end());
    EXPECT_TRUE(InOrder(lines, edited->name, "\u2192 " + last.newText)) << "the last change";
    EXPECT_TRUE(InOrder(lines, Texts(form).Text(txt::kProgramVersion) + " :",
                        "V" + model::ImageLayout::VersionText(image)));
    for (const std::string& text :
         {Texts(form).Text(txt::kReportTitle), model::ControllerModel::Identify(image).name,
          std::string("Auto-Gaz Kowalski"), std::string("00-001 Warszawa")})
      EXPECT_TRUE(InOrder(lines, text, "")) << text;
    EXPECT_NE(
        Poppler("pdfimages", {QStringLiteral("-list"), Path(pdf)}).find(" image     600   240 "),
        std::string::npos);
  }
};

TEST_F(ServiceReportTest, SavedPdfHoldsGridChangesIdentityAndWorkshopInPolishAndRussian) {
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "91"});
  ASSERT_TRUE(sim.Running());
  auto form = OpenConnected(sim);
  ASSERT_NE(form, nullptr);
  const link::LinkState& state = State(*form);

  // Two steps of byte 57, confirmed by the controller.
  StepInGrid(*form, 57, 2);
  ASSERT_FALSE(HasFatalFailure());
  const journal::Session& session = form->Parts().journal->Keeper().Journal().CurrentSession();
  ASSERT_GE(session.changes.size(), 2U);
  const journal::Change lastStep = session.changes[1];
  ASSERT_EQ(lastStep.byte, 57);
  // Three seconds of live data for the oscilloscope's picture.
  ASSERT_TRUE(RunUntil([&] { return state.history.WriteIndex() >= 30; }, 30s));

  ReportCommands& report = Report(*form);
  std::filesystem::path next;
  std::vector<std::string> proposed;
  report.SetPathChooser([&](const QString& name) {
    proposed.push_back(name.toStdString());
    return next.string();
  });
  Menu(*form, "MenuFileReport").trigger();
  ReportDialog* dialog = report.Dialog();
  ASSERT_NE(dialog, nullptr);
  QTimer guard;
  GuardMessages(*form, guard);
  dialog->NameEdit()->setText(QStringLiteral("Auto-Gaz Kowalski"));
  dialog->AddressEdit()->setPlainText(QStringLiteral("ul. Długa 5\n00-001 Warszawa"));

  for (const int language : {0, 4}) {
    SCOPED_TRACE("language " + std::to_string(language));
    Commands(*form).SetLanguage(language);
    next = profile_.Folder() / ("report-" + std::to_string(language) + ".pdf");
    QTest::mouseClick(dialog->BtnSave(), Qt::LeftButton);
    ExpectReport(*form, next, lastStep);
  }
  const std::string model = Trimmed(model::ControllerModel::Identify(state.workingCopy).name);
  ASSERT_EQ(proposed.size(), 2U);
  EXPECT_TRUE(proposed[0].ends_with(".pdf") && proposed[0].find(model) != std::string::npos)
      << proposed[0];

  // A folder that does not exist: the message names the file.
  next = profile_.Folder() / "missing" / "report.pdf";
  std::string shown;
  CloseNextMessage(*form, shown);
  QTest::mouseClick(dialog->BtnSave(), Qt::LeftButton);
  EXPECT_TRUE(shown.starts_with(Trimmed(Texts(*form).Text(txt::kCannotOpenFile))) &&
              shown.find("report.pdf") != std::string::npos)
      << shown;

  // Printed through a printer that writes a PDF file, as a print dialog may set it up.
  const std::filesystem::path printed = profile_.Folder() / "printed.pdf";
  report.SetPrinterChooser([&printed](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path(printed));
    return true;
  });
  QTest::mouseClick(dialog->BtnPrint(), Qt::LeftButton);
  EXPECT_TRUE(InOrder(PdfLines(printed), "Auto-Gaz Kowalski", ""));

  // The workshop typed is kept in the settings file at exit.
  dialog->close();
  form.reset();
  const std::string settings = profile_.SettingsText();
  EXPECT_NE(settings.find(R"("WorkshopName"="Auto-Gaz Kowalski")"), std::string::npos) << settings;
  EXPECT_NE(settings.find(R"("WorkshopAddress"="ul. Długa 5\n00-001 Warszawa")"),
            std::string::npos);
}

TEST_F(ServiceReportTest, WithoutAReadControllerTheEntryExplainsWhatItNeeds) {
  const auto form = Open();
  ShowIdle(*form);
  std::string shown;
  CloseNextMessage(*form, shown);
  QTimer guard;
  GuardMessages(*form, guard);
  Menu(*form, "MenuFileReport").trigger();
  EXPECT_EQ(shown, Trimmed(Texts(*form).Text(txt::kReportNeedsController)));
  EXPECT_EQ(Report(*form).Dialog(), nullptr);
}

}  // namespace
}  // namespace zo::app
