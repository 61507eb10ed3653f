// The in-process transport passes the controller's replies through the fault
// injector: each fault spoils only the reply it is scripted for, scripts run
// before probabilities, and the same seed gives the same faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "SimTestSupport.h"
#include "SimTransport.h"

namespace lpgsim {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const Bytes kLiveData = {0x33, 0x33};

struct Rig {
  VirtualClock clock;
  SimController controller;
  SimTransport transport{clock, controller};

  Bytes ReadAll() {
    Bytes out(1024);
    out.resize(static_cast<std::size_t>(transport.ReadAvailable(out)));
    return out;
  }
  // Sends a request and waits up to 150 ms for `expected` bytes.
  Bytes Exchange(const Bytes& request, int expected = 16) {
    transport.Write(request);
    transport.WaitForInput(expected, 150ms);
    return ReadAll();
  }
};

TEST(SimTransportFaults, EachFaultSpoilsOnlyTheScriptedReplyAsNamed) {
  const Bytes clean = Rig().Exchange(kLiveData);
  struct Case {
    Fault fault;
    std::size_t minSize, maxSize;  // of the spoilt reply
    int differing;                 // bytes differing from the clean reply
  };
  for (const Case& c : std::vector<Case>{{Fault::Drop, 0, 0, 0},
                                         {Fault::Late, 0, 0, 0},
                                         {Fault::Corrupt, 16, 16, 1},
                                         {Fault::Truncate, 1, 15, 0},
                                         {Fault::Noise, 20, 20, 0}}) {
    SCOPED_TRACE(static_cast<int>(c.fault));
    Rig rig;
    rig.transport.Faults().SetNoiseLength(4);
    rig.transport.Faults().Script(c.fault);
    const Bytes reply = rig.Exchange(kLiveData, c.fault == Fault::Noise ? 20 : 16);
    EXPECT_GE(reply.size(), c.minSize);
    EXPECT_LE(reply.size(), c.maxSize);
    int differing = 0;
    for (std::size_t i = 0; i < std::min(reply.size(), clean.size()); ++i)
      differing += reply[i] != clean[i] ? 1 : 0;
    EXPECT_EQ(differing, c.differing);
    if (c.fault == Fault::Corrupt) {
      EXPECT_FALSE(test::SumIsValid(reply));
    }
    if (c.fault == Fault::Late) {
      rig.clock.AdvanceTo(39500us + 200ms);
      EXPECT_EQ(rig.ReadAll(), clean) << "the late reply arrives after the wait";
    }
    EXPECT_EQ(rig.Exchange(kLiveData).size(), 16u) << "only the scripted reply";
    EXPECT_EQ(rig.transport.Faults().Applied(c.fault), 1u);
  }
}

TEST(SimTransportFaults, ScriptRunsBeforeProbabilitiesWhichAreSeeded) {
  const auto run = [](double dropProbability) {
    Rig rig;
    rig.transport.Faults().SetProbability(Fault::Drop, dropProbability);
    rig.transport.Faults().Script(Fault::None, 2);
    std::vector<bool> answered;
    for (int i = 0; i < 200; ++i)
      answered.push_back(!rig.Exchange(kLiveData).empty());
    return answered;
  };
  const std::vector<bool> always = run(1.0);
  EXPECT_EQ(std::count(always.begin(), always.end(), true), 2);
  EXPECT_TRUE(always[0] && always[1]) << "the script first";
  const std::vector<bool> first = run(0.3);
  EXPECT_EQ(first, run(0.3)) << "same seed, same faults";
  const auto dropped = std::count(first.begin(), first.end(), false);
  EXPECT_GT(dropped, 35);
  EXPECT_LT(dropped, 85);
}

}  // namespace
}  // namespace lpgsim
