// A pulled cable, in real time: the lpgsim executable killed with SIGKILL and
// started again on the same port, keeping its parameter image as a real
// controller keeps its EEPROM, while the main window writes an edit, runs the
// autoconfiguration or uploads firmware; and a second program on a port that
// the first one uses.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <fstream>

#include "../firmware/FirmwareTestFiles.h"
#include "LpgsimProcess.h"
#include "SimulatorProgram.h"
#include "app/PluggedControllerRig.h"
#include "app/QtText.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/ParameterGridView.h"
#include "app/windows/TFormBar.h"
#include "app/windows/TFormMsg.h"
#include "app/windows/UploadWindow.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;
using test::LpgsimProcess;

class CablePullTest : public PluggedControllerRig {};

// A VelaXL 1.77, whose write acknowledgement is taken without its checks.
TEST_F(CablePullTest, AnEditCountsAsWrittenOnlyWhenTheControllerHasIt) {
  auto sim = Plug({"--model", "80", "--version", "177"});
  const auto form = Connect();
  ParameterGridView& grid = ParameterView(*form);
  for (int row = 1; grid.SelectedParameter() == nullptr || grid.SelectedParameter()->byte != 57;
       ++row) {
    ASSERT_LT(row, 200) << "no row for byte 57";
    grid.SelectRow(row);
  }
  const int before = State(*form).controllerCopy[57];

  // The write reaches the controller, its acknowledgement does not come
  // back: it is sent again, never taken as written, until the cable is out.
  sim->ToggleSilence();
  ASSERT_TRUE(RunUntil([&] { return State(*form).failureCounter >= 2; }, 10s));
  grid.StepSelected(true);
  EXPECT_TRUE(RunUntil([&] { return Count(*sim, 0xAA, 57, before + 1) >= 2; }, 10s));
  EXPECT_EQ(State(*form).controllerCopy[57], before);
  sim->Stop(SIGKILL);
  sim = Plug();
  ASSERT_TRUE(RunUntil([&] { return ReadAgain(*form, *sim); }, 30s));
  EXPECT_EQ(State(*form).workingCopy[57], before + 1) << "as the controller holds it";

  // Out before the next step is written: the controller is read as it is.
  sim->Stop(SIGKILL);
  grid.StepSelected(true);
  ASSERT_TRUE(RunUntil(
      [&] { return State(*form).connectionState == link::ConnectionState::NotConnected; }, 10s));
  EXPECT_EQ(State(*form).controllerCopy[57], before + 1);
  sim = Plug();
  ASSERT_TRUE(RunUntil([&] { return ReadAgain(*form, *sim); }, 30s));
  EXPECT_EQ(State(*form).workingCopy[57], before + 1);
  EXPECT_EQ(Stored(57), before + 1);
}

TEST_F(CablePullTest, AnAutoconfigurationCutOffLeavesTheControllerAsItWas) {
  auto sim = Plug({"--scenario", "four-cylinder"});
  const auto form = Connect();
  std::array<int, 8> original{};
  for (std::size_t i = 0; i < original.size(); ++i)
    original[i] = Stored(autoconfig::Autoconfig::kBackedUp[i]);
  Pages(*form).TabClick(PageButton::Configuration);
  Configuration(*form).PetrolButton()->click();
  // Measuring the coil, whose reference setting the controller has; the
  // thresholds are found meanwhile.
  const autoconfig::Autoconfig& wizard = Wizard(*form);
  ASSERT_TRUE(RunUntil(
      [&] {
        return wizard.StepNumber() == 4 && wizard.Found().tpsThreshold > 0 && Stored(32) == 5;
      },
      30s));

  // Plugged in again at once: the procedure is over all the same.
  sim->Stop(SIGKILL);
  sim = Plug({"--scenario", "four-cylinder"});
  ASSERT_TRUE(RunUntil([&] { return ReadAgain(*form, *sim) && Settled(*form); }, 30s));
  for (std::size_t i = 0; i < original.size(); ++i)
    EXPECT_EQ(Stored(autoconfig::Autoconfig::kBackedUp[i]), original[i]) << i;
  EXPECT_EQ(wizard.StepNumber(), 0);
  EXPECT_FALSE(Shown(*form, 740)) << "nothing measured is offered for use";
  EXPECT_FALSE(Shown(*form, 981));
}

TEST_F(CablePullTest, AnotherControllerPluggedInAfterACutOffKeepsItsOwnSetUp) {
  auto sim = Plug({"--scenario", "four-cylinder"});
  const auto form = Connect();
  Pages(*form).TabClick(PageButton::Configuration);
  Configuration(*form).PetrolButton()->click();
  ASSERT_TRUE(RunUntil([&] { return Wizard(*form).StepNumber() == 4 && Stored(32) == 5; }, 30s));

  // Another message is still open when the read ends: the notice waits for
  // it instead of being lost.
  answer_.stop();
  QTimer::singleShot(0, form.get(), [&form] {
    Messages(*form).ShowMessage("still open", " Viz Uwaga ! ", link::MsgIcon::Warning,
                                link::MsgButtons::Ok);
  });
  QTimer closeLater;
  QObject::connect(&closeLater, &QTimer::timeout, [&] {
    TFormMsg* open = Messages(*form).Current();
    if (!ReadAgain(*form, *sim) || !Settled(*form) || open == nullptr) return;
    closeLater.stop();
    QTimer::singleShot(500, open, [open] { open->BitBtnOk()->click(); });
  });
  closeLater.start(20);
  sim->Stop(SIGKILL);
  sim = Plug({"--model", "150"}, (profile_.Folder() / "other.bin").string());
  ASSERT_TRUE(RunUntil([&] { return ReadAgain(*form, *sim) && Settled(*form); }, 30s));
  answer_.start(20);
  EXPECT_FALSE(WroteSince(*sim, 0)) << "the first controller's set-up went into the second";
  EXPECT_TRUE(RunUntil([&] { return Shown(*form, 981); }, 5s));
}

TEST_F(CablePullTest, AnUploadCutOffIsReportedAndTheBootLoaderIsProgrammedAfterwards) {
  const auto firmware = profile_.Folder() / "Firmware";
  std::filesystem::create_directories(firmware);
  test::WriteImage(firmware / "v180.img", lpgsim::SimulatorProgram::Make(1024, 100, 180), 100, 180,
                   "Next");
  auto sim = Plug();
  const auto form = Connect();
  Pages(*form).TabClick(PageButton::Upgrade);
  auto* btn1 = form->findChild<QPushButton*>("Btn1");
  ASSERT_TRUE(btn1 != nullptr && btn1->isVisible());

  // Out in the middle of the blocks; the controller, plugged in again,
  // waits in its boot loader with the programming unfinished.
  QTimer pull;
  QObject::connect(&pull, &QTimer::timeout, [&] {
    if (State(*form).programming.blockNumber < 20 || !Upload(*form).Window()) return;
    pull.stop();
    sim->Stop(SIGKILL);
    sim = Plug({"--boot", "0"});
  });
  pull.start(5);
  QTimer::singleShot(0, btn1, &QPushButton::click);
  ASSERT_TRUE(RunUntil(
      [&] { return State(*form).connectionState == link::ConnectionState::UploadOnly; }, 30s));
  EXPECT_TRUE(Shown(*form, 909));
  EXPECT_FALSE(Shown(*form, 910) || Shown(*form, 911));
  EXPECT_TRUE(Shown(*form, 921)) << "the boot loader's report";
  EXPECT_TRUE(form->isEnabled());
  EXPECT_EQ(Upload(*form).Window(), nullptr);

  QTimer::singleShot(0, btn1, &QPushButton::click);
  ASSERT_TRUE(RunUntil([&] { return Shown(*form, 911) && ReadAgain(*form, *sim); }, 30s));
  EXPECT_EQ(State(*form).workingCopy[1], 180);
}

TEST_F(CablePullTest, ASecondProgramIsToldThePortIsInUseAndTheFirstPollsOn) {
  const auto sim = Plug();
  test::ProgramProfile first;
  first.SelectPort(kPort);
  std::filesystem::create_symlink(sim->Device(),
                                  first.PortFolder() / ("COM" + std::to_string(kPort)));
  test::ProgramProcess program(ZOLPGWIN_EXE, first);
  ASSERT_TRUE(test::WaitFor([&] { return Count(*sim, 0x33) > 0; }, 60s, 100ms));

  profile_.SelectPort(kPort);
  const auto form = Open();
  form->show();
  const QString busy = Q(Texts(*form).Text(971));
  ASSERT_TRUE(RunUntil(
      [&] {
        const auto* bar = form->findChild<TFormBar*>();
        return bar != nullptr && bar->Memo1()->toPlainText().contains(busy);
      },
      10s));
  EXPECT_FALSE(State(*form).connected);
  const int polls = Count(*sim, 0x33);
  EXPECT_TRUE(RunUntil([&] { return Count(*sim, 0x33) >= polls + 10; }, 10s));
  EXPECT_EQ(Count(*sim, 0x55, 0), 1) << "the first program never lost its link";
}

}  // namespace
}  // namespace zo::app
