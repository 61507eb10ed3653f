// The recording as comma-separated text for spreadsheets: one row per sample
// from the oldest on, the time in seconds, every listed signal in physical
// units and the status and flag bytes. "." separates decimals and ","
// fields whatever the locale; the text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "link/LinkTypes.h"
#include "link/SampleHistory.h"
#include "model/ITextSource.h"
#include "model/LiveSignals.h"

namespace zo::files {

class RecordingCsv {
 public:
  // One field: quoted when it holds a separator, a quote or a line break.
  static std::string Field(const std::string& text);
  // The header's column for a signal: its name and unit, e.g. "LAM [V]".
  static std::string Column(model::SignalKind kind, const model::ITextSource& texts);
  // A signal's value as a number with the signal list's decimals; empty for
  // a faulty temperature reading.
  static std::string Value(model::SignalKind kind, std::uint8_t raw, std::uint8_t sensorType);
  static std::string Build(const link::ImageArea& image, const link::SampleHistory& history,
                           int firstSlot, const std::vector<model::SignalKind>& kinds,
                           const model::ITextSource& texts);
};

}  // namespace zo::files
