#include "app/windows/ConnectionCheckWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "diagnostics/CheckReportText.h"
#include "texts/TextCatalogue.h"
#include "texts/TextIds.h"

namespace zo::app {

namespace {

constexpr int kMinWidth = 560;
constexpr int kMinHeight = 420;

QString Escaped(const std::string& text) {
  return Q(text).toHtmlEscaped();
}

}  // namespace

ConnectionCheckWindow::ConnectionCheckWindow(QWidget* parent, const texts::TextCatalogue& texts)
    : QDialog(parent), texts_(texts) {
  setObjectName(QStringLiteral("ConnectionCheckWindow"));
  setWindowTitle(Plain(txt::kCheckTitle));
  setMinimumSize(kMinWidth, kMinHeight);
  auto* layout = new QVBoxLayout(this);
  ports_ = new QTreeWidget(this);
  ports_->setObjectName(QStringLiteral("CheckPorts"));
  ports_->setHeaderLabels({Plain(txt::kCheckDevice), Plain(txt::kCheckDriver),
                           Plain(txt::kCheckMaker), Plain(txt::kCheckProduct)});
  ports_->setRootIsDecorated(false);
  ports_->setUniformRowHeights(true);
  ports_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ports_->header()->setStretchLastSection(true);
  layout->addWidget(ports_, 2);
  noPorts_ = new QLabel(Plain(txt::kCheckNoPorts), this);
  noPorts_->setObjectName(QStringLiteral("CheckNoPorts"));
  noPorts_->setWordWrap(true);
  layout->addWidget(noPorts_);
  layout->addWidget(new QLabel(Plain(txt::kCheckFindings), this));
  findings_ = new QTextBrowser(this);
  findings_->setObjectName(QStringLiteral("CheckFindings"));
  findings_->setOpenLinks(false);
  layout->addWidget(findings_, 3);
  auto* buttons = new QHBoxLayout;
  auto* again = new QPushButton(Q(texts_.Text(txt::kCheckAgain)).trimmed(), this);
  again->setObjectName(QStringLiteral("BtnCheckAgain"));
  auto* close = new QPushButton(Plain(txt::kClose), this);
  close->setObjectName(QStringLiteral("BtnClose"));
  buttons->addWidget(again);
  buttons->addStretch();
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(again, &QPushButton::clicked, this, &ConnectionCheckWindow::CheckAgainClicked);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QString ConnectionCheckWindow::Plain(int textId) const {
  return Q(texts_.Text(textId)).remove('&').trimmed();
}

void ConnectionCheckWindow::Show(const diagnostics::CheckReport& report) {
  ports_->clear();
  for (const diagnostics::PortReport& port : report.ports) {
    const auto columns = diagnostics::CheckReportText::Columns(port, texts_);
    auto* row = new QTreeWidgetItem(
        ports_, {Q(columns.device), Q(columns.driver), Q(columns.maker), Q(columns.product)});
    row->setToolTip(0, Q(columns.device));
  }
  noPorts_->setVisible(report.ports.empty());

  QString html;
  for (const diagnostics::Finding& finding : report.findings) {
    const auto lines = diagnostics::CheckReportText::Lines(finding, texts_);
    html += QStringLiteral("<p><b>") + Escaped(lines.statement) +
            QStringLiteral("</b><br>&rarr; ") + Escaped(lines.remedy) + QStringLiteral("</p>");
  }
  if (report.findings.empty())
    html =
        QStringLiteral("<p>") + Plain(txt::kCheckAllClear).toHtmlEscaped() + QStringLiteral("</p>");
  findings_->setHtml(html);
}

}  // namespace zo::app
