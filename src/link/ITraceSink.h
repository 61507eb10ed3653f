// Where a link trace's text goes: the platform appends it to a file so that
// each call is on the disk's side of the program when it returns (a killed
// program or a pulled cable loses nothing written before).
#pragma once

#include <string_view>

namespace zo::link {

class ITraceSink {
 public:
  virtual ~ITraceSink() = default;
  // Adds `text` at the end; false when it could not be written.
  [[nodiscard]] virtual bool Append(std::string_view text) = 0;
};

}  // namespace zo::link
