// The Help command on the main window, offscreen: the help window that closes
// when left or on Esc, and the help file of a language other than Polish, read
// when it is write-protected and reported when it is missing.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <filesystem>
#include <fstream>

#include "app/MainWindowRig.h"
#include "app/QtText.h"
#include "app/windows/HelpTopics.h"
#include "app/windows/TFormMsg.h"
#include "texts/LanguageRules.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;
using MainWindowHelpTest = MainWindowRig;

TEST_F(MainWindowHelpTest, CloseWhenLeftClosesTheHelpWindowWhenTheMainWindowIsActivated) {
  settings::Settings settings{profile_.Folder().string()};
  settings.help = 2;
  ASSERT_EQ(settings::SettingsFile(profile_.SettingsPath())
                .Save(settings, profile_.Folder().string(), true),
            "");
  const auto form = Open();
  // Low on the screen: the help window beside it is shortened to end there.
  const QRect screen = form->screen()->availableGeometry();
  const int top = screen.y() + screen.height() - 420;
  form->move(screen.x(), top);
  ShowIdle(*form);
  ASSERT_EQ(form->frameGeometry().top(), top);
  Press(*form, Qt::Key_F1);
  HelpTopics& help = Help(*form);
  ASSERT_TRUE(help.IsOpen());
  EXPECT_EQ(help.Window()->frameGeometry().bottom(), screen.bottom());
  EXPECT_EQ(help.Window()->windowTitle(), "POMOC");
  EXPECT_TRUE(help.Window()->Text().empty()) << "Polish help without a controller";
  help.Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(help.Window()));

  form->activateWindow();
  EXPECT_TRUE(RunUntil([&help] { return !help.IsOpen(); }, 2s));
}

TEST_F(MainWindowHelpTest, WriteProtectedHelpFileOpensAndAMissingOneIsReported) {
  const auto form = Open();
  ShowIdle(*form);
  Commands(*form).SetLanguage(texts::kEnglish);
  QTimer guard;
  GuardMessages(*form, guard);
  QString shown;
  QTimer::singleShot(0, form.get(), [&form, &shown] {
    TFormMsg* dialog = Messages(*form).Current();
    ASSERT_NE(dialog, nullptr);
    shown = dialog->Label1()->text();
    QTest::mouseClick(dialog->BitBtnOk(), Qt::LeftButton);
  });
  Press(*form, Qt::Key_F1);
  EXPECT_EQ(shown, Q(Texts(*form).Text(702) + "help.txt"));
  EXPECT_FALSE(Help(*form).IsOpen());

  const auto file = profile_.Folder() / "help.txt";
  std::ofstream(file) << "HELP\r\nCOIL TYPE - how the engine speed is counted\r\n";
  std::filesystem::permissions(file, std::filesystem::perms::owner_read);
  Press(*form, Qt::Key_F1);
  ASSERT_TRUE(Help(*form).IsOpen());
  EXPECT_EQ(Help(*form).Window()->Text(), "HELP\nCOIL TYPE - how the engine speed is counted\n");
  EXPECT_EQ(Help(*form).Window()->windowTitle(), "HELP");
  QTest::keyClick(Help(*form).Window()->RichEdit1(), Qt::Key_Escape);
  EXPECT_FALSE(Help(*form).IsOpen());
}

}  // namespace
}  // namespace zo::app
