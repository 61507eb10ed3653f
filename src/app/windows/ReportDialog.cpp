#include "app/windows/ReportDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

QString Trimmed(const texts::TextCatalogue& texts, int id) {
  return Q(texts.Text(id)).trimmed();
}

}  // namespace

ReportDialog::ReportDialog(QWidget* parent, const texts::TextCatalogue& texts,
                           const std::string& name, const std::string& address)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ReportDialog"));
  setWindowTitle(Trimmed(texts, txt::kReportTitle));
  auto* layout = new QVBoxLayout(this);
  auto* workshop = new QGroupBox(Trimmed(texts, txt::kWorkshop), this);
  auto* form = new QFormLayout(workshop);
  name_ = new QLineEdit(QString::fromStdString(name), workshop);
  name_->setObjectName(QStringLiteral("WorkshopName"));
  address_ = new QPlainTextEdit(QString::fromStdString(address), workshop);
  address_->setObjectName(QStringLiteral("WorkshopAddress"));
  address_->setTabChangesFocus(true);
  form->addRow(Trimmed(texts, txt::kWorkshopName), name_);
  form->addRow(Trimmed(texts, txt::kWorkshopAddress), address_);
  layout->addWidget(workshop);

  auto* buttons = new QHBoxLayout;
  save_ = new QPushButton(Trimmed(texts, txt::kSaveAsPdf), this);
  print_ = new QPushButton(Trimmed(texts, txt::kPrint), this);
  close_ = new QPushButton(Trimmed(texts, txt::kClose), this);
  buttons->addStretch();
  for (QPushButton* button : {save_, print_, close_}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(save_, &QPushButton::clicked, this, &ReportDialog::SaveClicked);
  connect(print_, &QPushButton::clicked, this, &ReportDialog::PrintClicked);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  save_->setDefault(true);
  resize(480, 260);
}

std::string ReportDialog::WorkshopName() const {
  return name_->text().trimmed().toStdString();
}

std::string ReportDialog::WorkshopAddress() const {
  return address_->toPlainText().toStdString();
}

}  // namespace zo::app
