// The connection check's window: the ports and each finding with its remedy
// in the user's language; and the Port menu's entry that runs the check over
// a made-up system (ZO_CHECK_ROOT) and shows it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTreeWidget>
#include <cstdlib>
#include <fstream>

#include "app/CheckCommands.h"
#include "app/MainWindowRig.h"
#include "app/windows/ConnectionCheckWindow.h"
#include "texts/LanguageRules.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {
namespace {

using diagnostics::Finding;
using diagnostics::FindingKind;

TEST(ConnectionCheckWindow, ListsThePortsAndEachFindingWithWhatToDo) {
  const texts::TextCatalogue texts(texts::kEnglish, 10);
  ConnectionCheckWindow window(nullptr, texts);
  diagnostics::CheckReport report;
  report.ports = {{"/dev/ttyUSB0", "/dev/ttyUSB0", true, "ftdi_sio", "0403:6001", "FTDI",
                   "FT232R USB UART", 16},
                  {"/dev/ttyUSB3", "", false, "", "", "", "", {}}};
  report.findings = {{FindingKind::NotInGroup, "/dev/ttyUSB0", "dialout", 0, {}},
                     {FindingKind::PortInUse, "/dev/ttyUSB0", "minicom", 321, {}},
                     {FindingKind::LinkPoor, {}, {}, 0, {500, 40, 60}}};
  window.Show(report);
  QTreeWidget& ports = *window.Ports();
  ASSERT_EQ(ports.topLevelItemCount(), 2);
  const QTreeWidgetItem& usb = *ports.topLevelItem(0);
  EXPECT_EQ(usb.text(0), "/dev/ttyUSB0");
  EXPECT_EQ(usb.text(1), "ftdi_sio");
  EXPECT_EQ(usb.text(2), "FTDI [0403:6001]");
  EXPECT_EQ(usb.text(3), "FT232R USB UART");
  EXPECT_EQ(ports.topLevelItem(1)->text(1), "not present");
  const QString text = window.Findings()->toPlainText();
  for (const char* line :
       {"/dev/ttyUSB0: Your user is not in the device's group: dialout",
        "Add your user to the group, then log in again: sudo usermod -aG dialout $USER",
        "Another program has the port open: minicom (process 321)",
        "Replies in the last minute (good / damaged / missing): 500 / 40 / 60",
        "check the cable and its plugs"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();

  window.Show({});
  EXPECT_EQ(window.Findings()->toPlainText(), "Nothing stands in the way of the connection.");
  EXPECT_TRUE(window.findChild<QLabel*>("CheckNoPorts")->isVisibleTo(&window));
  QSignalSpy again(&window, &ConnectionCheckWindow::CheckAgainClicked);
  window.findChild<QPushButton*>("BtnCheckAgain")->click();
  EXPECT_EQ(again.count(), 1);
}

class ConnectionCheckMenuTest : public MainWindowRig {
 protected:
  ~ConnectionCheckMenuTest() override { ::unsetenv("ZO_CHECK_ROOT"); }
  test::TempFolder root_;
};

TEST_F(ConnectionCheckMenuTest, ThePortMenuEntryShowsTheCheckOfTheKnownPorts) {
  // A port of the profile, and a made-up system where another program holds it.
  std::filesystem::create_symlink("/dev/null", profile_.PortFolder() / "COM7");
  std::filesystem::create_directories(root_ / "proc/77/fd");
  std::ofstream(root_ / "proc/77/comm") << "minicom\n";
  std::filesystem::create_symlink("/dev/null", root_ / "proc/77/fd/3");
  std::filesystem::create_directories(root_ / "dev");
  const std::ofstream node(root_ / "dev/null");
  ::setenv("ZO_CHECK_ROOT", root_.Path().c_str(), 1);
  auto form = Open();
  ShowIdle(*form);
  Menu(*form, "MenuPortCheck").trigger();
  auto* window = form->findChild<ConnectionCheckWindow*>("ConnectionCheckWindow");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  bool listed = false;
  for (int i = 0; i < window->Ports()->topLevelItemCount(); ++i)
    listed = listed || window->Ports()->topLevelItem(i)->text(0) == "/dev/null";
  EXPECT_TRUE(listed);
  EXPECT_TRUE(
      window->Findings()->toPlainText().contains(QRegularExpression("minicom \\([^ ]+ 77\\)")));
  window->close();
}

TEST_F(ConnectionCheckMenuTest, AChosenPortThatFailsToOpenOffersTheCheckOnce) {
  // Not a serial device: the open fails on every attempt.
  std::filesystem::create_symlink("/dev/null", profile_.PortFolder() / "COM7");
  profile_.SelectPort(7);
  ::setenv("ZO_CHECK_ROOT", root_.Path().c_str(), 1);
  auto form = Open();
  QTimer answer;
  int offers = 0;
  QString asked;
  AnswerMessages(*form, answer, offers, [&asked](TFormMsg& m) {
    asked = m.Label1()->text().trimmed();
    return m.BitBtnYes();
  });
  form->show();
  // The open at start-up fails quietly; the user's choice of the port offers the check.
  RunUntil([] { return false; }, std::chrono::seconds(2));
  EXPECT_EQ(offers, 0);
  Menu(*form, "MenuPortNone").trigger();
  const auto window = [&form] { return form->findChild<ConnectionCheckWindow*>(); };
  ASSERT_TRUE(RunUntil([&] { return window() != nullptr; }, std::chrono::seconds(10)));
  EXPECT_EQ(offers, 1);
  EXPECT_EQ(asked, QString::fromStdString(Texts(*form).Text(txt::kCheckOffer)));
  window()->close();
  // Chosen again and failing again: the same trouble, no second question.
  Menu(*form, "MenuPortNone").trigger();
  RunUntil([] { return false; }, std::chrono::seconds(3));
  EXPECT_EQ(offers, 1);
}

}  // namespace
}  // namespace zo::app
