// Spoils the simulated controller's replies on purpose, so that the link's
// handling of a bad line can be tested: deterministic (seeded), either by
// probability per fault kind or by a script of the next replies' faults.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

namespace lpgsim {

enum class Fault : std::uint8_t {
  None,      // the reply as it is
  Drop,      // no reply
  Late,      // the reply after an extra delay (default 200 ms, past the link's 150 ms wait)
  Corrupt,   // one byte changed
  Truncate,  // only the first 1 .. n-1 bytes
  Noise,     // random bytes appended
  Silence,   // no reply while silence is switched on
};
inline constexpr std::size_t kFaultKinds = 7;

struct FaultedReply {
  std::vector<std::uint8_t> bytes;  // what goes on the wire (may be empty)
  std::chrono::microseconds extraDelay{0};
  Fault fault = Fault::None;
};

class FaultInjector {
 public:
  explicit FaultInjector(std::uint32_t seed = 1) : random_(seed) {}

  // Chance 0..1 that a reply suffers `kind` (Drop, Late, Corrupt, Truncate,
  // Noise); they are tried in that order and the first that hits is applied.
  void SetProbability(Fault kind, double probability);
  // The next `count` replies suffer `kind` (None keeps them clean), before
  // any probability is consulted.
  void Script(Fault kind, int count = 1);
  void ClearScript() { script_.clear(); }
  [[nodiscard]] std::size_t ScriptedLeft() const { return script_.size(); }

  // While on, the controller answers nothing at all.
  void SetSilence(bool on) { silence_ = on; }
  [[nodiscard]] bool Silence() const { return silence_; }

  void SetLateDelay(std::chrono::microseconds delay) { lateDelay_ = delay; }
  void SetNoiseLength(std::size_t bytes) { noiseLength_ = bytes; }

  // Decides the fate of one reply.
  FaultedReply Apply(std::vector<std::uint8_t> reply);

  // Random bytes for unprompted line noise.
  std::vector<std::uint8_t> RandomBytes(std::size_t count);

  // How many replies each kind has spoiled so far.
  [[nodiscard]] std::uint64_t Applied(Fault kind) const {
    return applied_[static_cast<std::size_t>(kind)];
  }

 private:
  Fault Choose();
  std::uint32_t Below(std::uint32_t bound);  // uniform in [0, bound)
  double Uniform();

  std::mt19937 random_;
  std::array<double, kFaultKinds> probability_{};
  std::array<std::uint64_t, kFaultKinds> applied_{};
  std::deque<Fault> script_;
  bool silence_ = false;
  std::chrono::microseconds lateDelay_{200000};
  std::size_t noiseLength_ = 3;
};

}  // namespace lpgsim
