#include "app/windows/ReportPainter.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace zo::app {

namespace {

constexpr double kMarginMm = 14;
constexpr double kGapMm = 6;        // between the two parameter columns
constexpr double kPadMm = 1.2;      // inside a table cell
constexpr double kIndentMm = 1.5;   // a grid indent space
constexpr double kSectionMm = 4.5;  // above a section heading
const QColor kShade(238, 238, 238);
const QColor kRule(120, 120, 120);

QString S(const std::string& text) {
  return QString::fromStdString(text);
}

// The program's own font family at `points`: it covers Polish and Cyrillic
// wherever the program's windows show them.
QFont Font(double points, bool bold) {
  QFont font = QApplication::font();
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

void ReportPainter::SetUpPage(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                   QPageLayout::Millimeter));
}

bool ReportPainter::Paint(QPagedPaintDevice& device, const report::ReportDocument& doc,
                          const QImage& scope) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  ReportPainter(device, painter, doc).PaintAll(scope);
  return painter.end();
}

ReportPainter::ReportPainter(QPagedPaintDevice& device, QPainter& painter,
                             const report::ReportDocument& doc)
    : device_(device),
      painter_(painter),
      doc_(doc),
      body_(Font(9, false)),
      bold_(Font(9, true)),
      heading_(Font(11.5, true)),
      title_(Font(17, true)),
      small_(Font(8, false)) {
  mm_ = device.logicalDpiY() / 25.4;
  width_ = device.width();
  line_ = QFontMetricsF(body_, &device).height() * 1.25;
  bottom_ = device.height() - 2 * QFontMetricsF(small_, &device).height();
  for (const auto* lines : {&doc.workshop, &doc.identity})
    for (const report::LabelledLine& line : *lines)
      labelWidth_ = std::max(labelWidth_, Width(S(line.label), body_));
  labelWidth_ += 3 * mm_;
}

void ReportPainter::PaintAll(const QImage& scope) {
  Title();
  Heading(doc_.workshopHeading);
  Labelled(doc_.workshop);
  Heading(doc_.controllerHeading);
  Labelled(doc_.identity);
  Parameters();
  Changes();
  Scope(scope);
  Footer();
}

double ReportPainter::Width(const QString& text, const QFont& font) const {
  return QFontMetricsF(font, &device_).horizontalAdvance(text);
}

// One line of text at the current height, shortened with "…" when it is
// wider than its room.
void ReportPainter::Text(double left, double width, const QString& text, const QFont& font,
                         Qt::Alignment align) {
  const QFontMetricsF metrics(font, &device_);
  painter_.setFont(font);
  painter_.setPen(Qt::black);
  painter_.drawText(QRectF(left, y_, width, line_), static_cast<int>(align | Qt::AlignVCenter),
                    metrics.elidedText(text, Qt::ElideRight, width));
}

void ReportPainter::Title() {
  const double height = QFontMetricsF(title_, &device_).height() * 1.3;
  painter_.setFont(title_);
  painter_.drawText(QRectF(0, y_, width_, height), Qt::AlignLeft | Qt::AlignVCenter, S(doc_.title));
  painter_.setFont(body_);
  painter_.drawText(QRectF(0, y_, width_, height), Qt::AlignRight | Qt::AlignVCenter,
                    S(doc_.date.label) + QStringLiteral(" ") + S(doc_.date.value));
  y_ += height;
  painter_.setPen(QPen(Qt::black, 0.5 * mm_));
  painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
}

void ReportPainter::Heading(const std::string& text) {
  const double height = QFontMetricsF(heading_, &device_).height() * 1.35;
  Room(kSectionMm * mm_ + height + 2 * line_);
  y_ += kSectionMm * mm_;
  painter_.setFont(heading_);
  painter_.setPen(Qt::black);
  painter_.drawText(QRectF(0, y_, width_, height), Qt::AlignLeft | Qt::AlignVCenter, S(text));
  y_ += height;
  painter_.setPen(QPen(kRule, 0.2 * mm_));
  painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
  y_ += 0.8 * mm_;
}

void ReportPainter::Labelled(const std::vector<report::LabelledLine>& lines) {
  for (const report::LabelledLine& line : lines) {
    Room(line_);
    Text(0, labelWidth_, S(line.label), body_);
    Text(labelWidth_, width_ - labelWidth_, S(line.value), bold_);
    y_ += line_;
  }
}

void ReportPainter::Room(double height) {
  if (y_ + height > bottom_) NextPage();
}

void ReportPainter::NextPage() {
  Footer();
  device_.newPage();
  ++page_;
  y_ = 0;
}

void ReportPainter::Footer() {
  const double height = QFontMetricsF(small_, &device_).height();
  painter_.setFont(small_);
  painter_.setPen(Qt::black);
  painter_.drawText(QRectF(0, device_.height() - height, width_, height), Qt::AlignCenter,
                    S(doc_.pageWord) + QStringLiteral(" %1").arg(page_));
}

// The widest name (with its indent) and the widest value of the grid, each
// with its cell's padding, in the parameter fonts.
void ReportPainter::MeasureParameters() {
  const double pad = 2 * kPadMm * mm_;
  nameWidth_ = Width(S(doc_.parameterColumns[0]), paramBold_) + pad;
  valueWidth_ = Width(S(doc_.parameterColumns[1]), paramBold_) + pad;
  for (const report::ParameterLine& row : doc_.parameters) {
    nameWidth_ =
        std::max(nameWidth_, row.indent * kIndentMm * mm_ + Width(S(row.name), paramBody_) + pad);
    valueWidth_ = std::max(valueWidth_, Width(S(row.value), paramBold_) + pad);
  }
}

// The grid's rows in two columns, the first half on the left, when its
// widest name and value fit half the page at 9 points, or else at 8; in one
// column at 9 points otherwise. What does not fit a page goes on the next.
void ReportPainter::Parameters() {
  Heading(doc_.parametersHeading);
  const double half = (width_ - kGapMm * mm_) / 2;
  columns_ = 1;
  for (const double points : {9.0, 8.0}) {
    paramBody_ = Font(points, false);
    paramBold_ = Font(points, true);
    MeasureParameters();
    if (nameWidth_ + valueWidth_ <= half) {
      columns_ = 2;
      nameWidth_ = half - valueWidth_;
      break;
    }
  }
  if (columns_ == 1) {
    paramBody_ = body_;
    paramBold_ = bold_;
    MeasureParameters();
    nameWidth_ = std::min(nameWidth_, width_ / 2);
    valueWidth_ = width_ - nameWidth_;
  }
  const double bodyLine = line_;
  line_ = QFontMetricsF(paramBody_, &device_).height() * 1.25;
  const std::size_t total = doc_.parameters.size();
  for (std::size_t next = 0; next < total;) {
    Room(2 * line_);
    const auto fit =
        static_cast<std::size_t>(std::max(1.0, std::floor((bottom_ - y_) / line_) - 1));
    const std::size_t left = total - next;
    const std::size_t perColumn = std::min(fit, columns_ == 1 ? left : (left + 1) / 2);
    const std::size_t count = std::min(left, perColumn * static_cast<std::size_t>(columns_));
    ParameterBlock(next, count, perColumn);
    next += count;
    if (next < total) NextPage();
  }
  line_ = bodyLine;
}

void ReportPainter::ParameterBlock(std::size_t first, std::size_t count, std::size_t perColumn) {
  const double pad = kPadMm * mm_;
  const double columnWidth = nameWidth_ + valueWidth_;
  const double top = y_;
  for (int column = 0; column < columns_; ++column) {
    const double left = column * (columnWidth + kGapMm * mm_);
    y_ = top;
    ParameterHeader(left);
    const std::size_t from = first + static_cast<std::size_t>(column) * perColumn;
    for (std::size_t i = from; i < std::min(first + count, from + perColumn); ++i) {
      const report::ParameterLine& row = doc_.parameters[i];
      if ((i - from) % 2 == 1) painter_.fillRect(QRectF(left, y_, columnWidth, line_), kShade);
      const double indent = pad + row.indent * kIndentMm * mm_;
      Text(left + indent, nameWidth_ - indent - pad, S(row.name), paramBody_);
      Text(left + nameWidth_ + pad, valueWidth_ - 2 * pad, S(row.value), paramBold_);
      y_ += line_;
    }
  }
  y_ = top + line_ * static_cast<double>(perColumn + 1);
}

void ReportPainter::ParameterHeader(double left) {
  const double pad = kPadMm * mm_;
  Text(left + pad, nameWidth_ - 2 * pad, S(doc_.parameterColumns[0]), paramBold_);
  Text(left + nameWidth_ + pad, valueWidth_ - 2 * pad, S(doc_.parameterColumns[1]), paramBold_);
  y_ += line_;
  painter_.setPen(QPen(kRule, 0.15 * mm_));
  painter_.drawLine(QPointF(left, y_), QPointF(left + nameWidth_ + valueWidth_, y_));
}

// The time and the cause as wide as their widest text, the change up to a
// third of the width, the parameter's name the rest.
void ReportPainter::Changes() {
  Heading(doc_.changesHeading);
  if (!doc_.HasChanges()) {
    Room(line_);
    Text(0, width_, S(doc_.noChanges), body_);
    y_ += line_;
    return;
  }
  std::array<QString, 4> header;
  std::array<double, 4> widths{};
  for (std::size_t c = 0; c < header.size(); ++c) {
    header[c] = S(doc_.changeColumns[c]);
    widths[c] = Width(header[c], bold_);
  }
  for (const journal::ChangeRow& row : doc_.changes) {
    widths[0] = std::max(widths[0], Width(S(row.time), body_));
    widths[2] = std::max(widths[2], Width(S(row.change), bold_));
    widths[3] = std::max(widths[3], Width(S(row.cause), body_));
  }
  for (double& width : widths)
    width += 2 * kPadMm * mm_;
  widths[2] = std::min(widths[2], width_ / 3);
  widths[1] = std::max(width_ / 5, width_ - widths[0] - widths[2] - widths[3]);
  ChangeRow(header, widths, true, false);
  bool shaded = false;
  for (const journal::ChangeRow& row : doc_.changes) {
    if (y_ + line_ > bottom_) {
      NextPage();
      ChangeRow(header, widths, true, false);
      shaded = false;
    }
    ChangeRow({S(row.time), S(row.parameter), S(row.change), S(row.cause)}, widths, false, shaded);
    shaded = !shaded;
  }
}

void ReportPainter::ChangeRow(const std::array<QString, 4>& cells,
                              const std::array<double, 4>& widths, bool header, bool shaded) {
  if (shaded) painter_.fillRect(QRectF(0, y_, width_, line_), kShade);
  const double pad = kPadMm * mm_;
  double left = 0;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    Text(left + pad, widths[c] - 2 * pad, cells[c], header || c == 2 ? bold_ : body_);
    left += widths[c];
  }
  y_ += line_;
  if (!header) return;
  painter_.setPen(QPen(kRule, 0.15 * mm_));
  painter_.drawLine(QPointF(0, y_), QPointF(width_, y_));
}

// The picture across the page's width, in its own proportions, framed.
void ReportPainter::Scope(const QImage& scope) {
  if (scope.isNull()) return;
  const double height = width_ * scope.height() / scope.width();
  Room(kSectionMm * mm_ + 2 * line_ + height);
  Heading(doc_.scopeHeading);
  const QRectF target(0, y_ + 0.5 * mm_, width_, height);
  // Stored without loss: JPEG would blur the one-pixel traces.
  painter_.setRenderHint(QPainter::LosslessImageRendering);
  painter_.drawImage(target, scope);
  painter_.setPen(QPen(Qt::black, 0.2 * mm_));
  painter_.drawRect(target);
  y_ = target.bottom();
}

}  // namespace zo::app
