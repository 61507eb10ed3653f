// A controller as a link trace recorded it: the parameter image its replies
// gave, and its replies to the polls of live data, RAM, memory pages and
// EEPROM rows, handed out again in the order they were recorded. When the
// replies to a request run out they start again from the first, so the
// session plays on in a loop. Requests the trace never answered are left to
// the simulated controller (its engine model, its boot loader), and parameter
// bytes the trace never read come from the factory image of the traced model.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "SimConfig.h"

namespace lpgsim {

class TraceReplay {
 public:
  // Reads a trace. A line that cannot be read is skipped, and named with its
  // number and fault in `problems`.
  static TraceReplay Read(std::istream& in, std::vector<std::string>& problems);

  // Whether the trace holds any reply to work from.
  [[nodiscard]] bool Empty() const { return queues_.empty() && known_ == 0; }
  // Parameter bytes the trace gave.
  [[nodiscard]] std::size_t KnownImageBytes() const { return known_; }
  // The traced model, version and variant, and the traced image over the
  // factory image of that model, as the simulated controller's identity and
  // EEPROM.
  void Configure(SimConfig& config) const;

  // The next traced reply to `frame` (a request as the controller framed it),
  // or nothing when the trace holds none for it.
  std::optional<std::vector<std::uint8_t>> Answer(std::span<const std::uint8_t> frame);
  // Number of traced replies to requests like `frame`.
  [[nodiscard]] std::size_t RepliesFor(std::span<const std::uint8_t> frame) const;

 private:
  struct Queue {
    std::vector<std::vector<std::uint8_t>> replies;
    std::size_t next = 0;
  };

  // Requests answered from the recording, by command (the switch request's
  // reply is live data) and, for addressed ones, address; nothing for others.
  static std::optional<std::uint16_t> Key(std::span<const std::uint8_t> request);
  // Whether replies to `request` go into the image or a queue.
  static bool Used(std::span<const std::uint8_t> request);
  void Take(std::span<const std::uint8_t> request, const std::vector<std::uint8_t>& reply);
  void Learn(std::size_t index, std::uint8_t value);

  std::map<std::uint16_t, Queue> queues_;
  ParameterImage image_{};
  std::array<bool, kImageSize> knownBytes_{};
  std::size_t known_ = 0;
};

}  // namespace lpgsim
