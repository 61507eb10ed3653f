// The in-process transport keeps 4800-baud wire timing on virtual time and
// passes the controller's replies through the fault injector.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "SimTestSupport.h"
#include "SimTransport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using test::SumIsValid;
using Bytes = std::vector<std::uint8_t>;

const Bytes kLiveData = {0x33, 0x33};

struct Rig {
  explicit Rig(SimConfig config = {}) : controller(config), transport(clock, controller) {}
  VirtualClock clock;
  SimController controller;
  SimTransport transport;

  Bytes ReadAll() {
    Bytes out(1024);
    const int n = transport.ReadAvailable(out);
    out.resize(static_cast<std::size_t>(n));
    return out;
  }

  // Sends a request and waits up to 150 ms for `expected` bytes.
  Bytes Exchange(const Bytes& request, int expected) {
    transport.Write(request);
    transport.WaitForInput(expected, 150ms);
    return ReadAll();
  }
};

TEST(SimTransportTiming, LiveDataTakesEighteenByteTimesPlusTurnaround) {
  Rig rig;
  rig.clock.AdvanceTo(1000us);
  ASSERT_EQ(rig.transport.Write(kLiveData), 2);
  ASSERT_TRUE(rig.transport.WaitForInput(16, 150ms));
  // 18 bytes of 2083 1/3 us are exactly 37.5 ms; the turnaround is 2 ms.
  EXPECT_EQ(rig.clock.Now(), 1000us + 37500us + 2000us);
  EXPECT_EQ(rig.transport.InQueCount(), 16);
  EXPECT_EQ(rig.transport.Delivered().back().arrival, 40500000ns);
  EXPECT_EQ(rig.transport.IdealExchangeTime(2, 16), 39500000ns);
}

TEST(SimTransportTiming, BytesArriveOneByOneAtWirePace) {
  Rig rig;
  rig.transport.Write(kLiveData);
  // The first reply byte lands 3 byte times plus the turnaround after the write.
  rig.clock.AdvanceTo(6250us + 2000us - 1us);
  EXPECT_EQ(rig.transport.InQueCount(), 0);
  rig.clock.AdvanceTo(6250us + 2000us);
  EXPECT_EQ(rig.transport.InQueCount(), 1);
  rig.clock.AdvanceTo(20ms);
  EXPECT_EQ(rig.transport.InQueCount(), 6);  // (20000 - 2000) / 2083.33 - 2 = 6.6
}

TEST(SimTransportTiming, ALongRunDoesNotDrift) {
  // 3000 byte times are exactly 6.25 s; rounding per byte would drift.
  Rig rig;
  Bytes many(3000, 0x00);  // bytes the controller ignores
  rig.transport.Write(many);
  EXPECT_EQ(rig.transport.Written().back().wireEnd, 6250000000ns);
  Rig again;
  for (int i = 0; i < 1000; ++i) {
    again.transport.Write(kLiveData);
    again.transport.WaitForInput(16, 150ms);
    again.ReadAll();
    again.clock.AdvanceTo(again.clock.Now() + 60500us);  // a 100 ms cycle
  }
  EXPECT_EQ(again.clock.Now(), 100s);
  EXPECT_EQ(again.transport.BytesDelivered(), 16000u);
}

TEST(SimTransportTiming, AWriteWhileTheWireIsBusyQueuesBehindIt) {
  Rig rig;
  rig.transport.Write(Bytes{0x55, 0x00, 0x55});
  rig.transport.Write(Bytes{0x55, 0x01, 0x56});
  const auto& written = rig.transport.Written();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[1].time, 0us);
  EXPECT_EQ(written[1].wireStart, written[0].wireEnd);
  rig.transport.WaitForInput(8, 150ms);
  EXPECT_EQ(rig.ReadAll(), (Bytes{0x55, 0x00, 100, 0xB9, 0x55, 0x01, 179, 0x09}));
}

TEST(SimTransportTiming, WaitEndsAtTheTimeoutWhenTooFewBytesCome) {
  Rig rig;
  rig.transport.Write(Bytes{0x55, 0x00, 0x55});
  EXPECT_TRUE(rig.transport.WaitForInput(16, 150ms));
  EXPECT_EQ(rig.clock.Now(), 150ms);
  EXPECT_EQ(rig.transport.InQueCount(), 4);
}

TEST(SimTransportOpenClose, AClosedTransportRefusesEverything) {
  Rig rig;
  rig.transport.Write(kLiveData);
  rig.transport.Close();
  Bytes buffer(16);
  EXPECT_EQ(rig.transport.InQueCount(), -1);
  EXPECT_EQ(rig.transport.ReadAvailable(buffer), 0);
  EXPECT_EQ(rig.transport.Write(kLiveData), -1);
  EXPECT_FALSE(rig.transport.WaitForInput(16, 150ms));
  rig.transport.Open();
  rig.clock.AdvanceTo(1s);
  EXPECT_EQ(rig.transport.InQueCount(), 0) << "what was on the line is lost";
  EXPECT_EQ(rig.Exchange(kLiveData, 16).size(), 16u);
}

TEST(SimTransportNoise, UnpromptedBytesAppearInTheInputQueue) {
  Rig rig;
  const Bytes noise = {0x12, 0x34, 0x56};
  rig.transport.InjectNoise(noise);
  rig.clock.AdvanceTo(3 * 2084us);
  EXPECT_EQ(rig.transport.InQueCount(), 3);
  EXPECT_EQ(rig.ReadAll(), noise);
}

// ---- Faults. A second rig with the same seed gives the clean reply to compare.

Bytes CleanLiveData() {
  Rig clean;
  return clean.Exchange(kLiveData, 16);
}

TEST(SimTransportFaults, EachFaultSpoilsOnlyTheScriptedReplyAsNamed) {
  const Bytes clean = CleanLiveData();
  const auto differing = [&](const Bytes& reply) {
    int n = 0;
    for (std::size_t i = 0; i < std::min(reply.size(), clean.size()); ++i)
      n += reply[i] != clean[i] ? 1 : 0;
    return n;
  };
  for (const Fault fault :
       {Fault::Drop, Fault::Late, Fault::Corrupt, Fault::Truncate, Fault::Noise}) {
    Rig rig;
    rig.transport.Faults().SetNoiseLength(4);
    rig.transport.Faults().Script(fault);
    const Bytes reply = rig.Exchange(kLiveData, fault == Fault::Noise ? 20 : 16);
    const int f = static_cast<int>(fault);
    switch (fault) {
      case Fault::Drop:
      case Fault::Late:
        EXPECT_TRUE(reply.empty()) << f;
        EXPECT_EQ(rig.clock.Now(), 150ms);
        break;
      case Fault::Corrupt:
        EXPECT_EQ(reply.size(), clean.size());
        EXPECT_EQ(differing(reply), 1);
        EXPECT_FALSE(SumIsValid(reply));
        break;
      case Fault::Truncate:
        EXPECT_GE(reply.size(), 1u);
        EXPECT_LT(reply.size(), clean.size());
        EXPECT_EQ(differing(reply), 0);
        break;
      default:  // noise after the reply
        EXPECT_EQ(reply.size(), 20u);
        EXPECT_EQ(differing(reply), 0);
        break;
    }
    if (fault == Fault::Late) {
      rig.clock.AdvanceTo(39500us + 200ms);
      EXPECT_EQ(rig.ReadAll(), clean) << "the late reply arrives after the wait";
    }
    EXPECT_EQ(rig.Exchange(kLiveData, 16).size(), 16u) << "only the scripted reply " << f;
    EXPECT_EQ(rig.transport.Faults().Applied(fault), 1u);
  }
}

TEST(SimTransportFaults, SilenceAnswersNothingUntilSwitchedOff) {
  Rig rig;
  rig.transport.Faults().SetSilence(true);
  for (int i = 0; i < 5; ++i) {
    EXPECT_TRUE(rig.Exchange(kLiveData, 16).empty());
    EXPECT_TRUE(rig.Exchange(Bytes{0x55, 0x00, 0x55}, 4).empty());
  }
  rig.transport.Faults().SetSilence(false);
  EXPECT_EQ(rig.Exchange(kLiveData, 16).size(), 16u);
  EXPECT_EQ(rig.controller.Log().Count(0x33), 6u) << "the controller heard every request";
}

TEST(SimTransportFaults, ScriptRunsInOrderBeforeProbabilities) {
  Rig rig;
  rig.transport.Faults().SetProbability(Fault::Drop, 1.0);
  rig.transport.Faults().Script(Fault::None, 2);
  EXPECT_EQ(rig.Exchange(kLiveData, 16).size(), 16u);
  EXPECT_EQ(rig.Exchange(kLiveData, 16).size(), 16u);
  EXPECT_TRUE(rig.Exchange(kLiveData, 16).empty());
}

TEST(SimTransportFaults, ProbabilitiesAreSeededAndRoughlyKept) {
  const auto run = [] {
    Rig rig;
    rig.transport.Faults().SetProbability(Fault::Drop, 0.3);
    std::vector<bool> answered;
    for (int i = 0; i < 200; ++i)
      answered.push_back(!rig.Exchange(kLiveData, 16).empty());
    return answered;
  };
  const std::vector<bool> first = run();
  EXPECT_EQ(first, run()) << "same seed, same faults";
  const auto dropped = std::count(first.begin(), first.end(), false);
  EXPECT_GT(dropped, 35);
  EXPECT_LT(dropped, 85);
}

}  // namespace
}  // namespace lpgsim
