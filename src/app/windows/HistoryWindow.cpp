#include "app/windows/HistoryWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

// A caption without the accelerator mark, the label's " :" and spaces.
QString Caption(const texts::TextCatalogue& texts, int id) {
  QString text = Q(texts.Text(id)).remove('&').trimmed();
  while (text.endsWith(':'))
    text = text.chopped(1).trimmed();
  return text;
}

QPushButton* Button(QWidget* parent, const QString& caption, const char* name) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* parent, const texts::TextCatalogue& texts,
                             journal::ChangeTable table, std::vector<journal::JournalEntry> entries)
    : QDialog(parent), table_(std::move(table)), entries_(std::move(entries)) {
  setObjectName(QStringLiteral("HistoryWindow"));
  setWindowTitle(Caption(texts, txt::kChangeHistory));
  auto* layout = new QVBoxLayout(this);
  auto* chooser = new QHBoxLayout;
  chooser->addWidget(new QLabel(Caption(texts, txt::kJournalLabel), this));
  choice_ = new QComboBox(this);
  choice_->setObjectName(QStringLiteral("JournalChoice"));
  choice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  for (const journal::JournalEntry& entry : entries_)
    choice_->addItem(Q(entry.title));
  chooser->addWidget(choice_, 1);
  layout->addLayout(chooser);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("HistoryTree"));
  tree_->setHeaderLabels({Caption(texts, txt::kColumnTime), Caption(texts, txt::kHeaderParameter),
                          Caption(texts, txt::kColumnChange), Caption(texts, txt::kColumnCause)});
  tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tree_->setUniformRowHeights(true);
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(tree_, 1);
  auto* none = new QLabel(Q(texts.Text(txt::kNoJournal)), this);
  none->setObjectName(QStringLiteral("NoJournal"));
  none->setWordWrap(true);
  layout->addWidget(none);
  auto* buttons = new QHBoxLayout;
  copy_ = Button(this, Caption(texts, txt::kCopy), "BtnCopy");
  export_ = Button(this, Caption(texts, txt::kExportAsCsv), "BtnExportCsv");
  QPushButton* close = Button(this, Caption(texts, txt::kClose), "BtnClose");
  buttons->addWidget(copy_);
  buttons->addWidget(export_);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  const bool any = !entries_.empty();
  for (QWidget* widget : std::initializer_list<QWidget*>{choice_, tree_, copy_, export_})
    widget->setEnabled(any);
  none->setVisible(!any);
  connect(choice_, &QComboBox::currentIndexChanged, this, &HistoryWindow::ShowJournal);
  connect(copy_, &QPushButton::clicked, this,
          [this] { QApplication::clipboard()->setText(Q(CopiedText())); });
  connect(export_, &QPushButton::clicked, this, [this] {
    const int index = choice_->currentIndex();
    if (index >= 0)
      emit ExportRequested(table_.Csv(entries_[static_cast<std::size_t>(index)].sessions));
  });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  ShowJournal(choice_->currentIndex());
  resize(760, 480);
}

void HistoryWindow::ShowJournal(int index) {
  tree_->clear();
  if (index < 0 || index >= static_cast<int>(entries_.size())) return;
  for (const journal::SessionRows& session :
       table_.Sessions(entries_[static_cast<std::size_t>(index)].sessions)) {
    auto* heading = new QTreeWidgetItem(tree_, {Q(session.heading)});
    heading->setFirstColumnSpanned(true);
    for (const journal::ChangeRow& row : session.rows)
      new QTreeWidgetItem(heading, {Q(row.time), Q(row.parameter), Q(row.change), Q(row.cause)});
  }
  tree_->expandAll();
  if (tree_->topLevelItemCount() > 0) tree_->scrollToItem(tree_->topLevelItem(0));
}

std::string HistoryWindow::CopiedText() const {
  std::vector<journal::ChangeRow> rows;
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  const auto take = [&rows](const QTreeWidgetItem* item) {
    if (item->parent() == nullptr) return;  // a session's heading
    rows.push_back({item->text(0).toStdString(), item->text(1).toStdString(),
                    item->text(2).toStdString(), item->text(3).toStdString()});
  };
  if (!selected.isEmpty()) {
    for (const QTreeWidgetItem* item : selected)
      take(item);
  } else {
    for (int s = 0; s < tree_->topLevelItemCount(); ++s) {
      const QTreeWidgetItem* session = tree_->topLevelItem(s);
      for (int c = 0; c < session->childCount(); ++c)
        take(session->child(c));
    }
  }
  return journal::ChangeTable::Tabbed(rows);
}

}  // namespace zo::app
