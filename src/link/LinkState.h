// Everything the controller conversation shares with the rest of the program:
// the two copies of the parameter image, the live values, the sample history,
// the scheduler's mode and flags, and the counters that measure link health.
// The main window owns one instance; the link, the scheduler and the views
// read and change it on the user-interface thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "LinkTypes.h"
#include "SampleHistory.h"

namespace zo::link {

// What the boot loader reported in its status reply, and where an upload is.
struct ProgrammingState {
  std::uint8_t bootModel = 0;
  std::uint8_t bootVersion = 0;
  std::uint16_t pageSizeWords = 0;  // flash page size in 16-bit words
  std::uint8_t bootParameter = 0;
  std::uint8_t lastState = 0;  // state of the last programming (byte 6 of the status reply)
  std::uint8_t blockState = 0;
  std::uint16_t pageNumber = 0;
  std::uint16_t blockNumber = 0;
  int watchdog = 0;             // connection ticks left before an upload is declared lost
  std::uint8_t oldVersion = 0;  // controller version before the last upload
  std::uint8_t newVersion = 0;  // version of the image uploaded last
};

struct LinkState {
  // Port and link health.
  int portNumber = 0;  // below 1024 a COM port, 1024 + index an FTDI device
  bool connected = false;
  bool busy = false;        // a transaction is in progress
  int failureCounter = 0;   // frames sent since the last valid reply
  int linkLossCounter = 0;  // connection ticks in a row with the link lost
  bool quillon = false;     // protocol variant "Transmisja QUILLON"

  // Parameter image: what the controller last reported or confirmed, and what
  // the user sees and edits. The scheduler writes back every differing byte.
  ImageArea controllerCopy = BlankImage();
  ImageArea workingCopy = BlankImage();

  // Live values.
  int statusByte = 255;  // 255: no data
  int faultCode = 0;
  int levelReading = 0;
  SampleHistory history;
  std::array<std::int32_t, 16> counterBlock{};

  // Scheduler.
  PollingMode pollingMode = PollingMode::Read;
  Page activePage = Page::Parameters;
  bool readInProgress = false;
  bool counterPageDue = false;    // the read's closing counter page is not in yet
  bool writesBeforeRead = false;  // the pending read starts once nothing is left to write
  int rotatingIndex = 0;
  bool switchRequest = false;
  bool reconnectRequest = false;
  bool factoryResetRequest = false;
  bool plausibilityRequest = false;
  bool identifiedOnce = false;
  int txIntervalMs = 100;  // last interval given to the transmit timer

  // What the views need from the link.
  bool scopeRunning = true;
  bool serviceMode = false;
  bool autoSave = false;
  std::string ramWatchText;  // the RAM-watch address box, a decimal number
  ConnectionState connectionState = ConnectionState::NotConnected;

  ProgrammingState programming;

  // Reads the whole image again from index 0 once every byte that differs
  // (such as an erase or the factory-parameters order) has been written.
  void RereadAfterPendingWrites() {
    readInProgress = true;
    writesBeforeRead = true;
    rotatingIndex = 0;
  }
};

}  // namespace zo::link
