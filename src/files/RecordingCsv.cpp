#include "RecordingCsv.h"

#include "link/ImageMap.h"
#include "model/ValueFormat.h"
#include "texts/TextIds.h"

namespace zo::files {

namespace {

using model::SignalKind;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Unit(SignalKind kind, const model::ITextSource& texts) {
  switch (kind) {
    case SignalKind::Rpm:
      return Trimmed(texts.Text(txt::kUnitRpm));
    case SignalKind::Mot:
      return Trimmed(texts.Text(txt::kUnitPosition));
    case SignalKind::Def:
      return "[ms]";
    case SignalKind::Temperature:
      return "[°C]";
    case SignalKind::Ram:
    case SignalKind::Header:
      return {};
    default:
      return "[V]";
  }
}

}  // namespace

std::string RecordingCsv::Field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string RecordingCsv::Column(SignalKind kind, const model::ITextSource& texts) {
  const std::string name = Trimmed(texts.Text(model::LiveSignals::NameId(kind)));
  const std::string unit = Unit(kind, texts);
  return unit.empty() ? name : name + " " + unit;
}

std::string RecordingCsv::Value(SignalKind kind, std::uint8_t raw, std::uint8_t sensorType) {
  const double value = model::LiveSignals::Value(kind, raw, sensorType);
  switch (kind) {
    case SignalKind::Rpm:
    case SignalKind::Mot:
    case SignalKind::Ram:
      return model::ValueFormat::Fixed(value, 0);
    case SignalKind::Temperature:
      return raw >= 254 ? std::string() : model::ValueFormat::Fixed(value, 0);
    default:
      return model::ValueFormat::Fixed(value, 2);
  }
}

std::string RecordingCsv::Build(const link::ImageArea& image, const link::SampleHistory& history,
                                int firstSlot, const std::vector<SignalKind>& kinds,
                                const model::ITextSource& texts) {
  std::string csv = "time [s]";
  for (const SignalKind kind : kinds)
    csv += "," + Field(Column(kind, texts));
  csv += ",status,flags,flags2\n";
  const std::uint8_t sensorType = image[link::ImageMap::kTemperatureSensor];
  for (int i = 0; i < link::kHistoryLength; ++i) {
    const link::HistorySample& sample = history.At((firstSlot + i) % link::kHistoryLength);
    csv += model::ValueFormat::Fixed(i * 0.1, 1);
    for (const SignalKind kind : kinds) {
      const auto byte = static_cast<std::size_t>(model::LiveSignals::SampleByte(kind));
      csv += "," + Value(kind, sample[byte], sensorType);
    }
    for (const int byte : {model::LiveSignals::kStatusByte, model::LiveSignals::kFlagByte,
                           model::LiveSignals::kSecondFlagByte})
      csv += "," + std::to_string(sample[static_cast<std::size_t>(byte)]);
    csv += "\n";
  }
  return csv;
}

}  // namespace zo::files
