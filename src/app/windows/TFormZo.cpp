#include "app/windows/TFormZo.h"

#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widgets/AppPictures.h"
#include "app/widgets/TabLabel.h"
#include "texts/LanguageRules.h"

namespace zo::app {

namespace {

constexpr int kFontPoints = 8;
constexpr int kInfoLabel4Points = 12;
constexpr int kLabelLeft = 16;
constexpr std::array kAboutTops{84, 102, 120, 144, 160, 180};
constexpr std::array kInfoTops{80, 100, 120, 140, 160, 180};
constexpr int kLogoLeft = 10;
constexpr int kLogoTop = 8;
constexpr int kWwwTop = 14;
constexpr int kMailTop = 32;
constexpr int kRightMargin = 10;
constexpr int kBottomMargin = 8;
constexpr int kGap = 12;  // between a label and what stands right of it
constexpr int kButtonTop = 140;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
constexpr QSize kLicencesSize(560, 400);

// The libraries the program uses and their licences, after the translated
// introduction (txt::kLibrariesIntro).
constexpr std::string_view kLicences =
    "Qt 6 (Qt Core, Qt GUI, Qt Widgets)\n"
    "  Copyright (C) The Qt Company Ltd. and other contributors.\n"
    "  Used under the GNU Lesser General Public License, version 3 (LGPL-3.0).\n"
    "  ZoLpgWin links the Qt libraries dynamically, so they can be replaced by\n"
    "  any compatible build of Qt 6, including one modified by the user.\n"
    "  Licence text: https://www.gnu.org/licenses/lgpl-3.0.html\n"
    "  Source code: https://download.qt.io/official_releases/qt/\n"
    "\n"
    "The C++ standard library and the C library of the system\n"
    "  GNU libstdc++: GNU General Public License, version 3, with the GCC\n"
    "  Runtime Library Exception, which lets programs built with it be\n"
    "  distributed under terms of their own.\n"
    "  GNU C Library: GNU Lesser General Public License, version 2.1 or later.\n"
    "\n"
    "FTDI D2XX driver library (libftd2xx)\n"
    "  Not part of ZoLpgWin and not distributed with it. When libftd2xx.so is\n"
    "  installed beside the program or on the system's library path, ZoLpgWin\n"
    "  loads it at run time to reach FTDI USB adapters directly. It is\n"
    "  proprietary software of Future Technology Devices International Ltd.\n"
    "  (FTDI), used under FTDI's own driver licence terms. Without it the\n"
    "  adapters are reached as ordinary serial ports.\n";

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QUrl TFormZo::WebUrl() {
  return QUrl(QStringLiteral("https://") + FromUtf8(kWebAddress));
}

QUrl TFormZo::MailUrl() {
  return QUrl(QStringLiteral("mailto:") + FromUtf8(kMailAddress) +
              QStringLiteral("?subject=temat"));
}

TFormZo::TFormZo(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FormZo"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("ZoLpgWin"));
  QFont small = font();
  small.setPointSize(kFontPoints);
  setFont(small);

  panel_ = new QFrame(this);
  panel_->setObjectName(QStringLiteral("Panel1"));
  panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel_->setAutoFillBackground(true);
  QPalette white = panel_->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::WindowText, Qt::black);
  panel_->setPalette(white);

  logo_ = new QLabel(panel_);
  logo_->setObjectName(QStringLiteral("Image1"));
  logo_->setPixmap(AppPictures::Logo(devicePixelRatioF()));
  logo_->setGeometry(kLogoLeft, kLogoTop, AppPictures::kLogoWidth, AppPictures::kLogoHeight);
  www_ = AddLink("LabelLogWww", kWebAddress, WebUrl());
  mail_ = AddLink("LabelLogEma", kMailAddress, MailUrl());

  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new TabLabel(panel_);
    labels_[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
  }

  button1_ = new QPushButton(QStringLiteral("OK"), panel_);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->resize(kButtonWidth, kButtonHeight);
  button1_->setDefault(true);
  connect(button1_, &QPushButton::clicked, this, &QWidget::close);
  licences_ = new QPushButton(panel_);
  licences_->setObjectName(QStringLiteral("BtnLicences"));
  licences_->hide();
  connect(licences_, &QPushButton::clicked, this, &TFormZo::OpenLicences);
}

QLabel* TFormZo::AddLink(const char* name, std::string_view text, const QUrl& url) {
  auto* link = new QLabel(panel_);
  link->setObjectName(QString::fromLatin1(name));
  link->setTextFormat(Qt::RichText);
  link->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff; text-decoration:underline\">"
                               "%2</a>")
                    .arg(url.toString(QUrl::FullyEncoded), FromUtf8(text).toHtmlEscaped()));
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  link->setOpenExternalLinks(false);
  link->setCursor(Qt::PointingHandCursor);
  connect(link, &QLabel::linkActivated, this, [url] { QDesktopServices::openUrl(url); });
  return link;
}

TabLabel* TFormZo::Label(int number) const {
  return labels_.at(static_cast<std::size_t>(number - 1));
}

void TFormZo::PrepareAbout(const QString& versionLine, const QString& licencesCaption,
                           const QString& licencesIntro) {
  about_ = true;
  designedHeight_ = kClientHeight;
  buttonTop_ = kButtonTop;
  for (std::size_t i = 0; i < labels_.size(); ++i)
    labels_[i]->move(kLabelLeft, kAboutTops[i]);
  QFont bold = labels_[0]->font();
  bold.setBold(true);
  labels_[0]->setFont(bold);
  labels_[0]->setText(FromUtf8(kCompany));
  labels_[1]->setText(FromUtf8(kAddress));
  labels_[3]->setText(versionLine);
  licencesCaption_ = licencesCaption.trimmed();
  licencesIntro_ = licencesIntro.trimmed();
  licences_->setText(licencesCaption_);
  licences_->resize(std::max(kButtonWidth, licences_->sizeHint().width()), kButtonHeight);
  licences_->show();
}

void TFormZo::PrepareControllerInfo(const QString& caption, const std::array<QString, 6>& labels,
                                    bool tall) {
  about_ = false;
  setWindowTitle(caption);
  designedHeight_ = tall ? kTallClientHeight : kClientHeight;
  buttonTop_ = tall ? kTallButtonTop : kButtonTop;
  QFont large = labels_[3]->font();
  large.setPointSize(kInfoLabel4Points);
  labels_[3]->setFont(large);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->move(kLabelLeft, kInfoTops[i]);
    labels_[i]->setText(labels[i]);
  }
  licences_->hide();
}

void TFormZo::SetRussian(bool russian) {
  // The other languages keep the window's own font.
  if (!russian) return;
  QStringList families;
  for (const std::string_view family : texts::LanguageRules::CyrillicLabelFamilies(texts::kRussian))
    families << FromUtf8(family);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    if (about_ && i != 3) continue;
    QFont font = labels_[i]->font();
    font.setFamilies(families);
    labels_[i]->setFont(font);
  }
}

void TFormZo::FitContents() {
  for (QPushButton* button : {button1_, licences_})
    button->resize(button->width(), std::max(kButtonHeight, button->sizeHint().height()));
  const int buttonsWidth =
      button1_->width() + (licences_->isHidden() ? 0 : kButtonGap + licences_->width());
  const int buttonsBottom = buttonTop_ + button1_->height();
  int width = kClientWidth;
  // A button taller than designed grows the window by as much.
  int height = designedHeight_ + button1_->height() - kButtonHeight;
  // A line taller than the designed 20-pixel pitch pushes the next ones down.
  int below = 0;
  for (TabLabel* label : labels_) {
    if (label->text().isEmpty()) {
      label->resize(0, 0);
      continue;
    }
    label->resize(label->sizeHint());
    label->move(label->x(), std::max(label->y(), below));
    const QRect r = label->geometry();
    below = r.bottom() + 1;
    const bool besideButtons = r.top() < buttonsBottom && r.bottom() >= buttonTop_;
    width =
        std::max(width, r.right() + 1 + (besideButtons ? kGap + buttonsWidth : 0) + kRightMargin);
    height = std::max(height, r.bottom() + 1 + kBottomMargin);
  }
  for (QLabel* link : {www_, mail_}) {
    link->adjustSize();
    width = std::max(width, logo_->geometry().right() + 1 + kGap + link->width() + kRightMargin);
  }
  setFixedSize(width, height);
  panel_->setGeometry(0, 0, width, height);
  www_->move(width - kRightMargin - www_->width(), kWwwTop);
  mail_->move(width - kRightMargin - mail_->width(), std::max(kMailTop, www_->geometry().bottom()));
  button1_->move(width - kRightMargin - button1_->width(), buttonTop_);
  licences_->move(button1_->x() - kButtonGap - licences_->width(), buttonTop_);
}

void TFormZo::ShowOver(const QWidget& over) {
  FitContents();
  move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), over.geometry()).topLeft());
  show();
  raise();
  activateWindow();
  button1_->setFocus();
}

void TFormZo::OpenLicences() {
  if (licencesWindow_ != nullptr) {
    licencesWindow_->raise();
    licencesWindow_->activateWindow();
    return;
  }
  auto* window = new QWidget(this, Qt::Window | Qt::WindowStaysOnTopHint);
  window->setObjectName(QStringLiteral("FormLicences"));
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(licencesCaption_);
  auto* text = new QPlainTextEdit(window);
  text->setObjectName(QStringLiteral("MemoLicences"));
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setPlainText(licencesIntro_ + QStringLiteral("\n\n") + FromUtf8(kLicences));
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(text);
  window->resize(kLicencesSize);
  window->move(
      QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window->size(), geometry()).topLeft());
  window->show();
  licencesWindow_ = window;
}

void TFormZo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace zo::app
