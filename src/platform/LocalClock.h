// Today's local date for the controller dates the parameter editing fills in.
#pragma once

#include <chrono>
#include <ctime>

#include "model/IClock.h"

namespace zo::platform {

class LocalClock : public model::IClock {
 public:
  [[nodiscard]] model::CalendarDate Today() const override {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return model::CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
};

}  // namespace zo::platform
