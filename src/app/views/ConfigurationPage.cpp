#include "app/views/ConfigurationPage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>

#include "app/QtText.h"
#include "app/rules/MainLayout.h"
#include "app/views/ParameterGridView.h"
#include "app/widgets/StringGrid.h"
#include "app/windows/MessageDialog.h"
#include "app/windows/TFormMsg.h"
#include "autoconfig/Autoconfig.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

using autoconfig::WizardButton;

constexpr int kButtonWidth = 86;
constexpr int kButtonHeight = 25;
constexpr int kButtonFontLimit = 10;  // points; the buttons stand 27 pixels apart
constexpr int kGaugeHeight = 22;
constexpr std::array<int, 8> kRowNames{txt::kHeaderParameter,    txt::kParamCoilType,
                                       txt::kParamTpsType,       txt::kParamTpsThreshold,
                                       txt::kParamLambdaType,    txt::kParamLambdaThreshold,
                                       txt::kParamLevelAt900Rpm, txt::kParamLevelAt3000Rpm};
constexpr std::array<int, 3> kCaptions{txt::kButtonContinue, txt::kButtonApply,
                                       txt::kButtonDelete};  // Next, Apply, Cancel

std::size_t Index(WizardButton button) {
  return static_cast<std::size_t>(button);
}

// A catalogue text as one paragraph of the pane. Its leading spaces become
// the paragraph's margin, so that a line wrapped in a narrow pane keeps its
// indent.
QString Paragraph(const QString& text, bool title, const QFontMetrics& metrics) {
  qsizetype spaces = 0;
  while (spaces < text.size() && text[spaces] == QLatin1Char(' '))
    ++spaces;
  QString escaped = text.mid(spaces).toHtmlEscaped();
  if (title) escaped = QStringLiteral("<b>%1</b>").arg(escaped);
  const int margin = metrics.horizontalAdvance(QLatin1Char(' ')) * static_cast<int>(spaces);
  return QStringLiteral("<p style=\"margin:0; margin-left:%1px; white-space:pre-wrap\">%2</p>")
      .arg(margin)
      .arg(escaped.isEmpty() ? QStringLiteral("&nbsp;") : escaped);
}

}  // namespace

ConfigurationPage::ConfigurationPage(QWidget* parent, QTextEdit& memo, ParameterGridView& grid,
                                     MessageDialog& messages, const texts::TextCatalogue& texts,
                                     Hooks hooks)
    : QObject(parent),
      memo_(memo),
      grid_(grid),
      messages_(messages),
      texts_(texts),
      hooks_(std::move(hooks)),
      conBen_(new QPushButton(parent)),
      conGas_(new QPushButton(parent)),
      panelCG_(new QFrame(parent)),
      cgRead_(new QProgressBar(panelCG_)) {
  conBen_->setObjectName(QStringLiteral("BitBtnConBen"));
  conGas_->setObjectName(QStringLiteral("BitBtnConGas"));
  static constexpr std::array<const char*, 3> kNames{"BitBtnNext", "BitBtnOk", "BitBtnCancel"};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new QPushButton(parent);
    buttons_[i]->setObjectName(QString::fromLatin1(kNames[i]));
  }
  panelCG_->setObjectName(QStringLiteral("PanelCG"));
  panelCG_->setFrameShape(QFrame::StyledPanel);
  cgRead_->setObjectName(QStringLiteral("CGRead"));
  cgRead_->setTextVisible(true);
  cgRead_->setAlignment(Qt::AlignCenter);
  cgRead_->setGeometry(0, 0, kButtonWidth, kGaugeHeight);
  panelCG_->resize(kButtonWidth, kGaugeHeight);
  for (QWidget* w : {static_cast<QWidget*>(conBen_), static_cast<QWidget*>(conGas_),
                     static_cast<QWidget*>(panelCG_)})
    w->hide();
  for (QPushButton* b : buttons_)
    b->hide();
}

void ConfigurationPage::ForwardClicksTo(autoconfig::Autoconfig& wizard) {
  connect(conBen_, &QPushButton::clicked, this, [&wizard] { wizard.PetrolStart(); });
  connect(conGas_, &QPushButton::clicked, this, [&wizard] { wizard.GasStart(); });
  connect(buttons_[Index(WizardButton::Next)], &QPushButton::clicked, this,
          [&wizard] { wizard.Next(); });
  connect(buttons_[Index(WizardButton::Ok)], &QPushButton::clicked, this,
          [&wizard] { wizard.Apply(); });
  connect(buttons_[Index(WizardButton::Cancel)], &QPushButton::clicked, this,
          [&wizard] { wizard.Cancel(); });
}

void ConfigurationPage::Place(const LayoutResult& layout, int fontPoints) {
  placed_ = layout.wizardPlaced;
  QFont font = conBen_->font();
  font.setPointSize(std::min(fontPoints, kButtonFontLimit));
  const auto put = [&font](QWidget* w, Point at, int height) {
    w->setFont(font);
    w->setGeometry(at.x, at.y, kButtonWidth, height);
  };
  put(conBen_, layout.conBen, kButtonHeight);
  put(conGas_, layout.conGas, kButtonHeight);
  put(buttons_[Index(WizardButton::Next)], layout.next, kButtonHeight);
  put(buttons_[Index(WizardButton::Ok)], layout.ok, kButtonHeight);
  put(buttons_[Index(WizardButton::Cancel)], layout.cancel, kButtonHeight);
  // Below Cancel, which shares its place, so both can be seen at once.
  put(panelCG_, Point{layout.gaugePanel.x, layout.cancel.y + kButtonHeight + 2}, kGaugeHeight);
  cgRead_->setFont(font);
  cgRead_->setGeometry(panelCG_->rect());
  conBen_->setVisible(placed_ && layout.startButtonsVisible);
  conGas_->setVisible(placed_ && layout.startButtonsVisible);
  ShowWanted();
}

void ConfigurationPage::ShowWanted() {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setVisible(placed_ && wanted_[i]);
  panelCG_->setVisible(placed_ && gaugeWanted_);
}

void ConfigurationPage::ApplyLanguage() {
  conBen_->setText(Q(texts_.Text(txt::kPetrol)));
  conGas_->setText(Q(texts_.Text(txt::kLpg)));
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setText(Q(texts_.Text(kCaptions[i])));
  RenderText();
}

void ConfigurationPage::FillGrid() {
  grid_.Clear();
  grid_.Grid().EnsureRowCount(static_cast<int>(kRowNames.size()));
  grid_.SetCell(0, 1, texts_.Text(txt::kHeaderValue));
  for (std::size_t row = 0; row < kRowNames.size(); ++row) {
    const int r = static_cast<int>(row);
    grid_.SetCell(r, 0, texts_.Text(kRowNames[row]));
    if (row > 0) grid_.SetCell(r, 1, texts_.Compose(values_[row]));
  }
}

void ConfigurationPage::RenderText() {
  QString html;
  const QFontMetrics metrics(memo_.font());
  for (const autoconfig::TextLine& line : lines_) {
    const QString text = line.id < 0 ? QString() : Q(texts_.Text(line.id, line.indent));
    html += Paragraph(text, line.id >= 0 && line.indent == 0, metrics);
  }
  memo_.setHtml(html);
}

void ConfigurationPage::Beep() {
  QApplication::beep();
}

void ConfigurationPage::ShowText(const std::vector<autoconfig::TextLine>& lines) {
  // The idle step repeats its text on every poll: draw only a change.
  if (lines == lines_ && (lines.empty() || !memo_.document()->isEmpty())) return;
  lines_ = lines;
  RenderText();
}

void ConfigurationPage::SetGridValue(int row, const texts::UserText& value) {
  const auto at = static_cast<std::size_t>(row);
  if (at >= values_.size() || values_[at] == value) return;
  values_[at] = value;
  if (placed_) grid_.SetCell(row, 1, texts_.Compose(value));
}

void ConfigurationPage::SelectGridRow(int row) {
  if (placed_ && grid_.SelectedRow() != row) grid_.SelectRow(row);
}

void ConfigurationPage::SetGaugeMaximum(int maximum) {
  cgRead_->setMaximum(maximum);
}

void ConfigurationPage::SetGaugeValue(int value) {
  cgRead_->setValue(std::clamp(value, 0, cgRead_->maximum()));
}

void ConfigurationPage::ShowGaugePanel(bool shown) {
  gaugeWanted_ = shown;
  ShowWanted();
}

void ConfigurationPage::ShowButton(WizardButton button, bool shown) {
  wanted_[Index(button)] = shown;
  ShowWanted();
}

link::MsgResult ConfigurationPage::Ask(const autoconfig::TextLine& question,
                                       link::MsgButtons buttons) {
  const std::string text = texts_.Text(question.id, question.indent);
  return messages_.ShowMessage({texts::TextPiece::Literal(text)}, txt::kTitleAttention,
                               link::MsgIcon::Question, buttons);
}

void ConfigurationPage::Tell(const autoconfig::TextLine& message) {
  // Shown once the link has finished what it is doing: the dialog's own
  // event loop must not run inside a reply.
  ShowLater(texts_.Text(message.id, message.indent), 0);
}

void ConfigurationPage::ShowLater(const std::string& text, int delayMs) {
  QTimer::singleShot(delayMs, this, [this, text] {
    // Another message still open (a warning after the read): this one waits
    // for it instead of being lost.
    if (messages_.ShowMessage({texts::TextPiece::Literal(text)}, txt::kTitleAttention,
                              link::MsgIcon::Warning,
                              link::MsgButtons::Ok) == link::MsgResult::Busy)
      ShowLater(text, kRetryMs);
  });
}

QPushButton* ConfigurationPage::Button(WizardButton button) const {
  return buttons_[Index(button)];
}

}  // namespace zo::app
