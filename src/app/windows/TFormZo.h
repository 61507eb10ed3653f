// The About window and, re-used, the controller-information window: on a
// white lowered panel the logo, the maker's name and address, the web and
// mail links at the top right, six labels and the OK button. It shows what
// the main window gives it and opens the links; it decides nothing else.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <string_view>

class QFrame;
class QLabel;
class QPushButton;

namespace zo::app {

class TabLabel;

class TFormZo : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 388;
  static constexpr int kClientHeight = 174;
  // The information window with working times is 240 pixels high with its
  // title bar and borders; its client area keeps 210 of them.
  static constexpr int kTallClientHeight = 210;
  static constexpr int kTallButtonTop = 180;

  // The maker's details shown in and opened from the About window.
  static constexpr std::string_view kCompany = "Zo Autogas Systems sp. z o.o.";
  static constexpr std::string_view kAddress = "ul. Przykładowa 12, 00-001 Warszawa, Polska";
  static constexpr std::string_view kWebAddress = "www.zo-autogas.example";
  static constexpr std::string_view kMailAddress = "service@zo-autogas.example";
  static QUrl WebUrl();
  // "mailto:" + the address + "?subject=temat".
  static QUrl MailUrl();

  explicit TFormZo(QWidget* owner);

  // The About window: the version line in `Label4` at top 144 and the
  // button that opens the licences of the libraries the program uses.
  void PrepareAbout(const QString& versionLine, const QString& licencesCaption,
                    const QString& licencesIntro);
  // The controller-information window: `Label1` at top 80, `Label2` at 100,
  // `Label4` in 12 points; `tall` makes the window 240 high with OK at 180.
  void PrepareControllerInfo(const QString& caption, const std::array<QString, 6>& labels,
                             bool tall);
  // Russian labels get a font with the Cyrillic set: `Label4` of the About
  // window, all six labels of the information window.
  void SetRussian(bool russian);
  // Centred on `over`, shown, the OK button focused.
  void ShowOver(const QWidget& over);

  [[nodiscard]] TabLabel* Label(int number) const;
  [[nodiscard]] QPushButton* OkButton() const { return button1_; }
  [[nodiscard]] QPushButton* LicencesButton() const { return licences_; }
  // The licences window while it is open.
  [[nodiscard]] QWidget* LicencesWindow() const { return licencesWindow_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* AddLink(const char* name, std::string_view text, const QUrl& url);
  void OpenLicences();
  // Grows the window where a label or a link would not fit at the designed
  // size, and places the right-aligned links and buttons.
  void FitContents();

  QFrame* panel_ = nullptr;
  QLabel* logo_ = nullptr;
  QLabel* www_ = nullptr;
  QLabel* mail_ = nullptr;
  std::array<TabLabel*, 6> labels_{};
  QPushButton* button1_ = nullptr;
  QPushButton* licences_ = nullptr;
  QString licencesCaption_;
  QString licencesIntro_;
  QPointer<QWidget> licencesWindow_;
  bool about_ = false;
  int designedHeight_ = kClientHeight;
  int buttonTop_ = 0;
};

}  // namespace zo::app
