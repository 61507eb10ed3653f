// The user's settings as the program keeps them between runs: every value of
// the settings key with its default, the main window's bounds and state and
// the remembered indicator windows. A plain value: SettingsStore fills it from
// the key at start and writes it back at exit; the main window applies it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace zo::settings {

// A 24-bit colour with red in the low byte, 0x00BBGGRR (255 is red).
using Colour = std::uint32_t;

// One remembered indicator window.
struct IndicatorSlot {
  int left = 0;
  int top = 0;
  int width = 240;  // the window's size; the indicator window clamps it when it opens
  int state = 0;    // bit 0 open, bits 1-2 display style, bit 4 the run-time "shown" mark

  bool operator==(const IndicatorSlot&) const = default;
};

// The main window's position and size.
struct WindowBounds {
  static constexpr int kMinWidth = 640;
  static constexpr int kMinHeight = 480;

  int top = 0;
  int left = 0;
  int width = kMinWidth;
  int height = kMinHeight;

  // Top and left at least 0, width at least 640, height at least 480; the
  // window applies the same to bounds the system chose.
  [[nodiscard]] WindowBounds Limited() const;

  bool operator==(const WindowBounds&) const = default;
};

struct Settings {
  // Indicator slots are indexed by signal kind; these kinds are stored.
  static constexpr int kIndicatorSlots = 16;
  static constexpr std::array<int, 9> kStoredIndicatorKinds{3, 4, 5, 6, 8, 10, 11, 13, 14};
  // Main window states (`WState`).
  static constexpr int kNormal = 0;
  static constexpr int kMinimised = 1;
  static constexpr int kMaximised = 2;

  // Every default; both folders start as the program's folder (the folder of
  // the program file, without a trailing separator).
  explicit Settings(std::string programFolder)
      : dirOpen(programFolder), dirSave(std::move(programFolder)) {}

  // Brings stored values into their ranges: time base at least 1, lower area
  // at least 50 pixels, bounds limited, grid style and band count masked to
  // two bits, font size outside 8..16 becomes 8, a language outside 0..4
  // becomes 0, an indicator arrangement outside 0..2 becomes 1.
  void ApplyLimits();

  // The open and save folders: the file dialogs' first folders and the
  // working folders the file commands use and update. Empty is a valid value.
  std::string dirOpen;
  std::string dirSave;
  int ramIndex = 0;  // RAM-watch address
  int help = 0;      // help window mode: 0 stay on top, 1 hide behind, 2 close when left
  int trackX = 1;    // oscilloscope time base, pixels per sample

  // Traces shown on the oscilloscope.
  bool lineRPM = true;
  bool lineLAM = true;
  bool lineSIM = false;
  bool lineTPS = false;
  bool lineMOT = false;
  bool linePSI = false;
  bool lineDEF = false;
  bool lineRAM = false;

  // Signal colours.
  Colour colorRPM = 0x0000FF;   // red
  Colour colorLAM1 = 0x00FF00;  // lime
  Colour colorSIM = 0x008000;   // green
  Colour colorTPS = 0x00FFFF;   // yellow
  Colour colorMOT1 = 0xFFFF00;  // aqua
  Colour colorDEF = 0xFF00FF;   // fuchsia
  Colour colorPSI = 0xFF0000;   // blue
  Colour colorRAM = 0x000080;   // maroon

  int scale = 3;      // oscilloscope grid style 0..3
  int vertical = 0;   // oscilloscope band count 0..3
  int fontSize = 10;  // main window font, points
  int lang = 0;       // user-interface language 0..4
  int comm = 0;       // selected port: serial port number, or 1024 + USB adapter index
  int visuSco = 0;    // window layout 0..2
  int wGrid = 188;    // height of the lower area, pixels

  // The workshop the service report names: its name, and its address over
  // as many lines as the user wrote.
  std::string workshopName;
  std::string workshopAddress;

  // Main window bounds; nullopt leaves them to the system. Read only when all
  // four values are stored.
  std::optional<WindowBounds> bounds;
  int wState = kNormal;
  int w0State = 1;  // indicator arrangement: 0 (Ins), 1 (Del), 2 (Home)

  std::array<IndicatorSlot, kIndicatorSlots> indicators{};

  bool operator==(const Settings&) const = default;
};

}  // namespace zo::settings
