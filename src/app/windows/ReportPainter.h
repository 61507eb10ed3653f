// Lays the service report out on the pages of a PDF file or a printer: the
// title, the workshop, the controller's identity, its parameters (in two
// columns when one does not fit the page), this session's changes as a
// table, and the oscilloscope's last minute as a picture; a new page when one
// is full, and "Page n" at the foot of each. The text stays text, in the
// program's font, so the file can be searched and copied from.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <vector>

#include "report/ReportDocument.h"

class QImage;
class QPagedPaintDevice;
class QPainter;

namespace zo::app {

class ReportPainter {
 public:
  // A4 upright with the report's margins.
  static void SetUpPage(QPagedPaintDevice& device);
  // Paints the report; false when the device could not be painted on.
  static bool Paint(QPagedPaintDevice& device, const report::ReportDocument& doc,
                    const QImage& scope);

 private:
  ReportPainter(QPagedPaintDevice& device, QPainter& painter, const report::ReportDocument& doc);

  void PaintAll(const QImage& scope);
  void Title();
  void Heading(const std::string& text);
  void Labelled(const std::vector<report::LabelledLine>& lines);
  void Parameters();
  void MeasureParameters();
  void ParameterBlock(std::size_t first, std::size_t count, std::size_t perColumn);
  void ParameterHeader(double left);
  void Changes();
  void ChangeRow(const std::array<QString, 4>& cells, const std::array<double, 4>& widths,
                 bool header, bool shaded);
  void Scope(const QImage& scope);
  // A new page when less than `height` is left on this one.
  void Room(double height);
  void NextPage();
  void Footer();
  void Text(double left, double width, const QString& text, const QFont& font,
            Qt::Alignment align = Qt::AlignLeft);
  [[nodiscard]] double Width(const QString& text, const QFont& font) const;
  [[nodiscard]] double Line() const { return line_; }

  QPagedPaintDevice& device_;
  QPainter& painter_;
  const report::ReportDocument& doc_;
  QFont body_;
  QFont bold_;
  QFont heading_;
  QFont title_;
  QFont small_;
  double mm_ = 1;      // device units per millimetre
  double width_ = 0;   // of the printable area
  double bottom_ = 0;  // where the footer begins
  double line_ = 0;    // a body line's height
  double labelWidth_ = 0;
  // The parameter table: its fonts, its columns' widths, one or two columns.
  QFont paramBody_;
  QFont paramBold_;
  double nameWidth_ = 0;
  double valueWidth_ = 0;
  int columns_ = 1;
  double y_ = 0;
  int page_ = 1;
};

}  // namespace zo::app
