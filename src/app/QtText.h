// A catalogue text as a widget shows it: UTF-8 with each line break as '\n'.
#pragma once

#include <QString>
#include <string>

#include "TextCatalogue.h"

namespace zo::app {

inline QString Q(const std::string& text) {
  return QString::fromStdString(TextCatalogue::DisplayLines(text));
}

}  // namespace zo::app
