// The map of the parameter image: the address of every byte of the 184 that
// has a meaning for the program, named here once. The header and the
// presence bitmap come first, then the parameters (grouped as the
// Parameters page lists them), the dates and the working-time counters.
// Multi-byte values are little-endian.
#pragma once

namespace zo::link {

struct ImageMap {
  // Header.
  static constexpr int kModel = 0;    // model code; writing 0 restores the factory parameters
  static constexpr int kVersion = 1;  // firmware version in hundredths
  static constexpr int kSignalFlags1 = 2;
  static constexpr int kFeatureFlags = 3;  // bit 1 Configuration page, bit 3 no Upgrade page
  static constexpr int kSignalFlags2 = 4;
  static constexpr int kVariant = 6;
  // Presence bitmap: byte i exists when bit (i mod 8) of byte 3 + (i div 8) is set.
  static constexpr int kPresenceFirst = 3;

  // Errors the controller counts and keeps.
  static constexpr int kPowerErrors = 78;
  static constexpr int kErrorFlags = 79;  // bit 0 lambda sensor, bit 1 TPS
  static constexpr int kResetCause = 80;

  // Ignition coil.
  static constexpr int kCoilType = 32;
  static constexpr int kCoilSignal = 86;

  // Throttle position sensor and what it drives.
  static constexpr int kTpsType = 33;  // 4 none; bit 0 inverted characteristic
  static constexpr int kTpsThreshold = 57;
  static constexpr int kTpsRegulation = 54;
  static constexpr int kTpsHysteresis = 59;
  static constexpr int kTpsEnrichment = 60;
  static constexpr int kTpsWeakening = 61;
  static constexpr int kTpsActuatorSpeed = 66;
  static constexpr int kOpening = 44;
  static constexpr int kOpeningThreshold = 46;
  static constexpr int kOpeningPosition = 45;
  static constexpr int kOpeningActuatorSpeed = 77;
  static constexpr int kCutOff = 47;
  static constexpr int kCutOffRpm = 48;
  static constexpr int kCutOffPosition = 49;
  static constexpr int kCutOffActuatorSpeed = 50;
  static constexpr int kTurbo = 100;
  static constexpr int kTurboThreshold = 101;
  static constexpr int kTurboPosition = 102;
  static constexpr int kTurboActuatorSpeed = 103;

  // Negative-pressure (vacuum) sensor.
  static constexpr int kVacuumType = 81;  // 0 none
  static constexpr int kVacuumRegulation = 82;
  static constexpr int kVacuumEnrichment = 83;
  static constexpr int kVacuumWeakening = 84;
  static constexpr int kVacuumActuatorSpeed = 85;

  // Lambda sensor and its simulation.
  static constexpr int kLambdaType = 34;          // 0 0-1 V, 1 0-5 V, 2 5-0 V, 3 0.8-1.6 V, 4 none
  static constexpr int kLambdaSensor = 75;        // standard or resistive
  static constexpr int kLambdaSensorSigned = 90;  // standard, (-) or (+) resistive
  static constexpr int kLambdaRegulation = 53;
  static constexpr int kLambdaThreshold = 58;
  static constexpr int kLambdaActuatorSpeed = 76;
  static constexpr int kLambdaSpeedAboveTps = 96;
  static constexpr int kLambdaSpeedBelowTps = 97;
  static constexpr int kLambdaCold = 40;
  static constexpr int kSuction = 74;
  static constexpr int kSimulation = 35;
  static constexpr int kSecondSimulation = 98;  // the simulation byte of later firmware
  static constexpr int kSimulationTimeHi = 36;
  static constexpr int kSimulationTimeLo = 37;
  static constexpr int kSimulationTimeOff = 38;
  static constexpr int kSimulationImpulse = 39;

  // Engine speed and the actuator's positions.
  static constexpr int kRpmRegulation = 52;
  static constexpr int kRpmActuatorSpeed = 51;
  static constexpr int kMaxPosition = 41;
  static constexpr int kPosition3000 = 65;
  static constexpr int kPosition900 = 64;
  static constexpr int kMinPosition = 42;
  static constexpr int kLeakage = 89;

  // Switch-over between petrol and gas.
  static constexpr int kRelay = 73;  // 0 injectors' emulation, 1 memory erase
  static constexpr int kSwitchOverTime = 43;
  static constexpr int kSwitchOffTime = 88;
  static constexpr int kSwitchOverType = 67;
  static constexpr int kSwitchOverRpm = 62;
  static constexpr int kMaxGasRpm = 63;
  static constexpr int kSwitchingPosition = 91;
  static constexpr int kSwitchByTemperature = 55;
  static constexpr int kTemperatureThreshold = 56;
  static constexpr int kTemperatureSensor = 104;  // 1 "CT-2k2", anything else "CTRG-10k"

  // Switch panel: its lamps and the gas level sensor's thresholds.
  static constexpr int kSwitchPanelLamps = 99;  // bit 0: full indication, else reserve lamp only
  static constexpr int kLevelSensor = 68;       // four-way sensor, present on some controllers
  static constexpr int kLevelSensorTwoWay = 87;
  static constexpr int kLevel1 = 69;  // 1/4, or the reserve threshold
  static constexpr int kLevel2 = 70;
  static constexpr int kLevel3 = 71;
  static constexpr int kLevel4 = 72;

  // Dates (year, month, day, 8-bit sum) and 32-bit working-time counters.
  static constexpr int kInstallationDate = 168;
  static constexpr int kConfigurationDate = 172;
  static constexpr int kPetrolTime = 176;
  static constexpr int kGasTime = 180;
};

// The counter block: sixteen values of a memory page, the working times on
// petrol and on gas as 32-bit counters (one byte a value, little-endian) and
// the production date where the firmware keeps it.
struct CounterMap {
  static constexpr int kReadClosingPage = 6;  // read last in a full read
  static constexpr int kWorkingTimePage = 14;
  static constexpr int kPetrolTime = 0;  // values 0..3
  static constexpr int kGasTime = 4;     // values 4..7
  static constexpr int kProductionYear = 13;
  static constexpr int kProductionMonth = 14;
  static constexpr int kProductionDay = 15;
};

}  // namespace zo::link
