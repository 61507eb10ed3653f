// How the fixed parts of the parameter image are read and written: single
// bytes, the presence bitmap, the installation and configuration dates and
// the working-time counters (their addresses are in link/ImageMap.h).
// Multi-byte values inside the image are little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "IClock.h"
#include "link/ImageMap.h"
#include "link/LinkTypes.h"

namespace zo::model {

inline constexpr std::string_view kNoDateText = "--.--.--";

// "20" + year, month and day with two digits each, separated by ".".
std::string DateText(int year, int month, int day);

// A date as the image stores it: two-digit year, month, day (and a check
// byte, the 8-bit sum of the three, written after them).
struct ImageDate {
  int year = 0;
  int month = 0;
  int day = 0;

  // Year 1..99, month 1..12, day 1..31.
  [[nodiscard]] bool IsValid() const;
  // "20yy.mm.dd", or "--.--.--" when not valid.
  [[nodiscard]] std::string Text() const;
  static ImageDate FromCalendar(const CalendarDate& date);
};

class ImageLayout {
 public:
  // Byte `index` (0..511) of an image area; 0 for an index outside it.
  static std::uint8_t Byte(const link::ImageArea& image, int index);
  // Whether parameter byte `index` exists in this controller: bit (index mod
  // 8) of byte 3 + (index div 8). Only 0..183 can be present.
  static bool IsPresent(const link::ImageArea& image, int index);

  static ImageDate ReadDate(const link::ImageArea& image, int first);
  // Stores year (two digits), month, day and their 8-bit sum at first..first+3.
  static void WriteDate(link::ImageArea& image, int first, const ImageDate& date);

  // A 32-bit little-endian counter at first..first+3.
  static std::uint32_t ReadCounter(const link::ImageArea& image, int first);
  static std::uint32_t PetrolTime(const link::ImageArea& image) {
    return ReadCounter(image, link::ImageMap::kPetrolTime);
  }
  static std::uint32_t GasTime(const link::ImageArea& image) {
    return ReadCounter(image, link::ImageMap::kGasTime);
  }

  // The firmware version byte shown as hundredths: 179 -> "1.79".
  static std::string VersionText(const link::ImageArea& image);
};

}  // namespace zo::model
