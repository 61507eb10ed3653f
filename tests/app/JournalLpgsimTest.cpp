// The change journal against the lpgsim executable over a pseudo-terminal,
// in real time: what the journal holds, replayed over the image read at
// connect, is what the controller holds; Ctrl+Z walks the controller back to
// that image and "back to the state at connect" does it in one step.
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <random>

#include "app/FileCommands.h"
#include "app/MainPages.h"
#include "app/PluggedControllerRig.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/ParameterGridView.h"
#include "app/windows/CompareDialog.h"
#include "app/windows/HistoryWindow.h"
#include "journal/ChangeJournal.h"
#include "journal/ControllerKey.h"
#include "journal/JournalFolder.h"
#include "journal/UndoHistory.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;

class JournalLpgsimTest : public PluggedControllerRig {
 protected:
  // The controller's parameter bytes, those it changes itself left out.
  [[nodiscard]] std::vector<int> Differing(const link::ImageArea& image) const {
    std::vector<int> bytes;
    for (int i = 0; i < link::kImageSize; ++i)
      if (!journal::IsControllerOwned(i) &&
          Stored(static_cast<std::size_t>(i)) != image[static_cast<std::size_t>(i)])
        bytes.push_back(i);
    return bytes;
  }
  [[nodiscard]] std::vector<journal::Change> SessionChanges(const TForm1& form) const {
    journal::JournalFolder folder(profile_.Folder() / "journal");
    const auto sessions =
        journal::ChangeJournal::Load(folder, Keeper(form).Journal().Key().FileName());
    return sessions.empty() ? std::vector<journal::Change>{} : sessions.back().changes;
  }
  // One step of a random parameter row, up or down, that changes its byte.
  static bool RandomEdit(TForm1& form, std::mt19937& random) {
    ParameterGridView& grid = ParameterView(form);
    for (int attempt = 0; attempt < 100; ++attempt) {
      grid.SelectRow(1 + static_cast<int>(random() % 120));
      const model::ParameterRow* row = grid.SelectedParameter();
      if (row == nullptr || row->byte < 0) continue;
      const auto byte = static_cast<std::size_t>(row->byte);
      const std::uint8_t before = State(form).workingCopy[byte];
      const bool up = random() % 2 == 0;
      grid.StepSelected(up);
      if (State(form).workingCopy[byte] == before) grid.StepSelected(!up);
      if (State(form).workingCopy[byte] != before) return true;
    }
    return false;
  }
};

TEST_F(JournalLpgsimTest, ReplayUndoAndBackToConnectAgreeWithTheController) {
  auto sim = Plug({"--scenario", "four-cylinder"});
  const auto form = Connect();
  ASSERT_TRUE(RunUntil([&] { return Settled(*form); }, 30s));
  ASSERT_TRUE(Keeper(*form).AtConnect());
  const link::ImageArea atConnect = *Keeper(*form).AtConnect();
  const std::size_t before = SessionChanges(*form).size();

  std::mt19937 random(2026);
  for (int edit = 0; edit < 50; ++edit) {
    ASSERT_TRUE(RandomEdit(*form, random));
    ASSERT_TRUE(RunUntil([&] { return Settled(*form); }, 10s)) << "edit " << edit;
  }
  // A sensor type brings its dependent bytes along: one Ctrl+Z all the same.
  EXPECT_GT(SessionChanges(*form).size(), before + 50);
  for (int undo = 0; undo < 50; ++undo) {
    Press(*form, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(RunUntil([&] { return Settled(*form); }, 10s)) << "undo " << undo;
  }
  EXPECT_EQ(Differing(atConnect), std::vector<int>{}) << "50 Ctrl+Z";
  Press(*form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Settled(*form)) << "nothing more to take back";

  // A parameter file, a few more edits and an autoconfiguration run.
  link::ImageArea file = atConnect;
  file[57] = static_cast<std::uint8_t>(file[57] + 3);
  file[64] = static_cast<std::uint8_t>(file[64] + 5);
  const auto zop = profile_.Folder() / "other.zop";
  std::ofstream(zop, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), link::kImageSize);
  Files(*form).SetPathChooser([&](const FileChoice&) { return zop.string(); });
  Files(*form).OpenParameters();
  ASSERT_TRUE(RunUntil([&] { return Settled(*form) && Stored(57) == file[57]; }, 10s));
  for (int edit = 0; edit < 5; ++edit) {
    ASSERT_TRUE(RandomEdit(*form, random));
    ASSERT_TRUE(RunUntil([&] { return Settled(*form); }, 10s));
  }
  Pages(*form).TabClick(PageButton::Configuration);
  Configuration(*form).PetrolButton()->click();
  const autoconfig::Autoconfig& wizard = Wizard(*form);
  for (const int step : {6, 15, 18}) {
    ASSERT_TRUE(RunUntil([&] { return wizard.StepNumber() == step; }, 60s)) << wizard.StepNumber();
    Configuration(*form)
        .Button(step == 18 ? autoconfig::WizardButton::Ok : autoconfig::WizardButton::Next)
        ->click();
  }
  ASSERT_TRUE(RunUntil([&] { return wizard.StepNumber() == 0 && Settled(*form); }, 30s));
  Pages(*form).TabClick(PageButton::Parameters);

  const std::vector<journal::Change> changes = SessionChanges(*form);
  using C = link::ChangeCause;
  for (const C cause : {C::GridEdit, C::Undo, C::ParameterFile, C::Autoconfiguration})
    EXPECT_TRUE(std::any_of(changes.begin(), changes.end(), [cause](const journal::Change& c) {
      return c.cause == cause;
    })) << journal::CauseToken(cause);
  link::ImageArea replayed = atConnect;
  journal::Replay(replayed, changes);
  EXPECT_EQ(Differing(replayed), std::vector<int>{}) << "the journal replayed";
  EXPECT_FALSE(Differing(atConnect).empty());

  // The history shows this session; going back is one step.
  JournalMenu(*form).ShowHistory();
  HistoryWindow* history = JournalMenu(*form).History();
  ASSERT_NE(history, nullptr);
  ASSERT_GE(history->Tree()->topLevelItemCount(), 1);
  EXPECT_EQ(static_cast<std::size_t>(history->Tree()->topLevelItem(0)->childCount()),
            changes.size());
  history->close();
  JournalMenu(*form).BackToConnect();
  CompareDialog* back = JournalMenu(*form).BackDialog();
  ASSERT_NE(back, nullptr);
  EXPECT_GT(back->Table()->rowCount(), 0);
  back->BtnLoad()->click();
  EXPECT_TRUE(RunUntil([&] { return Settled(*form) && Differing(atConnect).empty(); }, 20s));
  EXPECT_EQ(SessionChanges(*form).back().cause, C::BackToConnect);

  // The differences shown for this controller, the Yes given after another
  // was plugged in: nothing of the first goes into the second, and the
  // second's undo list is empty.
  ASSERT_TRUE(RandomEdit(*form, random));
  ASSERT_TRUE(RunUntil([&] { return Settled(*form); }, 10s));
  JournalMenu(*form).BackToConnect();
  const QPointer<CompareDialog> shown = JournalMenu(*form).BackDialog();
  ASSERT_NE(shown, nullptr);
  sim->Stop(SIGKILL);
  sim = Plug({"--model", "150"}, (profile_.Folder() / "other.bin").string());
  ASSERT_TRUE(RunUntil([&] { return ReadAgain(*form, *sim) && Settled(*form); }, 30s, shown));
  ASSERT_NE(shown, nullptr);
  shown->BtnLoad()->click();
  EXPECT_TRUE(Settled(*form)) << "written into another controller";
  Press(*form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(Settled(*form)) << "undone in another controller";
}

}  // namespace
}  // namespace zo::app
