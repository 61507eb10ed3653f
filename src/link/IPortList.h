// The list of serial ports present, as port discovery reads it.
#pragma once

#include <vector>

#include "PortEntry.h"

namespace zo::link {

class IPortList {
 public:
  virtual ~IPortList() = default;
  // Every port present, in ascending number.
  [[nodiscard]] virtual std::vector<PortEntry> Discover() const = 0;
};

}  // namespace zo::link
