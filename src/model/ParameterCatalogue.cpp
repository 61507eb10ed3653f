#include "ParameterCatalogue.h"

#include <array>

#include "ControllerModel.h"
#include "ImageLayout.h"

namespace zo::model {

namespace {

using link::ImageArea;
using K = ValueKind;
using O = OptionList;
using C = ColourGroup;
using M = link::ImageMap;

constexpr int kTextSet = 411;

int B(const ImageArea& image, int index) {
  return ImageLayout::Byte(image, index);
}

bool Always(const ImageArea&) {
  return true;
}
bool PowerErrors(const ImageArea& m) {
  return B(m, M::kPowerErrors) != 0;
}
bool LambdaError(const ImageArea& m) {
  return (B(m, M::kErrorFlags) & 1) != 0;
}
bool TpsErrorFlag(const ImageArea& m) {
  return (B(m, M::kErrorFlags) & 2) != 0;
}
bool HasTps(const ImageArea& m) {
  return B(m, M::kTpsType) != 4;
}
bool TpsRegulation(const ImageArea& m) {
  return HasTps(m) && B(m, M::kTpsRegulation) != 0;
}
bool Opening(const ImageArea& m) {
  return HasTps(m) && B(m, M::kOpening) != 0;
}
bool CutOff(const ImageArea& m) {
  return HasTps(m) && B(m, M::kCutOff) != 0;
}
bool Turbo(const ImageArea& m) {
  return B(m, M::kTurbo) != 0;
}
bool HasVacuum(const ImageArea& m) {
  return B(m, M::kVacuumType) != 0;
}
bool VacuumRegulation(const ImageArea& m) {
  return HasVacuum(m) && B(m, M::kVacuumRegulation) != 0;
}
bool HasLambda(const ImageArea& m) {
  return B(m, M::kLambdaType) != 4;
}
bool LambdaRegulation(const ImageArea& m) {
  return HasLambda(m) && B(m, M::kLambdaRegulation) == 1;
}
bool OwnSimulation(const ImageArea& m) {
  return HasLambda(m) && (B(m, M::kSimulation) == 1 || B(m, M::kSecondSimulation) == 1);
}
bool RpmRegulation(const ImageArea& m) {
  return B(m, M::kRpmRegulation) == 1;
}
bool InjectorEmulation(const ImageArea& m) {
  return B(m, M::kRelay) == 0;
}
bool SwitchOffTime(const ImageArea& m) {
  return B(m, M::kRelay) == 1 && !ControllerModel::IsVela150(m);
}
bool SwitchTemperature(const ImageArea& m) {
  return B(m, M::kSwitchByTemperature) == 1;
}
bool FourWayLevel(const ImageArea& m) {
  return ImageLayout::IsPresent(m, M::kLevelSensor);
}
bool LevelReserveOnly(const ImageArea& m) {
  return FourWayLevel(m) && (B(m, M::kSwitchPanelLamps) & 1) == 0;
}
bool LevelFull(const ImageArea& m) {
  return FourWayLevel(m) && (B(m, M::kSwitchPanelLamps) & 1) != 0;
}
bool TwoWayLevel(const ImageArea& m) {
  return !FourWayLevel(m);
}

constexpr double kVolt = 0.02;

// clang-format off
constexpr std::array<CatalogueEntry, 71> kEntries{{
    {M::kPowerErrors, 402, 0, K::Count, kEditButton, 255, 1, O::None, PowerErrors, C::Plain},
    {M::kErrorFlags, 404, 0, K::Erase, kEditButton, 255, 0, O::None, LambdaError, C::Plain},
    {M::kErrorFlags, 405, 0, K::Erase, kEditButton, 255, 0, O::None, TpsErrorFlag, C::Plain},
    {M::kCoilType, 413, 0, K::Option, kEditArrows, 6, 0, O::A, Always, C::RpmHead},
    {M::kCoilSignal, 414, 2, K::Option, kEditArrows, 1, 0, O::B, Always, C::RpmLight},
    {M::kTpsType, 425, 0, K::Option, kEditArrows, 4, 0, O::C, Always, C::TpsHead},
    {M::kTpsThreshold, 436, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, HasTps, C::TpsLight},
    {M::kTpsRegulation, 530, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kTpsHysteresis, 531, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsEnrichment, 532, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsWeakening, 533, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsActuatorSpeed, 534, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kOpening, 510, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kOpeningThreshold, 511, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, Opening, C::TpsLight},
    {M::kOpeningPosition, 512, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Opening, C::TpsLight},
    {M::kOpeningActuatorSpeed, 513, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Opening, C::TpsLight},
    {M::kCutOff, 520, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kCutOffRpm, 521, 4, K::Rpm, kEditTextAndArrows, 100, 100, O::None, CutOff, C::TpsLight},
    {M::kCutOffPosition, 522, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, CutOff, C::TpsLight},
    {M::kCutOffActuatorSpeed, 523, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, CutOff, C::TpsLight},
    {M::kTurbo, 519, 2, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::TpsLight},
    {M::kTurboThreshold, 511, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, Turbo, C::TpsLight},
    {M::kTurboPosition, 512, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Turbo, C::TpsLight},
    {M::kTurboActuatorSpeed, 513, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Turbo, C::TpsLight},
    {M::kVacuumType, 570, 0, K::Option, kEditArrows, 2, 0, O::D, Always, C::Plain},
    {M::kVacuumRegulation, 575, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasVacuum, C::Plain},
    {M::kVacuumEnrichment, 576, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kVacuumWeakening, 577, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kVacuumActuatorSpeed, 578, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kLambdaType, 440, 0, K::Option, kEditArrows, 4, 0, O::E, Always, C::LamHead},
    {M::kLambdaSensor, 453, 2, K::Option, kEditArrows, 1, 0, O::F, HasLambda, C::LamBlock},
    {M::kLambdaSensorSigned, 453, 2, K::Option, kEditArrows, 2, 0, O::G, HasLambda, C::LamBlock},
    {M::kLambdaRegulation, 540, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasLambda, C::LamBlock},
    {M::kLambdaThreshold, 544, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaActuatorSpeed, 545, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaSpeedAboveTps, 546, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaSpeedBelowTps, 547, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaCold, 451, 2, K::Seconds, kEditTextAndArrows, 255, 5, O::None, HasLambda, C::LamBlock},
    {M::kSuction, 459, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, HasLambda, C::LamBlock},
    {M::kSimulation, 460, 0, K::Option, kEditArrows, 4, 0, O::H, HasLambda, C::Sim},
    {M::kSecondSimulation, 460, 0, K::Option, kEditArrows, kMaxBySimulationVersion, 0, O::H98, HasLambda, C::Sim},
    {M::kSimulationTimeHi, 470, 2, K::Seconds001, kEditTextAndArrows, 255, 0.02, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationTimeLo, 471, 2, K::Seconds001, kEditTextAndArrows, 255, 0.02, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationTimeOff, 472, 2, K::Seconds01, kEditTextAndArrows, 255, 0.2, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationImpulse, 473, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, OwnSimulation, C::LamBlock},
    {M::kRpmRegulation, 548, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::Plain},
    {M::kRpmActuatorSpeed, 549, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, RpmRegulation, C::Plain},
    {M::kRelay, 490, 0, K::Option, kEditArrows, 1, 0, O::I, Always, C::White},
    {M::kSwitchOverTime, 480, kIndentBySwitchModel, K::Seconds001, kEditTextAndArrows, 255, 0.01, O::None, InjectorEmulation, C::White},
    {M::kSwitchOffTime, 479, 2, K::Seconds, kEditTextAndArrows, 255, 1, O::None, SwitchOffTime, C::White},
    {M::kSwitchOverType, 475, 0, K::Option, kEditArrows, 2, 0, O::J, Always, C::White},
    {M::kSwitchOverRpm, 483, 2, K::Rpm, kEditTextAndArrows, 100, 100, O::None, Always, C::White},
    {M::kSwitchingPosition, 953, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::White},
    {M::kSwitchByTemperature, 481, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::White},
    {M::kTemperatureThreshold, 482, 2, K::Temperature, kEditArrows, 255, 1, O::None, SwitchTemperature, C::White},
    {M::kTemperatureSensor, 485, 2, K::Option, kEditArrows, 1, 0, O::K, SwitchTemperature, C::White},
    {M::kMaxGasRpm, 484, 0, K::Rpm, kEditTextAndArrows, 100, 100, O::None, Always, C::White},
    {M::kMaxPosition, 505, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kPosition3000, 506, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kPosition900, 507, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kMinPosition, 508, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kLeakage, 592, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::MotLight},
    {M::kSwitchPanelLamps, 956, 0, K::Option, kEditArrows, 1, 0, O::L, Always, C::Switch},
    {M::kLevelSensor, 495, 0, K::Option, kEditArrows, 3, 0, O::M, Always, C::Switch},
    {M::kLevel1, 504, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelReserveOnly, C::LevelThreshold},
    {M::kLevel1, 500, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel2, 501, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel3, 502, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel4, 503, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevelSensorTwoWay, 495, 0, K::Option, kEditArrows, 1, 0, O::N, TwoWayLevel, C::Switch},
    {M::kLevel1, 504, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, TwoWayLevel, C::LevelThreshold},
}};
// clang-format on

// Option texts by value: catalogue text ids; list K holds literal names.
constexpr std::array<int, 7> kCoilType{415, 416, 417, 418, 419, 420, 421};
constexpr std::array<int, 2> kCoilSignal{427, 432};
constexpr std::array<int, 5> kTpsType{427, 428, 429, 430, 431};
constexpr std::array<int, 3> kVacuumType{571, 572, 573};
constexpr std::array<int, 5> kLambdaType{442, 443, 444, 445, 446};
constexpr std::array<int, 2> kLambda75{454, 455};
constexpr std::array<int, 3> kLambda90{454, 456, 457};
constexpr std::array<int, 5> kSimulation{462, 463, 464, 465, 466};
constexpr std::array<int, 7> kSimulation98{462, 463, 464, 465, 466, 467, 571};
constexpr std::array<int, 2> kRelay{491, 492};
constexpr std::array<int, 3> kSwitchType{476, 477, 478};
constexpr std::array<int, 2> kPetrolGasSwitch{957, 958};
constexpr std::array<int, 4> kLevelSensor{496, 497, 498, 499};
constexpr std::array<int, 2> kLevelTwoWay{590, 591};
constexpr std::array<const char*, 2> kSensorNames{"CTRG-10k", "CT-2k2"};

std::span<const int> TextIds(OptionList list) {
  switch (list) {
    case O::A:
      return kCoilType;
    case O::B:
      return kCoilSignal;
    case O::C:
      return kTpsType;
    case O::D:
      return kVacuumType;
    case O::E:
      return kLambdaType;
    case O::F:
      return kLambda75;
    case O::G:
      return kLambda90;
    case O::H:
      return kSimulation;
    case O::H98:
      return kSimulation98;
    case O::I:
      return kRelay;
    case O::J:
      return kSwitchType;
    case O::L:
      return kPetrolGasSwitch;
    case O::M:
      return kLevelSensor;
    case O::N:
      return kLevelTwoWay;
    case O::K:
    case O::None:
      break;
  }
  return {};
}

}  // namespace

std::span<const CatalogueEntry> ParameterCatalogue::Entries() {
  return kEntries;
}

int ParameterCatalogue::Indent(const CatalogueEntry& entry, const link::ImageArea& image) {
  if (entry.indent != kIndentBySwitchModel) return entry.indent;
  return ControllerModel::IsVela150(image) ? 0 : 2;
}

int ParameterCatalogue::Maximum(const CatalogueEntry& entry, const link::ImageArea& image) {
  if (entry.maximum != kMaxBySimulationVersion) return entry.maximum;
  return ControllerModel::OffersSimulationBrak(image) ? 6 : 5;
}

int ParameterCatalogue::OptionCount(OptionList list) {
  if (list == O::K) return static_cast<int>(kSensorNames.size());
  return static_cast<int>(TextIds(list).size());
}

std::string ParameterCatalogue::OptionText(OptionList list, std::uint8_t value,
                                           const ITextSource& texts) {
  if (value >= OptionCount(list)) return texts.Text(kTextSet);
  if (list == O::K) return kSensorNames[value];
  return texts.Text(TextIds(list)[value]);
}

bool ParameterCatalogue::IsListed(const CatalogueEntry& entry, const link::ImageArea& image) {
  return ImageLayout::IsPresent(image, entry.byte) && entry.condition(image);
}

}  // namespace zo::model
