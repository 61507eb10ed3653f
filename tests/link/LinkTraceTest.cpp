// The link trace: its lines written and read back, a traced session against
// the simulated controller, and the trace's bounds.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "MemoryTraceSink.h"
#include "SimLink.h"
#include "link/LinkTrace.h"
#include "link/TraceFormat.h"

namespace zo::test {
namespace {

using link::LinkTrace;
using link::TraceCheck;
using link::TraceDirection;
using link::TraceEntry;
using link::TraceFormat;
using std::chrono::microseconds;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::vector<TraceEntry> Entries(const std::string& text) {
  std::vector<TraceEntry> entries;
  for (const std::string& line : Lines(text)) {
    if (TraceFormat::IsComment(line)) continue;
    std::string problem;
    auto entry = TraceFormat::Parse(line, problem);
    EXPECT_TRUE(entry) << line << ": " << problem;
    if (entry) entries.push_back(*entry);
  }
  return entries;
}

TraceEntry Entry(long long time, TraceDirection direction, std::optional<std::uint8_t> command,
                 std::optional<long long> delay, TraceCheck check,
                 std::vector<std::uint8_t> bytes) {
  TraceEntry entry;
  entry.time = microseconds(time);
  entry.direction = direction;
  entry.command = command;
  if (delay) entry.delay = microseconds(*delay);
  entry.check = check;
  entry.bytes = std::move(bytes);
  return entry;
}

TEST(TraceFormat, LinesHaveAFixedLayoutAndReadBackAsWritten) {
  const TraceEntry sent = Entry(12'345'678, TraceDirection::Sent, 0x55, std::nullopt,
                                TraceCheck::None, {0x55, 0x00, 0x55});
  EXPECT_EQ(TraceFormat::Line(sent),
            "         12.345678 TX ReadParam              - -     55 00 55\n");
  const TraceEntry received = Entry(12'361'000, TraceDirection::Received, 0x55, 15'322,
                                    TraceCheck::Ok, {0x55, 0x00, 0x64, 0xB9});
  EXPECT_EQ(TraceFormat::Line(received),
            "         12.361000 RX ReadParam          15322 ok    55 00 64 B9\n");
  const TraceEntry stale =
      Entry(0, TraceDirection::Received, std::nullopt, std::nullopt, TraceCheck::Stale, {0xFF});
  const TraceEntry missing =
      Entry(7, TraceDirection::Received, 0x42, 150'000, TraceCheck::Missing, {});
  for (const TraceEntry& entry : {sent, received, stale, missing}) {
    std::string problem;
    const auto back = TraceFormat::Parse(TraceFormat::Line(entry), problem);
    ASSERT_TRUE(back) << problem;
    EXPECT_EQ(back->time, entry.time);
    EXPECT_EQ(back->direction, entry.direction);
    EXPECT_EQ(back->command, entry.command);
    EXPECT_EQ(back->delay, entry.delay);
    EXPECT_EQ(back->check, entry.check);
    EXPECT_EQ(back->bytes, entry.bytes);
  }
  EXPECT_EQ(TraceFormat::CommandName(0x42), "0x42");
}

TEST(TraceFormat, DamagedLinesAreRefusedWithTheirFault) {
  const std::vector<std::string> damaged{
      "12.345678 TX ReadParam",                    // cut short
      "12.3456 TX ReadParam - - 55 00 55",         // time without six decimals
      "12.345678 XX ReadParam - - 55",             // direction
      "12.345678 TX ReadParm - - 55",              // command name
      "12.345678 RX ReadParam 12a ok 55",          // delay
      "12.345678 RX ReadParam 12 fine 55",         // check
      "12.345678 RX ReadParam 12 ok 55 00 6",      // a byte cut in half
      "12.345678 RX ReadParam 12 ok 55 00 64 XY",  // not hexadecimal
  };
  for (const std::string& line : damaged) {
    std::string problem;
    EXPECT_FALSE(TraceFormat::Parse(line, problem)) << line;
    EXPECT_FALSE(problem.empty()) << line;
  }
  EXPECT_TRUE(TraceFormat::IsComment("# stopped by the user"));
  EXPECT_TRUE(TraceFormat::IsComment("   "));
}

TEST(LinkTrace, RecordsEveryFrameOfASessionWithItsReplyAndDelay) {
  SimLink t;
  std::string text;
  LinkTrace trace;
  ASSERT_TRUE(trace.Start(std::make_unique<MemoryTraceSink>(text), "/tmp/a.trace",
                          "2026-12-08 11:30:00", t.clock.Now()));
  t.link.SetTrace(&trace);
  t.ReadController();
  t.Ticks(5);  // live data
  trace.Stop();

  const auto entries = Entries(text);
  std::size_t sent = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].direction != TraceDirection::Sent) continue;
    ++sent;
    ASSERT_LT(i + 1, entries.size());
    const TraceEntry& reply = entries[i + 1];
    EXPECT_EQ(reply.direction, TraceDirection::Received);
    EXPECT_EQ(reply.command, entries[i].command);
    EXPECT_EQ(reply.check, TraceCheck::Ok);
    ASSERT_TRUE(reply.delay);
    // At least the request and the reply on a 4800-baud line.
    EXPECT_GE(reply.delay->count(),
              2083 * static_cast<long long>(entries[i].bytes.size() + reply.bytes.size()));
    EXPECT_EQ(reply.time - *reply.delay, entries[i].time);
  }
  EXPECT_EQ(sent, t.port.Written().size());
  EXPECT_EQ(entries.back().command, std::optional<std::uint8_t>(0x33));
  // A live-data poll takes 160 bytes, as the size limit's room is reckoned.
  const auto lines = Lines(text);
  EXPECT_EQ(lines[lines.size() - 3].size() + lines[lines.size() - 2].size() + 2, 160u);
  EXPECT_EQ(Lines(text).front(), TraceFormat::kFirstLine);
  EXPECT_EQ(Lines(text).back(), "# stopped by the user");
  EXPECT_EQ(trace.LastTracePath(), "/tmp/a.trace");
  EXPECT_EQ(trace.Size(), text.size() - Lines(text).back().size() - 1);

  // Stopped, the link goes on without a line more.
  const std::size_t length = text.size();
  t.Ticks(3);
  EXPECT_EQ(text.size(), length);
}

TEST(LinkTrace, MissingAndStaleBytesAreRecorded) {
  SimLink t;
  t.ReadController();
  std::string text;
  LinkTrace trace;
  ASSERT_TRUE(trace.Start(std::make_unique<MemoryTraceSink>(text), "x", "now", t.clock.Now()));
  t.link.SetTrace(&trace);
  t.port.InjectNoise(std::vector<std::uint8_t>{0xEE});
  t.clock.AdvanceTo(t.clock.Now() + microseconds(10'000));
  t.port.Faults().SetProbability(lpgsim::Fault::Drop, 1.0);
  t.Tick();
  const auto entries = Entries(text);
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[0].check, TraceCheck::Stale);
  EXPECT_EQ(entries[0].bytes, std::vector<std::uint8_t>{0xEE});
  EXPECT_EQ(entries[2].check, TraceCheck::Missing);
  EXPECT_TRUE(entries[2].bytes.empty());
}

TEST(LinkTrace, StopsAtItsLimitSayingSoAndWhenWritingFails) {
  SimLink t;
  std::string text;
  LinkTrace trace;
  std::vector<LinkTrace::Status> reported;
  trace.SetStatusHandler([&](LinkTrace::Status s) { reported.push_back(s); });
  constexpr std::uint64_t kLimit = 4096;
  ASSERT_TRUE(
      trace.Start(std::make_unique<MemoryTraceSink>(text), "x", "now", t.clock.Now(), kLimit));
  t.link.SetTrace(&trace);
  t.ReadController();
  EXPECT_EQ(trace.State(), LinkTrace::Status::Full);
  EXPECT_EQ(reported, std::vector<LinkTrace::Status>{LinkTrace::Status::Full});
  EXPECT_LE(text.size(), kLimit);
  EXPECT_GT(text.size(), kLimit - 200);
  EXPECT_EQ(Lines(text).back(), "# stopped: the size limit of 4096 bytes is reached");
  // The read went on to its end regardless.
  EXPECT_FALSE(t.state.readInProgress);

  bool refuse = false;
  std::string second;
  ASSERT_TRUE(
      trace.Start(std::make_unique<MemoryTraceSink>(second, &refuse), "y", "now", t.clock.Now()));
  t.Tick();
  refuse = true;
  t.Tick();
  EXPECT_EQ(trace.State(), LinkTrace::Status::Failed);
  EXPECT_EQ(reported.back(), LinkTrace::Status::Failed);
  EXPECT_EQ(trace.LastTracePath(), "y");
  EXPECT_FALSE(
      trace.Start(std::make_unique<MemoryTraceSink>(second, &refuse), "z", "now", t.clock.Now()));
  EXPECT_EQ(trace.LastTracePath(), "y");
}

}  // namespace
}  // namespace zo::test
