// Replaying a link trace: a session traced against the simulated controller,
// played back by a controller built from the trace, gives the program the
// same image and the same live values; damaged lines are skipped and named.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MemoryTraceSink.h"
#include "SimLink.h"
#include "TraceReplay.h"
#include "link/LinkTrace.h"

namespace zo::test {
namespace {

using lpgsim::SimConfig;
using lpgsim::TraceReplay;

constexpr int kPolls = 12;

struct Session {
  link::ImageArea image{};
  std::vector<link::HistorySample> samples;
  std::vector<int> statusBytes;
};

// Reads the controller and polls its live values a dozen times.
Session ReadAndPoll(SimLink& t) {
  t.ReadController();
  Session session;
  session.image = t.state.workingCopy;
  for (int i = 0; i < kPolls; ++i) {
    t.Tick();
    session.statusBytes.push_back(t.state.statusByte);
  }
  for (int i = 0; i < t.state.history.WriteIndex(); ++i)
    session.samples.push_back(t.state.history.At(i));
  return session;
}

SimConfig Traced() {
  SimConfig config;
  config.modelCode = 102;
  config.firmwareVersion = 177;
  return config;
}

std::string TraceOf(SimLink& t, Session& session) {
  std::string text;
  link::LinkTrace trace;
  EXPECT_TRUE(trace.Start(std::make_unique<MemoryTraceSink>(text), "t", "now", t.clock.Now()));
  t.link.SetTrace(&trace);
  // A byte of the image that no factory image has, and an engine that runs,
  // so the live values move.
  t.controller.SetEepromByte(40, 0x5B);
  t.controller.Engine().SetIgnition(true);
  t.controller.Engine().SetTargetRpm(2500);
  session = ReadAndPoll(t);
  trace.Stop();
  return text;
}

TEST(TraceReplay, ReplayedSessionReadsTheSameImageAndShowsTheSameLiveValues) {
  SimLink traced(Traced());
  Session original;
  const std::string text = TraceOf(traced, original);
  ASSERT_GE(original.samples.size(), 5u);

  std::vector<std::string> problems;
  std::istringstream in(text);
  TraceReplay replay = TraceReplay::Read(in, problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(replay.KnownImageBytes(), link::kImageSize);
  SimConfig config;  // a Vela100 until the trace says otherwise
  replay.Configure(config);
  EXPECT_EQ(config.modelCode, 102);
  EXPECT_EQ(config.firmwareVersion, 177);

  SimLink replayed(config);
  replayed.controller.UseReplay(std::move(replay));
  const Session again = ReadAndPoll(replayed);
  for (std::size_t i = 0; i < link::kImageSize; ++i)
    ASSERT_EQ(again.image[i], original.image[i]) << i;
  EXPECT_EQ(again.statusBytes, original.statusBytes);
  ASSERT_EQ(again.samples.size(), original.samples.size());
  for (std::size_t i = 0; i < original.samples.size(); ++i)
    EXPECT_EQ(again.samples[i], original.samples[i]) << "sample " << i;
  // The live values moved, so the replay could not pass by chance.
  EXPECT_NE(original.samples.front(), original.samples.back());
}

// A live-data reply of 16 bytes with `first` and `second` after the command.
std::vector<std::uint8_t> Live(std::uint8_t first, std::uint8_t second) {
  std::vector<std::uint8_t> reply(16, 0);
  reply[0] = 0x33;
  reply[1] = first;
  reply[2] = second;
  reply[15] = static_cast<std::uint8_t>(0x33 + first + second);
  return reply;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) {
    std::array<char, 4> digits{};
    std::snprintf(digits.data(), digits.size(), " %02X", b);
    text += digits.data();
  }
  return text;
}

TEST(TraceReplay, LiveRepliesLoopAndOtherRequestsAreLeftToTheSimulator) {
  std::vector<std::uint8_t> damaged = Live(9, 9);
  damaged[15] = 0;
  const std::string text =
      "# ZoLpgWin link trace, format 1\n"
      "0.000000 TX LiveData - - 33 33\n"
      "0.010000 RX LiveData 10000 ok" +
      Hex(Live(1, 2)) + " EE\n" +
      "0.100000 TX LiveData - - 33 33\n"
      "0.110000 RX LiveData 10000 bad" +
      Hex(damaged) + "\n" +
      "0.200000 TX SwitchRequest - - 35 33 68\n"
      "0.210000 RX SwitchRequest 10000 ok" +
      Hex(Live(5, 6)) + "\n" +
      "0.300000 TX ReadParam - - 55 07 5C\n"
      "0.310000 RX ReadParam 10000 ok 55 07 2A 86\n"
      "0.400000 TX WriteParam - - AA 07 2B DC\n"
      "0.410000 RX WriteParam 10000 ok AA AA\n";
  std::vector<std::string> problems;
  std::istringstream in(text);
  TraceReplay replay = TraceReplay::Read(in, problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  const std::vector<std::uint8_t> poll{0x33, 0x33};
  EXPECT_EQ(replay.RepliesFor(poll), 2u);  // the damaged reply is not one
  // The noise byte after the first reply is not part of it.
  EXPECT_EQ(replay.Answer(poll), Live(1, 2));
  EXPECT_EQ(replay.Answer(poll), Live(5, 6));
  EXPECT_EQ(replay.Answer(poll), Live(1, 2));
  EXPECT_FALSE(replay.Answer(std::vector<std::uint8_t>{0xCA, 0xCA}));
  EXPECT_FALSE(replay.Answer(std::vector<std::uint8_t>{0x55, 0x07, 0x5C}));
  SimConfig config;
  replay.Configure(config);
  EXPECT_EQ((*config.initialImage)[7], 0x2A);  // as read, before the write
  EXPECT_EQ(config.modelCode, 100);            // not traced: the default stays
}

TEST(TraceReplay, DamagedAndCutLinesAreSkippedWithTheirNumbers) {
  SimLink traced(Traced());
  Session original;
  std::string text = TraceOf(traced, original);
  // Damage the reply to the read of byte 3, change a byte of the reply to
  // the read of byte 4, and cut the file in the middle of a line's last byte.
  const std::size_t read3 = text.find("RX ReadParam", text.find("55 03 58"));
  ASSERT_NE(read3, std::string::npos);
  text[read3 + 1] = 'Q';
  const std::size_t read4 = text.find('\n', text.find("RX ReadParam", text.find("55 04 59")));
  text[read4 - 1] = text[read4 - 1] == '0' ? '1' : '0';
  text.resize(text.rfind("# stopped") - 2);

  std::vector<std::string> problems;
  std::istringstream in(text);
  TraceReplay replay = TraceReplay::Read(in, problems);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("direction"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("check sum"), std::string::npos) << problems[1];
  EXPECT_NE(problems[2].find("not a byte"), std::string::npos) << problems[2];
  EXPECT_EQ(problems[0].rfind("line ", 0), 0u);
  EXPECT_EQ(replay.KnownImageBytes(), link::kImageSize - 2);
  SimConfig config;
  replay.Configure(config);
  SimLink replayed(config);
  replayed.controller.UseReplay(std::move(replay));
  const Session again = ReadAndPoll(replayed);
  EXPECT_EQ(again.image[40], 0x5B);
  EXPECT_EQ(again.samples.front(), original.samples.front());
}

}  // namespace
}  // namespace zo::test
