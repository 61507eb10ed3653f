#include "ParameterCatalogue.h"

#include <array>

#include "ControllerModel.h"
#include "ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::model {

namespace {

using link::ImageArea;
using K = ValueKind;
using O = OptionList;
using C = ColourGroup;
using M = link::ImageMap;

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
    {M::kPowerErrors, txt::kParamPowerErrors, 0, K::Count, kEditButton, 255, 1, O::None, PowerErrors, C::Plain},
    {M::kErrorFlags, txt::kParamLambdaErrors, 0, K::Erase, kEditButton, 255, 0, O::None, LambdaError, C::Plain},
    {M::kErrorFlags, txt::kParamTpsErrors, 0, K::Erase, kEditButton, 255, 0, O::None, TpsErrorFlag, C::Plain},
    {M::kCoilType, txt::kParamCoilType, 0, K::Option, kEditArrows, 6, 0, O::A, Always, C::RpmHead},
    {M::kCoilSignal, txt::kParamCoilSignal, 2, K::Option, kEditArrows, 1, 0, O::B, Always, C::RpmLight},
    {M::kTpsType, txt::kParamTpsType, 0, K::Option, kEditArrows, 4, 0, O::C, Always, C::TpsHead},
    {M::kTpsThreshold, txt::kParamTpsThreshold, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, HasTps, C::TpsLight},
    {M::kTpsRegulation, txt::kParamTpsAdjustment, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kTpsHysteresis, txt::kParamTpsHysteresis, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsEnrichment, txt::kParamTpsEnrichment, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsWeakening, txt::kParamTpsWeakening, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kTpsActuatorSpeed, txt::kParamTpsActuatorSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, TpsRegulation, C::TpsLight},
    {M::kOpening, txt::kParamOpening, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kOpeningThreshold, txt::kParamActionTpsThreshold, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, Opening, C::TpsLight},
    {M::kOpeningPosition, txt::kParamActuatorPosition, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Opening, C::TpsLight},
    {M::kOpeningActuatorSpeed, txt::kParamActuatorSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Opening, C::TpsLight},
    {M::kCutOff, txt::kParamCutOff, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasTps, C::TpsLight},
    {M::kCutOffRpm, txt::kParamCutOffRpm, 4, K::Rpm, kEditTextAndArrows, 100, 100, O::None, CutOff, C::TpsLight},
    {M::kCutOffPosition, txt::kParamCutOffPosition, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, CutOff, C::TpsLight},
    {M::kCutOffActuatorSpeed, txt::kParamCutOffSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, CutOff, C::TpsLight},
    {M::kTurbo, txt::kParamTurbo, 2, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::TpsLight},
    {M::kTurboThreshold, txt::kParamActionTpsThreshold, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, Turbo, C::TpsLight},
    {M::kTurboPosition, txt::kParamActuatorPosition, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Turbo, C::TpsLight},
    {M::kTurboActuatorSpeed, txt::kParamActuatorSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, Turbo, C::TpsLight},
    {M::kVacuumType, txt::kParamVacuumType, 0, K::Option, kEditArrows, 2, 0, O::D, Always, C::Plain},
    {M::kVacuumRegulation, txt::kParamVacuumAdjustment, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasVacuum, C::Plain},
    {M::kVacuumEnrichment, txt::kParamVacuumEnrichment, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kVacuumWeakening, txt::kParamVacuumWeakening, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kVacuumActuatorSpeed, txt::kParamVacuumActuatorSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, VacuumRegulation, C::Plain},
    {M::kLambdaType, txt::kParamLambdaType, 0, K::Option, kEditArrows, 4, 0, O::E, Always, C::LamHead},
    {M::kLambdaSensor, txt::kParamLambdaSensor, 2, K::Option, kEditArrows, 1, 0, O::F, HasLambda, C::LamBlock},
    {M::kLambdaSensorSigned, txt::kParamLambdaSensor, 2, K::Option, kEditArrows, 2, 0, O::G, HasLambda, C::LamBlock},
    {M::kLambdaRegulation, txt::kParamLambdaAdjustment, 2, K::OnOff, kEditArrows, 1, 0, O::None, HasLambda, C::LamBlock},
    {M::kLambdaThreshold, txt::kParamLambdaThreshold, 4, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaActuatorSpeed, txt::kParamLambdaActuatorSpeed, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaSpeedAboveTps, txt::kParamSpeedAboveTps, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaSpeedBelowTps, txt::kParamSpeedBelowTps, 4, K::Count, kEditTextAndArrows, 255, 1, O::None, LambdaRegulation, C::LamBlock},
    {M::kLambdaCold, txt::kParamLambdaColdTime, 2, K::Seconds, kEditTextAndArrows, 255, 5, O::None, HasLambda, C::LamBlock},
    {M::kSuction, txt::kParamSuction, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, HasLambda, C::LamBlock},
    {M::kSimulation, txt::kParamSimulation, 0, K::Option, kEditArrows, 4, 0, O::H, HasLambda, C::Sim},
    {M::kSecondSimulation, txt::kParamSimulation, 0, K::Option, kEditArrows, kMaxBySimulationVersion, 0, O::H98, HasLambda, C::Sim},
    {M::kSimulationTimeHi, txt::kParamTimeHigh, 2, K::Seconds001, kEditTextAndArrows, 255, 0.02, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationTimeLo, txt::kParamTimeLow, 2, K::Seconds001, kEditTextAndArrows, 255, 0.02, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationTimeOff, txt::kParamTimeOff, 2, K::Seconds01, kEditTextAndArrows, 255, 0.2, O::None, OwnSimulation, C::LamBlock},
    {M::kSimulationImpulse, txt::kParamImpulse, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, OwnSimulation, C::LamBlock},
    {M::kRpmRegulation, txt::kParamRpmAdjustment, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::Plain},
    {M::kRpmActuatorSpeed, txt::kParamRpmActuatorSpeed, 2, K::Count, kEditTextAndArrows, 255, 1, O::None, RpmRegulation, C::Plain},
    {M::kRelay, txt::kParamRelay, 0, K::Option, kEditArrows, 1, 0, O::I, Always, C::White},
    {M::kSwitchOverTime, txt::kParamSwitchOverTime, kIndentBySwitchModel, K::Seconds001, kEditTextAndArrows, 255, 0.01, O::None, InjectorEmulation, C::White},
    {M::kSwitchOffTime, txt::kParamSwitchOffTime, 2, K::Seconds, kEditTextAndArrows, 255, 1, O::None, SwitchOffTime, C::White},
    {M::kSwitchOverType, txt::kParamSwitchOverType, 0, K::Option, kEditArrows, 2, 0, O::J, Always, C::White},
    {M::kSwitchOverRpm, txt::kParamSwitchOverRpm, 2, K::Rpm, kEditTextAndArrows, 100, 100, O::None, Always, C::White},
    {M::kSwitchingPosition, txt::kParamSwitchingPosition, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::White},
    {M::kSwitchByTemperature, txt::kParamSwitchOverTemperature, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::White},
    {M::kTemperatureThreshold, txt::kParamTemperature, 2, K::Temperature, kEditArrows, 255, 1, O::None, SwitchTemperature, C::White},
    {M::kTemperatureSensor, txt::kParamTemperatureSensor, 2, K::Option, kEditArrows, 1, 0, O::K, SwitchTemperature, C::White},
    {M::kMaxGasRpm, txt::kParamMaxLpgRpm, 0, K::Rpm, kEditTextAndArrows, 100, 100, O::None, Always, C::White},
    {M::kMaxPosition, txt::kParamMaxActuatorLevel, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kPosition3000, txt::kParamLevelAt3000Rpm, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kPosition900, txt::kParamLevelAt900Rpm, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kMinPosition, txt::kParamMinActuatorLevel, 0, K::Count, kEditTextAndArrows, 255, 1, O::None, Always, C::MotLight},
    {M::kLeakage, txt::kParamLeakage, 0, K::OnOff, kEditArrows, 1, 0, O::None, Always, C::MotLight},
    {M::kSwitchPanelLamps, txt::kParamSwitchPanel, 0, K::Option, kEditArrows, 1, 0, O::L, Always, C::Switch},
    {M::kLevelSensor, txt::kParamLevelSensor, 0, K::Option, kEditArrows, 3, 0, O::M, Always, C::Switch},
    {M::kLevel1, txt::kParamLevelReserve, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelReserveOnly, C::LevelThreshold},
    {M::kLevel1, txt::kParamLevelOneQuarter, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel2, txt::kParamLevelTwoQuarters, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel3, txt::kParamLevelThreeQuarters, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevel4, txt::kParamLevelFull, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, LevelFull, C::LevelThreshold},
    {M::kLevelSensorTwoWay, txt::kParamLevelSensor, 0, K::Option, kEditArrows, 1, 0, O::N, TwoWayLevel, C::Switch},
    {M::kLevel1, txt::kParamLevelReserve, 2, K::Volts, kEditTextAndArrows, 255, kVolt, O::None, TwoWayLevel, C::LevelThreshold},
}};
// clang-format on

// Option texts by value: catalogue text ids; list K holds literal names.
constexpr std::array<int, 7> kCoilType{txt::kOptCoil4Cylinders,    txt::kOptCoil5Cylinders,
                                       txt::kOptCoil6Cylinders,    txt::kOptCoil8Cylinders,
                                       txt::kOptCoilFor2Cylinders, txt::kOptCoilFor1Cylinder,
                                       txt::kOptCoil3Cylinders};
constexpr std::array<int, 2> kCoilSignal{txt::kOpt0To5V, txt::kOpt0To12V};
constexpr std::array<int, 5> kTpsType{txt::kOpt0To5V, txt::kOpt5To0V, txt::kOptTpsSwitchOver,
                                      txt::kOptTpsReverseSwitchOver, txt::kAbsent};
constexpr std::array<int, 3> kVacuumType{txt::kOptVacuumAbsent, txt::kOptVacuum0To2V,
                                         txt::kOptVacuum0To5V};
constexpr std::array<int, 5> kLambdaType{txt::kOptLambda0To1V, txt::kOptLambda0To5V,
                                         txt::kOptLambda5To0V, txt::kOptLambda08To16V,
                                         txt::kOptLambdaAbsent};
constexpr std::array<int, 2> kLambda75{txt::kOptLambdaStandard, txt::kOptLambdaResistive};
constexpr std::array<int, 3> kLambda90{txt::kOptLambdaStandard, txt::kOptLambdaResistiveMinus,
                                       txt::kOptLambdaResistivePlus};
constexpr std::array<int, 5> kSimulation{txt::kOptSimulationFrame, txt::kOptSimulationOwn,
                                         txt::kOptSimulationDisconnected,
                                         txt::kOptSimulationTypical, txt::kOptSimulationAuto};
constexpr std::array<int, 7> kSimulation98{
    txt::kOptSimulationFrame,   txt::kOptSimulationOwn,  txt::kOptSimulationDisconnected,
    txt::kOptSimulationTypical, txt::kOptSimulationAuto, txt::kOptSimulationObd,
    txt::kOptVacuumAbsent};
constexpr std::array<int, 2> kRelay{txt::kOptRelayInjectorEmulation, txt::kOptRelayMemoryErase};
constexpr std::array<int, 3> kSwitchType{txt::kOptSwitchRpmAndTps, txt::kOptSwitchRpmUp,
                                         txt::kOptSwitchRpmDown};
constexpr std::array<int, 2> kPetrolGasSwitch{txt::kOptSwitchReserveLed, txt::kOptSwitchFullLeds};
constexpr std::array<int, 4> kLevelSensor{txt::kOptLevel90OhmFalling, txt::kOptLevel90OhmRising,
                                          txt::kOptLevel50kOhmFalling, txt::kOptLevel50kOhmRising};
constexpr std::array<int, 2> kLevelTwoWay{txt::kOptLevelFalling, txt::kOptLevelRising};
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
  if (value >= OptionCount(list)) return texts.Text(txt::kValueSet);
  if (list == O::K) return kSensorNames[value];
  return texts.Text(TextIds(list)[value]);
}

bool ParameterCatalogue::IsListed(const CatalogueEntry& entry, const link::ImageArea& image) {
  return ImageLayout::IsPresent(image, entry.byte) && entry.condition(image);
}

}  // namespace zo::model
