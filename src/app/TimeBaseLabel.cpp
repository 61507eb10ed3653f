#include "TimeBaseLabel.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace zo::app {

namespace {

constexpr double kSecondsAtTimeBaseOne = 10.0;
constexpr int kSignificantDigits = 15;

}  // namespace

std::string TimeBaseLabel(int timeBase) {
  const double seconds = kSecondsAtTimeBaseOne / std::max(timeBase, 1);
  std::array<char, 32> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), seconds,
                                 std::chars_format::general, kSignificantDigits)
                       .ptr;
  return std::string(buffer.data(), end) + " s/dz";
}

}  // namespace zo::app
