// What the bytes of a live sample mean: the signal kinds with their names,
// conversions and texts, which signals a controller offers (the image's two
// signal flag bytes), and the bits of the status and flag bytes the state panels show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ITextSource.h"
#include "SignalKind.h"
#include "link/LinkTypes.h"

namespace zo::model {

// Status byte (sample byte 1); 255 means no data.
struct StatusInfo {
  bool noData = false;
  bool ignition = false;  // bit 7
  bool running = false;   // bit 6
  int fuel = 0;           // bits 2..4: 4 gas, 8 dual, 16 petrol, 24 automatic still waiting
  int selectedMode = 0;   // bits 0..1: 1 gas, 2 petrol, 3 automatic
};

// Regulation and lambda-state flags (sample byte 2), read with bit 2 of the
// second flag byte (sample byte 7), which selects the alternative meanings.
struct RegulationFlags {
  bool lambdaCold = false;       // bit 0
  bool lambdaError = false;      // bit 1
  bool rpmRegulation = false;    // bit 2 (plain meaning)
  bool injectionPulses = false;  // bit 2 (alternative meaning)
  bool cutOff = false;           // bit 3
  bool opening = false;          // bit 4 (plain meaning)
  bool turbo = false;            // bit 4 (alternative meaning)
  bool tpsRegulation = false;    // bit 5
  bool lean = false;             // bit 6
  bool rich = false;             // bit 7
};

class LiveSignals {
 public:
  static constexpr int kStatusByte = 1;
  static constexpr int kFlagByte = 2;
  static constexpr int kSecondFlagByte = 7;
  static constexpr std::uint8_t kForcedSignalFlags = 29;  // bits 0, 2, 3, 4

  // The sample byte a signal is read from (15 for the RAM watch).
  static int SampleByte(SignalKind kind);
  // The name text id of a signal (0 for the header).
  static int NameId(SignalKind kind);
  // The physical value: engine speed in rpm, volts, steps, milliseconds,
  // degrees C; for a faulty temperature reading (254 or 255) the gauge's
  // value 255 - reading.
  static double Value(SignalKind kind, std::uint8_t raw, std::uint8_t sensorType);
  // The value text with its unit, as the signal list shows it.
  static std::string Text(SignalKind kind, std::uint8_t raw, std::uint8_t sensorType,
                          const ITextSource& texts);
  // "0000:0000  %2d" with the bits of the RAM value filled in.
  static std::string RamWatchText(std::uint8_t value);

  // Models 50, 51, 100, 101, 150 and 151 always offer LAM, RPM, TPS and MOT:
  // the second signal flag byte becomes 29. Returns whether the byte changed.
  static bool ForceSignalFlags(link::ImageArea& working);
  // Signals listed, in list order, for the image, service mode and page.
  static std::vector<SignalKind> Listed(const link::ImageArea& image, bool serviceMode,
                                        link::Page activePage);

  static StatusInfo DecodeStatus(std::uint8_t status);
  static RegulationFlags DecodeFlags(std::uint8_t flags, std::uint8_t secondFlags);
  // While the automatic mode waits for the switch-over: the text id naming
  // what it waits for, from the second flag byte.
  static std::optional<int> AwaitedTextId(std::uint8_t secondFlags);
};

}  // namespace zo::model
