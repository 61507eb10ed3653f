// Value types of the serial port component: line settings, watched events,
// options, flow control and the event-character block, with the error codes
// and flags the component reports.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace zo::serial {

enum class TBaudRate : std::uint8_t {
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000,
};

enum class TParity : std::uint8_t { paNone, paOdd, paEven, paMark, paSpace };
enum class TStopBits : std::uint8_t { sb10, sb15, sb20 };
enum class TDataBits : std::uint8_t { da4, da5, da6, da7, da8 };

enum class TCommEventType : std::uint8_t {
  evBreak,
  evCts,
  evDsr,
  evError,
  evRing,
  evRlsd,
  evRxChar,
  evRxFlag,
  evTxEmpty,
};
inline constexpr int kCommEventTypes = 9;

enum class TCommOption : std::uint8_t {
  coParityCheck,
  coDsrSensitivity,
  coIgnoreXOff,
  coErrorChar,
  coNullStrip,
};

enum class TFlowControl : std::uint8_t { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };

// A set of enumeration values, one bit per value.
template <typename E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> values) {
    for (E v : values)
      bits_ |= Bit(v);
  }
  static constexpr EnumSet FromBits(std::uint32_t bits) {
    EnumSet s;
    s.bits_ = bits;
    return s;
  }
  [[nodiscard]] constexpr bool Has(E v) const { return (bits_ & Bit(v)) != 0; }
  constexpr EnumSet& Add(E v) {
    bits_ |= Bit(v);
    return *this;
  }
  constexpr EnumSet& Remove(E v) {
    bits_ &= ~Bit(v);
    return *this;
  }
  [[nodiscard]] constexpr std::uint32_t Bits() const { return bits_; }
  [[nodiscard]] constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const EnumSet&) const = default;

  static constexpr std::uint32_t Bit(E v) { return 1u << static_cast<unsigned>(v); }

 private:
  std::uint32_t bits_ = 0;
};

using TCommEventTypes = EnumSet<TCommEventType>;
using TCommOptions = EnumSet<TCommOption>;

inline constexpr TCommEventTypes kAllCommEvents =
    TCommEventTypes::FromBits((1u << kCommEventTypes) - 1u);

// The bit rate named by each TBaudRate value.
inline constexpr std::array<int, 15> kBaudRates = {110,   300,   600,    1200,   2400,
                                                   4800,  9600,  14400,  19200,  38400,
                                                   56000, 57600, 115200, 128000, 256000};

constexpr int BitRate(TBaudRate rate) {
  return kBaudRates[static_cast<std::size_t>(rate)];
}

// Error flags reported with an error event (the driver's line errors).
inline constexpr std::uint32_t kCeRxOver = 0x0001;   // input buffer overflow
inline constexpr std::uint32_t kCeOverrun = 0x0002;  // character lost in the UART
inline constexpr std::uint32_t kCeRxParity = 0x0004;
inline constexpr std::uint32_t kCeFrame = 0x0008;
inline constexpr std::uint32_t kCeBreak = 0x0010;

// Hold flags of the status record, one bit per GetComState flag 1..5.
inline constexpr std::uint32_t kHoldCts = 0x01;
inline constexpr std::uint32_t kHoldDsr = 0x02;
inline constexpr std::uint32_t kHoldRlsd = 0x04;
inline constexpr std::uint32_t kHoldXoff = 0x08;
inline constexpr std::uint32_t kXoffSent = 0x10;

// The driver's status record: hold flags and queue counts.
struct TComStat {
  std::uint32_t flags = 0;
  std::uint32_t inQue = 0;
  std::uint32_t outQue = 0;
};

// Extended functions passed to EscapeComm.
enum class TEscapeFunction : std::uint8_t {
  SetXOff = 1,  // act as if XOFF had been received
  SetXOn = 2,   // act as if XON had been received
  SetRts = 3,
  ClrRts = 4,
  SetDtr = 5,
  ClrDtr = 6,
  SetBreak = 8,
  ClrBreak = 9,
};

}  // namespace zo::serial
