// The live values the controller reports while polled, with the sample
// history of the scope and the counter block of the working times.
#pragma once

#include <array>
#include <cstdint>

#include "SampleHistory.h"

namespace zo::link {

struct LiveData {
  int statusByte = 255;  // 255: no data
  int faultCode = 0;
  int levelReading = 0;
  SampleHistory history;
  std::array<std::int32_t, 16> counterBlock{};
};

}  // namespace zo::link
