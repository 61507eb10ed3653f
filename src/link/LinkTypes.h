// Small value types shared by the controller link: command codes, polling
// modes, pages, the parameter image areas and a request to send.
#pragma once

#include <array>
#include <cstdint>

#include "ImageMap.h"

namespace zo::link {

// Command bytes of the controller protocol.
enum class Command : std::uint8_t {
  ReadParam = 0x55,
  ReadParamExt = 0x56,
  WriteParam = 0xAA,
  LiveData = 0x33,
  SwitchRequest = 0x35,
  RamWatch = 0x5A,
  ConfigData = 0xAC,
  ProcessorInputs = 0xCA,
  MemoryPage = 0xC5,
  EepromRow = 0x5C,
  BootStart = 0x3A,
  BootBlock = 0x07,
};

constexpr std::uint8_t Code(Command c) {
  return static_cast<std::uint8_t>(c);
}

// What the scheduler does on each transmit-timer tick.
enum class PollingMode : int {
  Read = 0,             // parameter read, or choose the mode from the active page
  LiveData = 2,         // Parameters page
  ConfigData = 3,       // Configuration page, one autoconfiguration step per poll
  Tester = 4,           // K3010: nothing but write-back
  Map = 5,              // nothing but write-back
  ProcessorInputs = 6,  // PORT sub-page
  RamPages = 62,        // RAM sub-page
  EepromRows = 63,      // EEPROM sub-page
  Stopped = 255,        // nothing at all, not even write-back
};

// The page on screen in the main window.
enum class Page : int {
  Parameters = 1,
  Configuration = 2,
  Map = 3,
  Port = 4,
  Ram = 5,
  Eeprom = 6,
  Upgrade = 7,
};

// What the program is connected to, remembered for the caption, the pages
// and the edit rules.
enum class ConnectionState : int {
  NotConnected = 0,
  FileShown = 1,
  ControllerRead = 2,
  Tester = 3,      // a K3010 tester answered
  UploadOnly = 4,  // only the boot loader answers, or an unidentified controller
};

// The parameter image: 184 bytes exchanged with the controller, kept at the
// start of a 512-byte area. Multi-byte values inside are little-endian.
inline constexpr int kImageSize = 184;
inline constexpr int kImageAreaSize = 512;
using ImageArea = std::array<std::uint8_t, kImageAreaSize>;

inline constexpr std::uint8_t kModelK3010 = 203;
inline constexpr std::uint8_t kVariantFull = 0xFF;
inline constexpr std::uint8_t kFirstVersionWithCounterPage = 177;

// The state of an empty image at start-up: bytes 0..24 are 0, the rest 255.
constexpr ImageArea BlankImage() {
  ImageArea a{};
  for (int i = 25; i < kImageAreaSize; ++i)
    a[static_cast<std::size_t>(i)] = 0xFF;
  return a;
}

// Firmware from version 177 on keeps the counter block (production date) in
// memory page 6, read once right after a full parameter read.
constexpr bool ReadsCounterPageAfterRead(const ImageArea& image) {
  return image[ImageMap::kVersion] >= kFirstVersionWithCounterPage;
}

// One request for Transact: data length 1, 2, 3 or 19, the command byte and two
// data bytes; for length 19 `block` holds frame bytes 0..18 (byte 0 the command).
struct Request {
  int length = 1;
  std::uint8_t command = 0;
  std::uint8_t b1 = 0;
  std::uint8_t b2 = 0;
  std::array<std::uint8_t, 19> block{};

  static Request Short(Command c) { return Request{1, Code(c), 0, 0, {}}; }
  static Request WithByte(Command c, std::uint8_t d) { return Request{2, Code(c), d, 0, {}}; }
  static Request WithBytes(Command c, std::uint8_t d1, std::uint8_t d2) {
    return Request{3, Code(c), d1, d2, {}};
  }
  static Request Block(const std::array<std::uint8_t, 19>& bytes) {
    return Request{19, bytes[0], 0, 0, bytes};
  }
  bool operator==(const Request&) const = default;
};

// Icons, button sets and answers of the program's message dialog; answers
// are numbered as the system message box numbers them, Busy when another
// message is still open.
enum class MsgIcon : char { Warning = '!', Question = '?', Information = 'i', None = ' ' };
enum class MsgButtons : int { Ok = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum class MsgResult : int { Ok = 1, Cancel = 2, Yes = 6, No = 7, Busy = 255 };

// Pictures of the progress window.
enum class ProgressPicture { Warning, Question, Information, Reading };

}  // namespace zo::link
