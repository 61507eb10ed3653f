#include "ValueFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "TemperatureTable.h"
#include "texts/TextIds.h"

namespace zo::model {

std::string ValueFormat::Fixed(double value, int decimals) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  if (result.ec != std::errc{}) return {};
  return std::string(buffer.data(), result.ptr);
}

std::string ValueFormat::SignedWhole(double value) {
  std::string text = Fixed(value, 0);
  if (!text.empty() && text.front() != '-') text.insert(text.begin(), '+');
  return text;
}

std::string ValueFormat::Format(std::uint8_t raw, ValueKind kind, double scale,
                                const ITextSource& texts, std::uint8_t sensorType) {
  const double value = raw * scale;
  switch (kind) {
    case ValueKind::Option:
      return std::to_string(raw);
    case ValueKind::Count:
    case ValueKind::Rpm:
    case ValueKind::Seconds:
      return Fixed(value, 0);
    case ValueKind::Volts:
    case ValueKind::Seconds001:
      return Fixed(value, 2);
    case ValueKind::Seconds01:
    case ValueKind::Millis:
      return Fixed(value, 1);
    case ValueKind::Temperature:
      return SignedWhole(TemperatureTable::Celsius(raw, sensorType));
    case ValueKind::Bit:
      return value == 0.0 ? "0" : "1";
    case ValueKind::OnOff:
      return texts.Text(raw == 0 ? txt::kValueNo : raw == 1 ? txt::kValueYes : txt::kValueSet);
    case ValueKind::Erase:
      return texts.Text(txt::kValueErase, 1);
  }
  return {};
}

std::string ValueFormat::Unit(ValueKind kind, double scale, const ITextSource& texts) {
  if (scale == 0.0) return {};
  switch (kind) {
    case ValueKind::Volts:
      return " [V]";
    case ValueKind::Seconds01:
    case ValueKind::Seconds:
    case ValueKind::Seconds001:
      return " [s]";
    case ValueKind::Rpm:
      return texts.Text(txt::kUnitRpm);
    case ValueKind::Temperature:
      return " ['C]";
    case ValueKind::Millis:
      return " [ms]";
    default:
      return {};
  }
}

std::uint8_t ValueFormat::Parse(std::string_view text, double scale) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
    ++start;
  // One sign at most; from_chars takes only "-", so a "+" is skipped here.
  bool negative = false;
  if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
    negative = text[start] == '-';
    ++start;
  }
  // After the sign a digit or the decimal point must follow (from_chars would
  // also read "inf" and "nan"; those are not numbers here).
  const std::string_view digits = text.substr(start);
  if (digits.empty() || (digits.front() != '.' && (digits.front() < '0' || digits.front() > '9')))
    return 0;
  double number = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number,
                                      std::chars_format::general);
  if (result.ec != std::errc{} || !std::isfinite(number)) return 0;
  if (negative) number = -number;
  // A zero scale only occurs on rows without a text box; read the number as is.
  const double quotient = scale == 0.0 ? number : number / scale;
  if (!std::isfinite(quotient)) return 0;
  double low = std::fmod(std::trunc(quotient), 256.0);
  if (low < 0) low += 256.0;
  return static_cast<std::uint8_t>(low);
}

}  // namespace zo::model
