// A transport on virtual time whose replies come from a test's script: each
// written frame is answered by the responder, byte by byte at 4800-baud pace
// after a short turnaround.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "VirtualClock.h"
#include "link/ITransport.h"

namespace zo::test {

class ScriptedTransport : public link::ITransport {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using Responder = std::function<Bytes(std::span<const std::uint8_t> request)>;

  explicit ScriptedTransport(lpgsim::VirtualClock& clock) : clock_(clock) {}

  Responder responder;
  std::chrono::microseconds turnaround{3000};
  std::chrono::microseconds byteTime{2083};  // 10 bits at 4800 baud
  bool open = true;
  std::vector<Bytes> written;  // every frame, in order

  // Bytes that arrive unprompted from now on, at wire pace.
  void Arrive(const Bytes& bytes, std::chrono::microseconds after = {}) {
    auto at = std::max(clock_.Now() + after, lastArrival_);
    for (std::uint8_t b : bytes) {
      at += byteTime;
      pending_.emplace_back(at, b);
    }
    lastArrival_ = at;
  }
  // When the last byte of everything sent so far arrives.
  [[nodiscard]] std::chrono::microseconds LastArrival() const { return lastArrival_; }

  int InQueCount() override {
    if (!open) return -1;
    int n = 0;
    for (const auto& [at, b] : pending_) {
      if (at > clock_.Now()) break;
      ++n;
    }
    return n;
  }

  int ReadAvailable(std::span<std::uint8_t> buffer) override {
    if (!open) return 0;
    std::size_t n = 0;
    while (n < buffer.size() && !pending_.empty() && pending_.front().first <= clock_.Now()) {
      buffer[n++] = pending_.front().second;
      pending_.pop_front();
    }
    return static_cast<int>(n);
  }

  int Write(std::span<const std::uint8_t> data) override {
    if (!open) return -1;
    written.emplace_back(data.begin(), data.end());
    if (responder) {
      const auto requestOnWire = byteTime * static_cast<long>(data.size());
      Arrive(responder(data), requestOnWire + turnaround);
    }
    return static_cast<int>(data.size());
  }

  // Moves the clock to the arrival of the count-th waiting byte, or on by
  // `timeout`. Virtual time moves on every wait: a wait for bytes that are
  // there already sleeps out its time-out, so a caller that keeps waiting
  // for what it has fails on time instead of spinning.
  bool WaitForInput(int count, std::chrono::microseconds timeout) override {
    if (!open) return false;
    const auto limit = clock_.Now() + std::max(timeout, std::chrono::microseconds(1));
    auto target = limit;
    if (count > 0 && static_cast<std::size_t>(count) <= pending_.size()) {
      const auto arrival = pending_[static_cast<std::size_t>(count - 1)].first;
      if (arrival > clock_.Now()) target = std::min(limit, arrival);
    }
    clock_.AdvanceTo(target);
    return true;
  }

 private:
  lpgsim::VirtualClock& clock_;
  std::deque<std::pair<std::chrono::microseconds, std::uint8_t>> pending_;
  std::chrono::microseconds lastArrival_{0};
};

// Appends the 8-bit sum to a frame.
inline std::vector<std::uint8_t> WithSum(std::vector<std::uint8_t> bytes) {
  unsigned sum = 0;
  for (auto b : bytes)
    sum += b;
  bytes.push_back(static_cast<std::uint8_t>(sum & 0xFFU));
  return bytes;
}

}  // namespace zo::test
