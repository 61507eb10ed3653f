// Connects the link to a simulated controller in-process, on virtual time,
// with the timing of a 4800-baud line (10 bits per byte): requests go out byte
// by byte, the controller sees each byte when it has arrived, and its reply
// comes back after the turnaround, through the fault injector, at wire pace.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "FaultInjector.h"
#include "SimController.h"
#include "VirtualClock.h"
#include "link/ITransport.h"

namespace lpgsim {

struct WrittenFrame {
  std::chrono::microseconds time{0};      // when Write was called
  std::chrono::nanoseconds wireStart{0};  // first bit on the line
  std::chrono::nanoseconds wireEnd{0};    // last byte arrived at the controller
  std::vector<std::uint8_t> bytes;
};

struct DeliveredByte {
  std::chrono::nanoseconds arrival{0};  // the byte's stop bit has arrived
  std::uint8_t value = 0;
};

class SimTransport : public zo::link::ITransport {
 public:
  // Time is kept in thirds of a microsecond, in which one byte is exact.
  static constexpr std::int64_t kThirdsPerMicrosecond = 3;
  static constexpr std::int64_t kThirdsPerByte = 6250;  // 2083 1/3 us
  static constexpr std::size_t kDefaultLogCapacity = 65536;

  SimTransport(VirtualClock& clock, SimController& controller, std::uint32_t faultSeed = 1);

  // zo::link::ITransport
  int InQueCount() override;
  int ReadAvailable(std::span<std::uint8_t> buffer) override;
  int Write(std::span<const std::uint8_t> data) override;
  // Moves the clock to the arrival of the count-th waiting byte, or on by
  // `timeout` when it will not have arrived by then or is there already (so
  // every wait takes virtual time). No callbacks run.
  bool WaitForInput(int count, std::chrono::microseconds timeout) override;

  void Open();
  // Closing loses whatever is on the line in either direction.
  void Close();
  [[nodiscard]] bool IsOpen() const { return open_; }

  // Bytes that arrive without being asked for, from `at` on (or after
  // whatever is already on the line towards the tool).
  void InjectNoise(std::span<const std::uint8_t> bytes, std::chrono::microseconds at);
  void InjectNoise(std::span<const std::uint8_t> bytes) { InjectNoise(bytes, clock_.Now()); }

  [[nodiscard]] FaultInjector& Faults() { return faults_; }
  [[nodiscard]] SimController& Controller() { return controller_; }
  [[nodiscard]] VirtualClock& Clock() { return clock_; }

  // Wire time of `bytes` bytes, and of a whole exchange: request on the wire,
  // the controller's turnaround, reply on the wire.
  static std::chrono::nanoseconds WireTime(std::int64_t bytes);
  [[nodiscard]] std::chrono::nanoseconds IdealExchangeTime(std::int64_t requestBytes,
                                                           std::int64_t replyBytes) const;

  // What went over the line, oldest first, bounded to the last entries.
  [[nodiscard]] const std::deque<WrittenFrame>& Written() const { return written_; }
  [[nodiscard]] const std::deque<DeliveredByte>& Delivered() const { return delivered_; }
  void SetLogCapacity(std::size_t entries) { logCapacity_ = entries; }
  void ClearLogs();
  [[nodiscard]] std::uint64_t BytesWritten() const { return bytesWritten_; }
  [[nodiscard]] std::uint64_t BytesDelivered() const { return bytesDelivered_; }

 private:
  struct TimedByte {
    std::int64_t at = 0;  // arrival, in thirds of a microsecond
    std::uint8_t value = 0;
  };

  [[nodiscard]] std::int64_t NowThirds() const;
  static std::chrono::microseconds CeilMicroseconds(std::int64_t thirds);
  static std::chrono::nanoseconds Nanoseconds(std::int64_t thirds);
  // Lets the controller see every request byte that has arrived by `limit`.
  void CatchUp(std::int64_t limit);
  void SendToTool(std::span<const std::uint8_t> bytes, std::int64_t earliest);
  [[nodiscard]] std::size_t ArrivedCount() const;

  VirtualClock& clock_;
  SimController& controller_;
  FaultInjector faults_;
  bool open_ = true;

  std::deque<TimedByte> toController_;
  std::int64_t toControllerFree_ = 0;
  std::deque<TimedByte> toTool_;
  std::int64_t toToolFree_ = 0;

  std::size_t logCapacity_ = kDefaultLogCapacity;
  std::deque<WrittenFrame> written_;
  std::deque<DeliveredByte> delivered_;
  std::uint64_t bytesWritten_ = 0;
  std::uint64_t bytesDelivered_ = 0;
};

}  // namespace lpgsim
