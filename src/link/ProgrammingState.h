// What the boot loader reported in its status reply, and where an upload is.
#pragma once

#include <cstdint>

namespace zo::link {

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

}  // namespace zo::link
