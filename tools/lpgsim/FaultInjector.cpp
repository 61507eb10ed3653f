#include "FaultInjector.h"

#include <utility>

namespace lpgsim {

void FaultInjector::SetProbability(Fault kind, double probability) {
  probability_[static_cast<std::size_t>(kind)] = probability;
}

void FaultInjector::Script(Fault kind, int count) {
  for (int i = 0; i < count; ++i)
    script_.push_back(kind);
}

double FaultInjector::Uniform() {
  return static_cast<double>(random_()) / 4294967296.0;
}

std::uint32_t FaultInjector::Below(std::uint32_t bound) {
  if (bound <= 1) return 0;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(random_()) * bound >> 32);
}

Fault FaultInjector::Choose() {
  if (silence_) return Fault::Silence;
  if (!script_.empty()) {
    const Fault kind = script_.front();
    script_.pop_front();
    return kind;
  }
  for (const Fault kind :
       {Fault::Drop, Fault::Late, Fault::Corrupt, Fault::Truncate, Fault::Noise}) {
    const double p = probability_[static_cast<std::size_t>(kind)];
    if (p > 0.0 && Uniform() < p) return kind;
  }
  return Fault::None;
}

FaultedReply FaultInjector::Apply(std::vector<std::uint8_t> reply) {
  FaultedReply out;
  out.fault = Choose();
  ++applied_[static_cast<std::size_t>(out.fault)];
  switch (out.fault) {
    case Fault::None:
      out.bytes = std::move(reply);
      break;
    case Fault::Drop:
    case Fault::Silence:
      break;
    case Fault::Late:
      out.bytes = std::move(reply);
      out.extraDelay = lateDelay_;
      break;
    case Fault::Corrupt:
      out.bytes = std::move(reply);
      if (!out.bytes.empty()) {
        const std::size_t at = Below(static_cast<std::uint32_t>(out.bytes.size()));
        const auto mask = static_cast<std::uint8_t>(1u + Below(255));  // never 0
        out.bytes[at] = static_cast<std::uint8_t>(out.bytes[at] ^ mask);
      }
      break;
    case Fault::Truncate:
      out.bytes = std::move(reply);
      if (out.bytes.size() > 1) {
        const auto keep = 1u + Below(static_cast<std::uint32_t>(out.bytes.size() - 1));
        out.bytes.resize(keep);
      }
      break;
    case Fault::Noise: {
      out.bytes = std::move(reply);
      const std::vector<std::uint8_t> noise = RandomBytes(noiseLength_);
      out.bytes.insert(out.bytes.end(), noise.begin(), noise.end());
      break;
    }
  }
  return out;
}

std::vector<std::uint8_t> FaultInjector::RandomBytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::uint8_t& b : bytes)
    b = static_cast<std::uint8_t>(random_() & 0xFFu);
  return bytes;
}

}  // namespace lpgsim
