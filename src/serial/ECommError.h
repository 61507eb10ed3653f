// The serial port component's error: a message with "%d" replaced by the
// code (-1 for the component's own faults, the system's error number else).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zo::serial {

class ECommError : public std::runtime_error {
 public:
  ECommError(std::string_view format, int code)
      : std::runtime_error(Format(format, code)), code_(code) {}

  [[nodiscard]] int Code() const { return code_; }

  static std::string Format(std::string_view format, int code) {
    std::string text(format);
    if (const auto at = text.find("%d"); at != std::string::npos)
      text.replace(at, 2, std::to_string(code));
    return text;
  }

  static constexpr std::string_view kPortAssigned = "Port already assigned (open) (Error: %d)";
  static constexpr std::string_view kBuffers = "Error initializing Read/Write Buffers (Error: %d)";
  static constexpr std::string_view kDataControlBlock =
      "Error updating DataControlBlock (Error: %d)";
  static constexpr std::string_view kEscape = "EscapeCommFunction failure (Error: %d)";
  static constexpr std::string_view kNotOpen = "Port not open (Error: %d)";
  static constexpr std::string_view kTimeouts = "Error updating CommTimeouts (Error: %d)";

 private:
  int code_;
};

}  // namespace zo::serial
