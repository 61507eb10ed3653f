// The main window on the offscreen platform in a temporary profile: the
// start-up state, keyboard commands through the real key path, the port
// menus and the settings at exit.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <filesystem>

#include "app/ApplicationNames.h"
#include "app/MainWindowRig.h"
#include "app/views/ConfigurationPage.h"
#include "app/views/MainMenus.h"
#include "app/views/ParameterGridView.h"
#include "app/views/TopPanel.h"
#include "app/widgets/TabLabel.h"
#include "app/windows/TFormMsg.h"
#include "app/windows/TFormZo.h"

namespace zo::app {
namespace {

using namespace std::chrono_literals;
using link::Page;

using MainWindowTest = MainWindowRig;

TEST_F(MainWindowTest, StartsWithTheDefaultsWithoutASettingsFile) {
  const auto form = Open();
  EXPECT_EQ(form->windowTitle(), "Zo Viz V1.79");
  EXPECT_EQ(Top(*form).VisibleButtons(), (PageButtonVisibility{true, false, false, false}));
  EXPECT_EQ(State(*form).activePage, Page::Parameters);
  EXPECT_TRUE(State(*form).reconnectRequest);
  EXPECT_EQ(State(*form).statusByte, 255);
  for (const auto* image : {&State(*form).workingCopy, &State(*form).controllerCopy}) {
    for (std::size_t i = 0; i < image->size(); ++i)
      ASSERT_EQ((*image)[i], i < 25 ? 0 : 255) << "byte " << i;
  }
}

TEST_F(MainWindowTest, KeysCycleLayoutsStopTheLinkAndToggleTheHiddenModes) {
  const auto form = Open();
  ShowIdle(*form);
  for (const int layout : {1, 2, 0}) {
    Press(*form, Qt::Key_F9);
    EXPECT_EQ(WindowLayout(*form), layout);
  }
  Press(*form, Qt::Key_F4);  // TabCfg hidden: nothing
  EXPECT_EQ(State(*form).activePage, Page::Parameters);

  Press(*form, Qt::Key_Control);
  Press(*form, Qt::Key_Q);
  EXPECT_FALSE(State(*form).reconnectRequest);
  EXPECT_EQ(Top(*form).VisibleButtons(), (PageButtonVisibility{true, true, false, false}));
  Press(*form, Qt::Key_F4);
  EXPECT_EQ(State(*form).activePage, Page::Configuration);
  Press(*form, Qt::Key_F9);
  EXPECT_EQ(WindowLayout(*form), 0) << "layouts change only on the Parameters page";

  for (const char letter : KeyRules::kServiceSequence)
    Press(*form, static_cast<Qt::Key>(letter));
  EXPECT_TRUE(ServiceMode(*form));
  EXPECT_EQ(Top(*form).VisibleButtons(), (PageButtonVisibility{true, true, true, true}));

  QTimer guard;
  GuardMessages(*form, guard);
  for (const auto& [quillon, text] :
       {std::pair{true, "Transmisja QUILLON"}, std::pair{false, "Transmisja Zo"}}) {
    QString shown;
    QTimer::singleShot(0, form.get(), [&form, &shown] {
      TFormMsg* dialog = Messages(*form).Current();
      ASSERT_NE(dialog, nullptr);
      shown = dialog->Label1()->text();
      QTest::mouseClick(dialog->BitBtnOk(), Qt::LeftButton);
    });
    for (const char letter : KeyRules::kProtocolSequence)
      Press(*form, static_cast<Qt::Key>(letter));
    EXPECT_EQ(State(*form).quillon, quillon);
    EXPECT_EQ(shown.trimmed(), text);
  }
}

TEST_F(MainWindowTest, HelpItemsOpenAboutAndInformationWindowsSideBySide) {
  const auto form = Open();
  ShowIdle(*form);
  Menu(*form, "MenuHelpAbout").trigger();
  Menu(*form, "PopMenAbout").trigger();
  Menu(*form, "PopMenControl").trigger();  // no controller: version 0.00, nothing read
  const auto windows = form->findChildren<TFormZo*>();
  ASSERT_EQ(windows.size(), 3);
  for (const TFormZo* about : {windows[0], windows[1]}) {
    EXPECT_EQ(about->windowTitle(), "ZoLpgWin");
    EXPECT_EQ(about->Label(4)->text(), "Wersja programu : V1.79");
  }
  EXPECT_EQ(windows[2]->windowTitle(), "Kontroler sondy lambda  0");
  EXPECT_EQ(windows[2]->Label(1)->text(), "Wersja programu :\tV0.00");
  EXPECT_TRUE(windows[2]->Label(5)->text().isEmpty());
}

TEST_F(MainWindowTest, PortMenusListThePortFolderWhenOpened) {
  for (const char* name : {"COM12", "COM5"})
    std::filesystem::create_symlink("/dev/null", profile_.PortFolder() / name);
  std::ofstream(profile_.PortFolder() / "COM9") << "not a device";
  const auto form = Open();
  const auto ports = [&form](QMenu* menu) {
    emit menu->aboutToShow();
    QStringList captions;
    for (const QAction* action : menu->actions()) {
      const QString shown = QString(action->text()).remove('&');  // the mnemonic mark
      if (shown.startsWith("Com ")) captions << shown;
    }
    return captions;
  };
  auto& menuPort = Menu<QMenu>(*form, "MenuPort");
  auto& popupMenuCom = Menu<QMenu>(*form, "PopupMenuCom");
  for (QMenu* menu : {&menuPort, &popupMenuCom}) {
    const QStringList captions = ports(menu);
    EXPECT_EQ(menu->actions().first()->objectName(),
              menu == &menuPort ? "MenuPortNone" : "MenuCommNone");
    ASSERT_GE(captions.indexOf("Com 5"), 0);
    EXPECT_GT(captions.indexOf("Com 12"), captions.indexOf("Com 5"));
    EXPECT_FALSE(captions.contains("Com 9")) << "only links to character devices";
  }
  std::filesystem::remove(profile_.PortFolder() / "COM12");
  EXPECT_FALSE(ports(&popupMenuCom).contains("Com 12")) << "rebuilt at each opening";
  // After the ports, opened once more: one separator, the check, the trace.
  ports(&menuPort);
  const auto actions = menuPort.actions();
  ASSERT_GE(actions.size(), 3);
  EXPECT_TRUE(actions[actions.size() - 3]->isSeparator());
  EXPECT_EQ(actions[actions.size() - 2]->objectName(), "MenuPortCheck");
  EXPECT_EQ(actions.last()->objectName(), "MenuPortTrace");
  EXPECT_EQ(std::count_if(actions.begin(), actions.end(),
                          [](const QAction* action) { return action->isSeparator(); }),
            1);
}

TEST_F(MainWindowTest, ClosingWritesTheSettingsChangedByKeys) {
  auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_F12);
  Press(*form, Qt::Key_F11);
  form->findChild<QAbstractButton*>("BtnDownX")->click();
  EXPECT_EQ(form->findChild<QLabel*>("LabelXScope")->text(), "5 s/dz");
  form.reset();
  const settings::Settings stored =
      settings::SettingsFile(profile_.SettingsPath()).Load(profile_.Folder().string());
  EXPECT_EQ(stored.fontSize, 12);
  EXPECT_EQ(stored.lang, 1);
  EXPECT_EQ(stored.trackX, 2);
  EXPECT_NE(profile_.SettingsText().find("\"AutoScan\"=dword:00000000"), std::string::npos)
      << "no controller answered in this run";
}

TEST_F(MainWindowTest, StoredScopeAndWindowStateAreShownAndWrittenBack) {
  settings::Settings stored(profile_.Folder().string());
  stored.trackX = 4;
  stored.scale = 1;
  stored.vertical = 2;
  stored.bounds = settings::WindowBounds{};
  stored.wState = settings::Settings::kMinimised;
  ASSERT_EQ(settings::SettingsFile(profile_.SettingsPath())
                .Save(stored, profile_.Folder().string(), true),
            "");
  auto form = Open();
  form->show();
  EXPECT_TRUE(form->isMinimized());
  EXPECT_EQ(form->findChild<QLabel*>("LabelXScope")->text(), "2.5 s/dz");
  EXPECT_EQ(form->findChild<QAbstractButton*>("BtnIlosc")->text(), " 2 ");
  form.reset();
  const settings::Settings written =
      settings::SettingsFile(profile_.SettingsPath()).Load(profile_.Folder().string());
  EXPECT_EQ(written.trackX, 4);
  EXPECT_EQ(written.scale, 1);
  EXPECT_EQ(written.vertical, 2);
  EXPECT_EQ(written.wState, settings::Settings::kMinimised);
}

TEST_F(MainWindowTest, WindowCaptionsGetNoSuffix) {
  // The window system appends the application's display name to every
  // caption when it has one of its own; without, it follows the name.
  ApplicationNames::Set();
  QApplication::setApplicationName(QStringLiteral("Renamed"));
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Renamed");
  ApplicationNames::Set();
}

TEST_F(MainWindowTest, ConfigurationPageShowsTheWizardBesideTheNarrowedScope) {
  const auto form = Open();
  ShowIdle(*form);
  Press(*form, Qt::Key_Control);
  Press(*form, Qt::Key_Q);
  Press(*form, Qt::Key_F4);
  ConfigurationPage& page = Configuration(*form);
  Wizard(*form).ConfigurationStep();  // step 0: the start texts, only the start buttons
  const auto* memo = form->findChild<QTextEdit*>(QStringLiteral("Memo1"));
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->toPlainText().contains(QString::fromStdString(Texts(*form).Text(760))));
  EXPECT_EQ(page.PetrolButton()->geometry().topLeft(), memo->geometry().topLeft() - QPoint(90, 0));
  EXPECT_EQ(page.GasButton()->y(), memo->y() + 27);
  EXPECT_TRUE(page.GasButton()->isVisible());
  EXPECT_FALSE(page.Button(autoconfig::WizardButton::Ok)->isVisible());
  EXPECT_EQ(ParameterView(*form).Cell(1, 0), Texts(*form).Text(413));

  const std::uint8_t coil = State(*form).workingCopy[32];
  QTest::mouseClick(page.PetrolButton(), Qt::LeftButton);
  EXPECT_EQ(Wizard(*form).StepNumber(), 1);
  Press(*form, Qt::Key_F4);  // the page shown already: the procedure goes on
  EXPECT_EQ(Wizard(*form).StepNumber(), 1);
  Press(*form, Qt::Key_F3);  // nothing measured yet: no question, the coil type back
  EXPECT_EQ(State(*form).workingCopy[32], coil);
  EXPECT_FALSE(page.PetrolButton()->isVisible());
  EXPECT_TRUE(memo->toPlainText().isEmpty());
}

}  // namespace
}  // namespace zo::app
