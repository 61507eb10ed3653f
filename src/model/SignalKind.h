// The kinds of live signal. A kind is the signal's byte position in a live
// sample; the RAM watch (sample byte 15) is listed as kind 20, and kind 2 is
// the signal list's header row. Stored settings keep a kind as its number:
// SignalKindOf turns such a number back into a kind, and tables indexed by
// kind take their index from IndexOf.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace zo::model {

enum class SignalKind : int {
  Header = 2,
  Rpm = 3,
  Lam = 4,
  Psi = 5,
  Sim = 6,
  Tps = 8,
  Mot = 10,
  Def = 11,
  Level = 13,
  Temperature = 14,
  Ram = 20,
};

// The kinds that have an indicator window, in the order of their numbers.
inline constexpr std::array<SignalKind, 9> kIndicatorKinds{
    SignalKind::Rpm, SignalKind::Lam, SignalKind::Psi,   SignalKind::Sim,        SignalKind::Tps,
    SignalKind::Mot, SignalKind::Def, SignalKind::Level, SignalKind::Temperature};

// The kind a stored number names; none for a number that names no kind.
constexpr std::optional<SignalKind> SignalKindOf(int number) {
  switch (static_cast<SignalKind>(number)) {
    case SignalKind::Header:
    case SignalKind::Rpm:
    case SignalKind::Lam:
    case SignalKind::Psi:
    case SignalKind::Sim:
    case SignalKind::Tps:
    case SignalKind::Mot:
    case SignalKind::Def:
    case SignalKind::Level:
    case SignalKind::Temperature:
    case SignalKind::Ram:
      return static_cast<SignalKind>(number);
  }
  return std::nullopt;
}

// A kind's number: its place in a table indexed by kind, and the number
// stored settings and window names carry.
constexpr std::size_t IndexOf(SignalKind kind) {
  return static_cast<std::size_t>(kind);
}

// The sample byte a kind is read from (15 for the RAM watch).
constexpr std::size_t SampleByteOf(SignalKind kind) {
  constexpr std::size_t kRamValueByte = 15;
  return kind == SignalKind::Ram ? kRamValueByte : IndexOf(kind);
}

}  // namespace zo::model
