// The About window and its re-use as the controller-information window,
// offscreen: the links open the maker's addresses, the licences window names
// the libraries, and the information window grows for the working times
// without clipping a label, in Russian too.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/widgets/TabLabel.h"
#include "app/windows/TFormZo.h"

namespace zo::app {
namespace {

class UrlRecorder : public QObject {
  Q_OBJECT

 public slots:
  void Open(const QUrl& url) { opened.push_back(url.toString()); }

 public:
  QStringList opened;
};

void ClickText(QLabel* label) {
  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, label->height() / 2));
}

TEST(AboutWindow, LinksOpenTheMakersAddressesAndTheLicencesAreShown) {
  QWidget owner;
  auto* about = new TFormZo(&owner);
  about->PrepareAbout(QStringLiteral("Wersja programu : V1.79"), QStringLiteral("Licencje"),
                      QStringLiteral("Program korzysta z następujących bibliotek:"));
  about->ShowOver(owner);
  EXPECT_EQ(about->Label(4)->y(), 144);
  EXPECT_EQ(about->size(), QSize(TFormZo::kClientWidth, TFormZo::kClientHeight));

  UrlRecorder recorder;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "Open");
  QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "Open");
  ClickText(about->findChild<QLabel*>(QStringLiteral("LabelLogWww")));
  ClickText(about->findChild<QLabel*>(QStringLiteral("LabelLogEma")));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
  EXPECT_EQ(recorder.opened, QStringList({"https://www.zo-autogas.example",
                                          "mailto:service@zo-autogas.example?subject=temat"}));

  QTest::mouseClick(about->LicencesButton(), Qt::LeftButton);
  ASSERT_NE(about->LicencesWindow(), nullptr);
  const QString text = about->LicencesWindow()->findChild<QPlainTextEdit*>()->toPlainText();
  for (const char* name : {"LGPL-3.0", "libstdc++", "libftd2xx", "proprietary"})
    EXPECT_TRUE(text.contains(QLatin1String(name))) << name;
}

TEST(AboutWindow, InformationWindowIsTallerWithWorkingTimesAndClipsNothing) {
  QWidget owner;
  const std::array<QString, 6> russian{QStringLiteral("Версия программы :\tV1.78"),
                                       QStringLiteral("Дата производства :\t\t2023.05.17"),
                                       QStringLiteral("Дата установки :\t\t2024.01.02"),
                                       QStringLiteral("Дата настройки :\t2024.02.03"),
                                       QStringLiteral("Время работы на бензине :\t123456 h 59 m"),
                                       QStringLiteral("Время работы на газе :\t654321 h 59 m")};
  // The designed 8 points, and a system font twice as large.
  for (const auto& [tall, points] :
       {std::pair{false, 8}, std::pair{true, 8}, std::pair{true, 16}}) {
    auto* info = new TFormZo(&owner);
    QFont font = info->font();
    font.setPointSize(points);
    info->setFont(font);
    std::array<QString, 6> labels = russian;
    if (!tall) labels[4] = labels[5] = QString();
    info->PrepareControllerInfo(QStringLiteral("Контроллер лямбда-зонда  Vela100"), labels, tall);
    info->SetRussian(true);
    info->ShowOver(owner);
    if (points == 8) {
      EXPECT_EQ(info->height(), tall ? TFormZo::kTallClientHeight : TFormZo::kClientHeight);
      EXPECT_EQ(info->OkButton()->y(), tall ? TFormZo::kTallButtonTop : 140);
    }
    EXPECT_EQ(info->Label(4)->font().pointSize(), 12);
    const QRect client = info->rect();
    for (int n = 1; n <= (tall ? 6 : 4); ++n) {
      const QRect label = info->Label(n)->geometry();
      EXPECT_TRUE(client.contains(label)) << n << " at " << points;
      EXPECT_GE(label.width(), info->Label(n)->sizeHint().width()) << n;
      EXPECT_FALSE(label.intersects(info->OkButton()->geometry())) << n << " at " << points;
      if (n > 1) {
        EXPECT_FALSE(label.intersects(info->Label(n - 1)->geometry())) << n;
      }
    }
    info->close();
  }
}

}  // namespace
}  // namespace zo::app

#include "AboutWindowTest.moc"
