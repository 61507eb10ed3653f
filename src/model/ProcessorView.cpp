#include "ProcessorView.h"

#include <array>
#include <cstdio>

#include "ImageLayout.h"
#include "ParameterGrid.h"
#include "ValueFormat.h"

namespace zo::model {

namespace {

using PinTable = std::array<const char*, ProcessorView::kPins>;
using InputTable = std::array<const char*, ProcessorView::kInputs>;

constexpr PinTable kPins80{"B.0 Sw8-LAM",
                           "B.1 Symulacja",
                           "B.2 MotorD",
                           "B.3 MotorB",
                           "B.4 MotorC",
                           "B.5 MotorA",
                           "",
                           "",
                           "C.0 ADC LAM",
                           "C.1 ADC TPS",
                           "C.2 ADC PrógTPS",
                           "C.3 ADC ZałGaz",
                           "C.4 ADC Sw3-TPS",
                           "C.5 ADC Sw1-Man/Pc",
                           "",
                           "",
                           "D.0 RXD",
                           "D.1 TXD",
                           "D.2 Rez. TPS",
                           "D.3 Rez. LAM 47k",
                           "D.4 Rez. LAM 2M",
                           "D.5 Sw5-REZ",
                           "D.6 Sw6-REZ",
                           "D.7 Sw7-LAM"};

constexpr PinTable kPins100{
    "B.0 MotorEN",    "B.1 MotorD",     "B.2 MotorC", "B.3 MotorB",      "B.4 MotorA",
    "B.5 TypTemp",    "B.6 PwmLinijka", "B.7 LEDgaz", "C.0 RezCewki",    "C.1",
    "C.2 TypWsk50",   "C.3 TypVela",    "C.4 LEDzie", "C.5 LEDcze",      "C.6 RezLam2M",
    "C.7 RezLam47k",  "D.0 RXD",        "D.1 TXD",    "D.2 Przełącznik", "D.3 ImpCewki",
    "D.4 Symmulacja", "D.5 Symmulacja", "D.6 PUwtry", "D.7 PUgazu"};

constexpr PinTable kPins101{
    "B.0 MotorEN",    "B.1 MotorD",      "B.2 MotorC", "B.3 MotorB",     "B.4 MotorA",
    "B.5 TypTemp",    "B.6 Przełącznik", "B.7 LEDgaz", "C.0 RezCewki",   "C.1",
    "C.2 TypWsk50",   "C.3 TypVela",     "C.4 ",       "C.5 RezTPS",     "C.6 RezLam2M",
    "C.7 RezLam47k",  "D.0 RXD",         "D.1 TXD",    "D.2 ImpWtrysku", "D.3 ImpCewki",
    "D.4 Symmulacja", "D.5 PwmLinijka",  "D.6 PUwtry", "D.7 PUgazu"};

constexpr InputTable kInputs80{"Sonda",   "TPS",        "Próg TPS", "Zał. gaz",
                               "Sw3-TPS", "Sw1-Man/Pc", "Sw2-TPS",  "Sw4-Sym"};
constexpr InputTable kInputs100{"Sonda",       "Symulacja", "TPS",      "Poziom gazu",
                                "Temperatura", "PSI",       "Stacyjka", "Zasilanie"};
constexpr InputTable kInputs50{"Sonda",       "", "TPS",      "Poziom gazu",
                               "Temperatura", "", "Stacyjka", "Zasilanie"};

const PinTable* PinsOf(int model) {
  switch (model) {
    case 80:
      return &kPins80;
    case 100:
    case 50:
      return &kPins100;
    case 101:
    case 51:
    case 150:
    case 151:
      return &kPins101;
    default:
      return nullptr;
  }
}

const InputTable* InputsOf(int model) {
  switch (model) {
    case 80:
      return &kInputs80;
    case 100:
    case 101:
    case 150:
    case 151:
      return &kInputs100;
    case 50:
    case 51:
      return &kInputs50;
    default:
      return nullptr;
  }
}

bool ValidPin(int pin) {
  return pin >= 0 && pin < ProcessorView::kPins;
}

}  // namespace

std::string ProcessorView::PinName(int model, int pin) {
  if (!ValidPin(pin)) return {};
  if (const PinTable* table = PinsOf(model)) return (*table)[static_cast<std::size_t>(pin)];
  const char port = static_cast<char>('B' + pin / 8);
  return std::string{port, '.', static_cast<char>('0' + pin % 8)};
}

std::string ProcessorView::InputName(int model, int input) {
  const InputTable* table = InputsOf(model);
  if (table == nullptr || input < 0 || input >= kInputs) return {};
  return (*table)[static_cast<std::size_t>(input)];
}

std::string ProcessorView::InputLabel(int input) {
  return "ADC" + std::to_string(input);
}

std::string ProcessorView::InputText(std::uint8_t raw) {
  return ValueFormat::Fixed(raw * 0.02, 2) + " [V]";
}

std::string ProcessorView::PinState(std::span<const std::uint8_t, 3> ports, int pin) {
  if (!ValidPin(pin)) return "0";
  const std::uint8_t port = ports[static_cast<std::size_t>(pin / 8)];
  return ((port >> (pin % 8)) & 1) != 0 ? "1" : "0";
}

std::string ProcessorView::DumpRowLabel(int row) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%X", static_cast<unsigned>(row - 1) & 0xFFFFu);
  return text.data();
}

std::string ProcessorView::DumpColumnLabel(int column) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%02X_", static_cast<unsigned>(column - 1) & 0xFFFFu);
  return text.data();
}

DumpCell ProcessorView::CellOf(int block, int offset) {
  return DumpCell{block + 1, offset + 1};
}

std::string ProcessorView::CellText(std::uint8_t value) {
  return std::to_string(value);
}

std::string ProcessorView::ResetCause(std::uint8_t resetCause) {
  switch (resetCause & 15) {
    case 0:
    case 8:
      return "Watchdog Reset";
    case 2:
      return "External Reset";
    case 4:
      return "Brown-out Reset";
    default:
      return "Power On Reset";
  }
}

std::optional<std::string> ProcessorView::ResetCauseHint(const link::ImageArea& image,
                                                         const ParameterGrid& grid, int selectedRow,
                                                         bool mouseOverValueCell) {
  const ParameterRow* first = grid.RowAt(1);
  if (first == nullptr || first->byte != link::ImageMap::kPowerErrors || selectedRow != 1 ||
      !mouseOverValueCell || image[link::ImageMap::kPowerErrors] == 0 ||
      !ImageLayout::IsPresent(image, link::ImageMap::kResetCause))
    return std::nullopt;
  return ResetCause(image[link::ImageMap::kResetCause]);
}

}  // namespace zo::model
