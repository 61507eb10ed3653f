#include "app/windows/CompareDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

QString Trimmed(const std::string& text) {
  return Q(text).trimmed();
}

}  // namespace

CompareDialog::CompareDialog(QWidget* parent, const texts::TextCatalogue& texts,
                             const std::vector<files::DifferenceRow>& rows,
                             const Captions& captions)
    : QDialog(parent) {
  setObjectName(QStringLiteral("CompareDialog"));
  setWindowTitle(captions.title);
  auto* layout = new QVBoxLayout(this);
  table_ = new QTableWidget(static_cast<int>(rows.size()), 3, this);
  table_->setHorizontalHeaderLabels(
      {Trimmed(texts.Text(txt::kHeaderParameter)).remove(':').trimmed(),
       Trimmed(texts.Text(captions.otherColumn)), Trimmed(texts.Text(txt::kColumnController))});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const files::DifferenceRow& row = rows[static_cast<std::size_t>(r)];
    int column = 0;
    for (const std::string* text : {&row.name, &row.fileValue, &row.controllerValue})
      table_->setItem(r, column++, new QTableWidgetItem(Q(*text)));
  }
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(0, QHeaderView::Stretch);
  header->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  layout->addWidget(table_);
  if (rows.empty()) {
    table_->hide();
    auto* none = new QLabel(Q(texts.Text(txt::kNoDifference)), this);
    none->setObjectName(QStringLiteral("NoDifference"));
    layout->addWidget(none);
  }
  auto* buttons = new QHBoxLayout;
  load_ = new QPushButton(Trimmed(texts.Text(captions.accept)), this);
  close_ = new QPushButton(Trimmed(texts.Text(txt::kClose)), this);
  buttons->addStretch();
  buttons->addWidget(load_);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  connect(load_, &QPushButton::clicked, this, &QDialog::accept);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  close_->setDefault(true);
  resize(560, 420);
}

}  // namespace zo::app
