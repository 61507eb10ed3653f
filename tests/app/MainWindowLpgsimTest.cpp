// The main window against the lpgsim executable over a pseudo-terminal, in
// real time: the controller identified and read, live data polled, the
// missing installation date and grid edits written to the controller, one of
// them made while a transaction waits; and the program itself started as a
// process, ended by SIGTERM.
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <fstream>

#include "FactoryImage.h"
#include "LpgsimProcess.h"
#include "app/MainWindowRig.h"
#include "app/views/ParameterGridView.h"
#include "app/views/ScopeView.h"
#include "app/views/SignalListView.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalFolder.h"
#include "model/ControllerModel.h"
#include "platform/LocalClock.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;

// Whether lpgsim was asked to write each of these values, as {byte, value}.
bool Written(const test::LpgsimProcess& sim, const std::vector<std::pair<int, int>>& writes) {
  const auto requests = sim.Requests();
  return std::all_of(writes.begin(), writes.end(), [&](const std::pair<int, int>& write) {
    return std::any_of(requests.begin(), requests.end(), [&](const test::LoggedRequest& r) {
      return r.command == 0xAA && r.frame.size() == 4 && r.frame[1] == write.first &&
             r.frame[2] == write.second;
    });
  });
}

bool HasColour(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

using MainWindowLpgsimTest = MainWindowRig;

TEST_F(MainWindowLpgsimTest, ReadsPollsAndWritesTheDateAndAnEdit) {
  // A Vela100 whose installation date was never set, from a parameter file.
  auto image = lpgsim::FactoryImage::Build(100, 179, 255);
  std::fill(image.begin() + 168, image.begin() + 172, std::uint8_t{255});
  const auto zop = profile_.Folder() / "blank-date.zop";
  std::ofstream(zop, std::ios::binary)
      .write(reinterpret_cast<const char*>(image.data()), std::ssize(image));
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(),
                                {"--port", "77", "--image", zop.string()});
  ASSERT_TRUE(sim.Running());
  profile_.SelectPort(sim.Port());
  const auto form = Open();
  form->show();
  ASSERT_TRUE(RunUntil(
      [&] { return State(*form).connectionState == link::ConnectionState::ControllerRead; }, 60s));

  EXPECT_EQ(model::ControllerModel::Identify(State(*form).workingCopy).name, " Vela100");
  EXPECT_TRUE(form->windowTitle().contains(" Vela100")) << form->windowTitle().toStdString();
  const int first = State(*form).history.WriteIndex();
  EXPECT_TRUE(RunUntil(
      [&] { return State(*form).history.WriteIndex() != first && State(*form).statusByte != 255; },
      30s))
      << "live data polled";

  const model::CalendarDate today = platform::LocalClock().Today();
  const int year = today.year % 100;
  const int sum = (year + today.month + today.day) & 255;
  EXPECT_TRUE(RunUntil(
      [&] {
        return Written(sim, {{168, year}, {169, today.month}, {170, today.day}, {171, sum}});
      },
      30s))
      << "installation date written";

  ParameterGridView& grid = ParameterView(*form);
  for (int row = 1; grid.SelectedParameter() == nullptr || grid.SelectedParameter()->byte != 57;
       ++row) {
    ASSERT_LT(row, 200) << "no row for byte 57";
    grid.SelectRow(row);
  }
  grid.StepSelected(true);
  EXPECT_EQ(State(*form).workingCopy[57], image[57] + 1);
  // The next transaction writes that step; a second step arrives by key while
  // it waits. The controller holds the first value, so the second follows it.
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  bool stepped = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (stepped || !State(*form).busy) return;
    stepped = true;
    Press(*form, Qt::Key_Right);
  });
  probe.start(1);
  ASSERT_TRUE(RunUntil([&] { return stepped; }, 30s));
  EXPECT_EQ(State(*form).workingCopy[57], image[57] + 2) << "the key reached the grid";
  EXPECT_TRUE(RunUntil(
      [&] {
        return Written(sim, {{57, image[57] + 1}, {57, image[57] + 2}});
      },
      30s))
      << "both steps written";
  EXPECT_TRUE(RunUntil([&] { return State(*form).controllerCopy[57] == image[57] + 2; }, 30s));

  // Ctrl+Z takes the steps back one by one through the write-back, Ctrl+Y
  // brings one again; each confirmed write is in this controller's journal.
  for (int undo = 0; undo < 2; ++undo) {
    Press(*form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(
        RunUntil([&] { return State(*form).controllerCopy[57] == image[57] + 1 - undo; }, 30s));
  }
  Press(*form, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_TRUE(RunUntil([&] { return State(*form).controllerCopy[57] == image[57] + 1; }, 30s));
  journal::JournalFolder folder(profile_.Folder() / "journal");
  ASSERT_EQ(folder.List().size(), 1U);
  const auto sessions = journal::ChangeJournal::Load(folder, folder.List()[0]);
  ASSERT_EQ(sessions.size(), 1U);
  std::vector<std::pair<int, link::ChangeCause>> steps;
  for (const journal::Change& change : sessions[0].changes)
    if (change.byte == 57) steps.emplace_back(change.newValue, change.cause);
  using C = link::ChangeCause;
  EXPECT_EQ(steps, (std::vector<std::pair<int, C>>{{image[57] + 1, C::GridEdit},
                                                   {image[57] + 2, C::GridEdit},
                                                   {image[57] + 1, C::Undo},
                                                   {image[57], C::Undo},
                                                   {image[57] + 1, C::Redo}}));

  // The oscilloscope draws the RPM trace as samples arrive; Enter stops it,
  // the history stays as it is, and the scroll bar picks the sample shown.
  ScopeView& scope = Scope(*form);
  EXPECT_TRUE(RunUntil([&] { return HasColour(scope.Image(), qRgb(255, 0, 0)); }, 10s));
  Press(*form, Qt::Key_Return);
  ASSERT_FALSE(State(*form).scopeRunning);
  EXPECT_TRUE(scope.ScrollBar()->isVisible());
  const int stoppedAt = State(*form).history.WriteIndex();
  QTest::qWait(400);
  EXPECT_EQ(State(*form).history.WriteIndex(), stoppedAt);
  const int position = scope.ScrollBar()->minimum() + 10;
  scope.ScrollBar()->setValue(position);
  EXPECT_EQ(
      scope.findChild<QLabel*>("LabelTim")->text().toStdString(),
      visual::ScopeState::TimeCaption(position + 1, QLocale().decimalPoint().at(0).toLatin1()));
  Press(*form, Qt::Key_Return);
  EXPECT_TRUE(RunUntil([&] { return State(*form).history.WriteIndex() != stoppedAt; }, 10s));
}

// Service mode's Processor page over a model-80 controller: pin names and
// states, the analogue inputs, the RAM dump up to its last block, and the
// remembered view.
TEST_F(MainWindowLpgsimTest, ProcessorPagesShowPinsInputsAndDumps) {
  const test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "86", "--model", "80"});
  ASSERT_TRUE(sim.Running());
  profile_.SelectPort(sim.Port());
  const auto form = Open();
  form->show();
  ASSERT_TRUE(RunUntil(
      [&] { return State(*form).connectionState == link::ConnectionState::ControllerRead; }, 60s));
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  for (const char letter : KeyRules::kServiceSequence)
    Press(*form, static_cast<Qt::Key>(letter));
  Pages(*form).TabClick(PageButton::Processor);
  ASSERT_EQ(State(*form).activePage, link::Page::Port);

  const ParameterGridView& grid = ParameterView(*form);
  const SignalListView& list = SignalView(*form);
  EXPECT_EQ(grid.Cell(0, 0), "Port :");
  EXPECT_EQ(grid.Cell(1, 0), "B.0 Sw8-LAM");
  EXPECT_EQ(grid.Cell(7, 0), "");
  EXPECT_EQ(grid.Cell(24, 0), "D.7 Sw7-LAM");
  EXPECT_EQ(list.Cell(0, 0), "Przetwornik :");
  EXPECT_EQ(list.Cell(2, 0) + "/" + list.Cell(2, 2), "ADC1/TPS");
  ASSERT_TRUE(RunUntil([&] { return !grid.Cell(24, 1).empty(); }, 10s));
  EXPECT_EQ(grid.Cell(17, 1) + grid.Cell(18, 1), "11") << "RXD and TXD idle high";
  EXPECT_TRUE(list.Cell(8, 1).ends_with(" [V]")) << list.Cell(8, 1);

  Pages(*form).PageButtonNClick(1);
  ASSERT_EQ(State(*form).activePage, link::Page::Ram);
  EXPECT_EQ(grid.Cell(0, 11) + grid.Cell(16, 0), "0A_F");
  EXPECT_EQ(grid.Cell(0, 39), "26_");
  EXPECT_TRUE(RunUntil([&] { return !grid.Cell(16, 39).empty(); }, 20s)) << "RAM page 38 shown";

  Pages(*form).TabClick(PageButton::Parameters);
  Pages(*form).PageButtonNClick(2);
  EXPECT_EQ(State(*form).activePage, link::Page::Parameters) << "only remembered";
  Pages(*form).TabClick(PageButton::Processor);
  EXPECT_EQ(State(*form).activePage, link::Page::Eeprom);
  EXPECT_TRUE(RunUntil([&] { return !grid.Cell(16, 33).empty(); }, 20s)) << "EEPROM row 32";
}

TEST_F(MainWindowLpgsimTest, ProgramEndsOnSigtermAndWritesItsSettings) {
  test::LpgsimProcess sim(LPGSIM_EXE, profile_.Config(), {"--port", "78"});
  ASSERT_TRUE(sim.Running());
  profile_.SelectPort(sim.Port());
  test::ProgramProcess program(ZOLPGWIN_EXE, profile_);
  ASSERT_GT(program.Pid(), 0);
  const bool polling = test::WaitFor(
      [&] {
        const auto requests = sim.Requests();
        return std::any_of(requests.begin(), requests.end(),
                           [](const test::LoggedRequest& r) { return r.command == 0x33; });
      },
      60s, 100ms);
  ASSERT_TRUE(polling) << "the program read the controller and polls live data";
  EXPECT_EQ(program.Stop(SIGTERM), 0);
  const std::string settings = profile_.SettingsText();
  EXPECT_NE(settings.find("\"Comm\"=dword:0000004e"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\"WWidth\""), std::string::npos) << "written at exit";
  EXPECT_EQ(settings.find("AutoScan"), std::string::npos) << "a controller was identified";
}

}  // namespace
}  // namespace zo::app
