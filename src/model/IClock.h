// Today's local date, as the parameter editing needs it for the
// configuration and installation dates.
#pragma once

namespace zo::model {

struct CalendarDate {
  int year = 2000;  // full year, e.g. 2026
  int month = 1;    // 1..12
  int day = 1;      // 1..31
};

class IClock {
 public:
  virtual ~IClock() = default;
  [[nodiscard]] virtual CalendarDate Today() const = 0;
};

}  // namespace zo::model
