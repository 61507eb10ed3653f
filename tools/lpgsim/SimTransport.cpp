#include "SimTransport.h"

#include <algorithm>

namespace lpgsim {

SimTransport::SimTransport(VirtualClock& clock, SimController& controller, std::uint32_t faultSeed)
    : clock_(clock), controller_(controller), faults_(faultSeed) {}

std::int64_t SimTransport::NowThirds() const {
  return clock_.Now().count() * kThirdsPerMicrosecond;
}

std::chrono::microseconds SimTransport::CeilMicroseconds(std::int64_t thirds) {
  return std::chrono::microseconds{(thirds + kThirdsPerMicrosecond - 1) / kThirdsPerMicrosecond};
}

std::chrono::nanoseconds SimTransport::Nanoseconds(std::int64_t thirds) {
  return std::chrono::nanoseconds{thirds * 1000 / kThirdsPerMicrosecond};
}

std::chrono::nanoseconds SimTransport::WireTime(std::int64_t bytes) {
  return Nanoseconds(bytes * kThirdsPerByte);
}

std::chrono::nanoseconds SimTransport::IdealExchangeTime(std::int64_t requestBytes,
                                                         std::int64_t replyBytes) const {
  return WireTime(requestBytes + replyBytes) +
         std::chrono::duration_cast<std::chrono::nanoseconds>(controller_.Turnaround());
}

int SimTransport::InQueCount() {
  if (!open_) return -1;
  CatchUp(NowThirds());
  return static_cast<int>(ArrivedCount());
}

int SimTransport::ReadAvailable(std::span<std::uint8_t> buffer) {
  if (!open_) return 0;
  CatchUp(NowThirds());
  const std::size_t n = std::min(buffer.size(), ArrivedCount());
  for (std::size_t i = 0; i < n; ++i) {
    buffer[i] = toTool_.front().value;
    toTool_.pop_front();
  }
  return static_cast<int>(n);
}

int SimTransport::Write(std::span<const std::uint8_t> data) {
  if (!open_) return -1;
  const std::int64_t now = NowThirds();
  CatchUp(now);
  const std::int64_t start = std::max(now, toControllerFree_);
  std::int64_t at = start;
  for (const std::uint8_t b : data) {
    at += kThirdsPerByte;
    toController_.push_back(TimedByte{at, b});
  }
  toControllerFree_ = at;
  bytesWritten_ += data.size();
  if (logCapacity_ > 0) {
    while (written_.size() >= logCapacity_)
      written_.pop_front();
    written_.push_back(WrittenFrame{
        clock_.Now(), Nanoseconds(start), Nanoseconds(at), {data.begin(), data.end()}});
  }
  return static_cast<int>(data.size());
}

bool SimTransport::WaitForInput(int count, std::chrono::microseconds timeout) {
  if (!open_) return false;
  const std::chrono::microseconds now = clock_.Now();
  const std::chrono::microseconds deadline = now + std::max(timeout, std::chrono::microseconds(1));
  CatchUp(deadline.count() * kThirdsPerMicrosecond);
  const auto wanted = static_cast<std::size_t>(std::max(count, 1));
  if (toTool_.size() >= wanted) {
    const std::chrono::microseconds arrival = CeilMicroseconds(toTool_[wanted - 1].at);
    if (arrival > now && arrival <= deadline) {
      clock_.AdvanceTo(arrival);
      return true;
    }
  }
  // Nothing more arrives in time, or the bytes are there already: virtual
  // time moves on every wait, so a caller that keeps waiting for what it has
  // fails on time instead of spinning.
  clock_.AdvanceTo(deadline);
  return true;
}

void SimTransport::Open() {
  open_ = true;
}

void SimTransport::Close() {
  open_ = false;
  toController_.clear();
  toTool_.clear();
}

void SimTransport::InjectNoise(std::span<const std::uint8_t> bytes, std::chrono::microseconds at) {
  CatchUp(NowThirds());
  SendToTool(bytes, at.count() * kThirdsPerMicrosecond);
}

void SimTransport::ClearLogs() {
  written_.clear();
  delivered_.clear();
}

void SimTransport::CatchUp(std::int64_t limit) {
  while (!toController_.empty() && toController_.front().at <= limit) {
    const TimedByte b = toController_.front();
    toController_.pop_front();
    std::optional<std::vector<std::uint8_t>> reply =
        controller_.Receive(b.value, CeilMicroseconds(b.at));
    if (!reply) continue;
    FaultedReply out = faults_.Apply(std::move(*reply));
    if (out.bytes.empty()) continue;
    const std::int64_t ready =
        b.at + (controller_.Turnaround() + out.extraDelay).count() * kThirdsPerMicrosecond;
    SendToTool(out.bytes, ready);
  }
}

void SimTransport::SendToTool(std::span<const std::uint8_t> bytes, std::int64_t earliest) {
  if (!open_) return;
  std::int64_t at = std::max(earliest, toToolFree_);
  for (const std::uint8_t v : bytes) {
    at += kThirdsPerByte;
    toTool_.push_back(TimedByte{at, v});
    ++bytesDelivered_;
    if (logCapacity_ > 0) {
      while (delivered_.size() >= logCapacity_)
        delivered_.pop_front();
      delivered_.push_back(DeliveredByte{Nanoseconds(at), v});
    }
  }
  toToolFree_ = at;
}

std::size_t SimTransport::ArrivedCount() const {
  const std::int64_t now = NowThirds();
  std::size_t n = 0;
  while (n < toTool_.size() && toTool_[n].at <= now)
    ++n;
  return n;
}

}  // namespace lpgsim
