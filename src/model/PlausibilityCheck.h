// The plausibility warning over the parameter image: actuator positions out
// of order, switch-over speed not below the maximum gas speed, and a lambda
// threshold outside the range of the lambda sensor type.
#pragma once

#include "link/LinkTypes.h"
#include "texts/UserText.h"

namespace zo::model {

class PlausibilityCheck {
 public:
  // The warning for the image, or an empty text when nothing looks wrong. An
  // out-of-range lambda threshold replaces the other findings.
  static texts::UserText Message(const link::ImageArea& image);
  // The bytes whose edit runs the check afterwards.
  static bool IsChecked(int byte);
};

}  // namespace zo::model
