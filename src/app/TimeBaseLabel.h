// The oscilloscope's time-base caption: the seconds one grid division spans
// (10 divided by the time base) as a general number with up to 15 significant
// digits and "." as decimal separator whatever the locale, then " s/dz".
// Time bases 1, 2, 4, 5, 10 give "10 s/dz", "5 s/dz", "2.5 s/dz", "2 s/dz",
// "1 s/dz".
#pragma once

#include <string>

namespace zo::app {

// A time base below 1 is taken as 1.
[[nodiscard]] std::string TimeBaseLabel(int timeBase);

}  // namespace zo::app
