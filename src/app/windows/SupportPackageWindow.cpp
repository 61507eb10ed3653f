#include "app/windows/SupportPackageWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

using supportpackage::SupportPackage;
using C = supportpackage::SupportPackageCodec;

QString Trimmed(const texts::TextCatalogue& texts, int id) {
  return Q(texts.Text(id)).trimmed();
}

QString Version(int hundredths) {
  return QStringLiteral("%1.%2")
      .arg(hundredths / 100)
      .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

// The parts the package holds, by their names in it.
QString Contents(const SupportPackage& package) {
  QStringList parts{QString::fromUtf8(C::kAbout.data(), C::kAbout.size()),
                    QString::fromUtf8(C::kParameters.data(), C::kParameters.size())};
  const auto add = [&parts](bool present, std::string_view name) {
    if (present) parts << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  };
  add(!package.recording.empty(), C::kRecording);
  add(!package.trace.empty(), C::kTrace);
  add(!package.journal.empty(), C::kJournal);
  add(!package.findings.empty(), C::kFindings);
  add(!package.settings.empty(), C::kSettings);
  return parts.join(QStringLiteral(", "));
}

QLabel* Value(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setWordWrap(true);
  return label;
}

}  // namespace

SupportPackageWindow::SupportPackageWindow(QWidget* parent, const texts::TextCatalogue& texts,
                                           const SupportPackage& package,
                                           const std::string& fileName)
    : QDialog(parent) {
  setObjectName(QStringLiteral("SupportPackageWindow"));
  setWindowTitle(Trimmed(texts, txt::kSupportPackage) + QStringLiteral(" - ") + Q(fileName));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const supportpackage::PackageAbout& about = package.about;
  form->addRow(Trimmed(texts, txt::kPackageSavedAt), Value(Q(about.savedAt), this));
  form->addRow(Trimmed(texts, txt::kPackageProgramVersion),
               Value(Version(about.programVersion), this));
  form->addRow(Trimmed(texts, txt::kPackageLanguage), Value(Q(about.language), this));
  form->addRow(
      Trimmed(texts, txt::kPackageController),
      Value(Q(about.model) + QStringLiteral("  V") + Version(about.firmwareVersion), this));
  form->addRow(Trimmed(texts, txt::kPackageContents), Value(Contents(package), this));
  layout->addLayout(form);

  layout->addWidget(new QLabel(Trimmed(texts, txt::kPackageFindings), this));
  findings_ = new QPlainTextEdit(this);
  findings_->setObjectName(QStringLiteral("PackageFindings"));
  findings_->setReadOnly(true);
  findings_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  findings_->setPlainText(package.findings.empty() ? Trimmed(texts, txt::kPackageNoFindings)
                                                   : Q(package.findings));
  layout->addWidget(findings_, 1);

  auto* buttons = new QHBoxLayout;
  compare_ = new QPushButton(Trimmed(texts, txt::kCompareWithController), this);
  auto* close = new QPushButton(Trimmed(texts, txt::kClose), this);
  buttons->addStretch();
  for (QPushButton* button : {compare_, close}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(compare_, &QPushButton::clicked, this, &SupportPackageWindow::CompareClicked);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  resize(560, 420);
}

}  // namespace zo::app
