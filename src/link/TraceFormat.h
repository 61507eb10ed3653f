// The text of a link trace: one line for each frame sent to the controller
// and each reply taken from the line, and the comment lines that open and
// close the file. Writing and reading the lines live together so the program
// that records a trace and the simulator that replays it agree on them.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zo::link {

enum class TraceDirection { Sent, Received };

// What became of received bytes: a reply that passed its checks, one that did
// not, no reply at all (no bytes), or bytes found waiting before a request
// and thrown away. Sent frames carry no check.
enum class TraceCheck { None, Ok, Bad, Missing, Stale };

struct TraceEntry {
  std::chrono::microseconds time{0};  // since the trace started
  TraceDirection direction = TraceDirection::Sent;
  // The command of the request the line belongs to; unset for stale bytes.
  std::optional<std::uint8_t> command;
  // Received lines: the time since the request was sent.
  std::optional<std::chrono::microseconds> delay;
  TraceCheck check = TraceCheck::None;
  std::vector<std::uint8_t> bytes;
};

class TraceFormat {
 public:
  static constexpr int kVersion = 1;
  static constexpr std::string_view kFirstLine = "# ZoLpgWin link trace, format 1";

  // The opening comment lines, `startedAt` the local date and time of the start.
  static std::string Header(std::string_view startedAt);
  // One line, ending in a line feed.
  static std::string Line(const TraceEntry& entry);
  // A comment line, ending in a line feed.
  static std::string Comment(std::string_view text);

  // The protocol name of a command byte ("LiveData"), or "0xNN" for one the
  // program does not know.
  static std::string CommandName(std::uint8_t command);
  static std::optional<std::uint8_t> CommandCode(std::string_view name);

  // Whether a line carries no frame: empty or a comment.
  static bool IsComment(std::string_view line);
  // The frame on one line; nothing, with what is wrong in `problem`, when the
  // line cannot be read.
  static std::optional<TraceEntry> Parse(std::string_view line, std::string& problem);

 private:
  static std::string Hex(std::span<const std::uint8_t> bytes);
};

}  // namespace zo::link
