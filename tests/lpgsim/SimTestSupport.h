// Helpers shared by the simulator tests: building request frames and feeding
// them to a simulated controller byte by byte at wire pace.
#pragma once

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "SimController.h"

namespace lpgsim::test {

using namespace std::chrono_literals;

inline constexpr std::chrono::microseconds kByteTime{2083};

// The bytes followed by their 8-bit sum.
inline std::vector<std::uint8_t> WithSum(std::initializer_list<std::uint8_t> body) {
  std::vector<std::uint8_t> frame(body);
  unsigned sum = 0;
  for (const std::uint8_t b : frame)
    sum += b;
  frame.push_back(static_cast<std::uint8_t>(sum & 0xFFu));
  return frame;
}

inline bool SumIsValid(std::span<const std::uint8_t> reply) {
  if (reply.empty()) return false;
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < reply.size(); ++i)
    sum += reply[i];
  return static_cast<std::uint8_t>(sum & 0xFFu) == reply.back();
}

// Feeds `bytes` one at a time from `start`, one byte time apart; returns the
// reply to the last complete request, if any.
inline std::optional<std::vector<std::uint8_t>> Feed(SimController& controller,
                                                     std::span<const std::uint8_t> bytes,
                                                     std::chrono::microseconds start) {
  std::optional<std::vector<std::uint8_t>> reply;
  std::chrono::microseconds t = start;
  for (const std::uint8_t b : bytes) {
    t += kByteTime;
    if (auto r = controller.Receive(b, t)) reply = std::move(r);
  }
  return reply;
}

}  // namespace lpgsim::test
