// A catalogue text as a widget shows it (UTF-8, each line break as '\n'),
// a stored time as the user reads it, and a stored colour (0x00BBGGRR, red
// in the low byte) as a widget paints it.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <string>

#include "texts/TextCatalogue.h"

namespace zo::app {

inline QString Q(const std::string& text) {
  return QString::fromStdString(texts::TextCatalogue::DisplayLines(text));
}

// A time kept as seconds since 1970 (UTC) as the user reads it: local, to
// the second.
inline std::string LocalTimeText(std::int64_t seconds) {
  return QDateTime::fromSecsSinceEpoch(seconds)
      .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
      .toStdString();
}

inline QColor FromStored(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace zo::app
