#include "TraceFormat.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "LinkTypes.h"

namespace zo::link {

namespace {

struct NamedCommand {
  Command command;
  std::string_view name;
};

constexpr std::array<NamedCommand, 12> kNames{{
    {Command::ReadParam, "ReadParam"},
    {Command::ReadParamExt, "ReadParamExt"},
    {Command::WriteParam, "WriteParam"},
    {Command::LiveData, "LiveData"},
    {Command::SwitchRequest, "SwitchRequest"},
    {Command::RamWatch, "RamWatch"},
    {Command::ConfigData, "ConfigData"},
    {Command::ProcessorInputs, "ProcessorInputs"},
    {Command::MemoryPage, "MemoryPage"},
    {Command::EepromRow, "EepromRow"},
    {Command::BootStart, "BootStart"},
    {Command::BootBlock, "BootBlock"},
}};

constexpr std::array<std::string_view, 5> kChecks{"-", "ok", "bad", "none", "stale"};

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t begin = line.find_first_not_of(" \t\r\n", at);
    if (begin == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r\n", begin), line.size());
    fields.push_back(line.substr(begin, end - begin));
    at = end;
  }
  return fields;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out, int base = 10) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out, base);
  return error == std::errc() && end == text.data() + text.size();
}

// "12.345678": whole seconds and exactly six digits of microseconds.
std::optional<std::chrono::microseconds> ParseTime(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos || text.size() - dot != 7) return std::nullopt;
  long long seconds = 0;
  long long micros = 0;
  if (!ParseNumber(text.substr(0, dot), seconds) || !ParseNumber(text.substr(dot + 1), micros) ||
      seconds < 0 || micros < 0)
    return std::nullopt;
  return std::chrono::microseconds(seconds * 1'000'000 + micros);
}

}  // namespace

std::string TraceFormat::Header(std::string_view startedAt) {
  std::string text(kFirstLine);
  text += '\n';
  text += Comment("started " + std::string(startedAt) + " local time; times in seconds since then");
  text += Comment(
      "time  direction (TX to the controller, RX from it)  command  delay [us]  check  bytes");
  return text;
}

std::string TraceFormat::Comment(std::string_view text) {
  return "# " + std::string(text) + '\n';
}

std::string TraceFormat::CommandName(std::uint8_t command) {
  for (const NamedCommand& named : kNames)
    if (Code(named.command) == command) return std::string(named.name);
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "0x%02X", command);
  return text.data();
}

std::optional<std::uint8_t> TraceFormat::CommandCode(std::string_view name) {
  for (const NamedCommand& named : kNames)
    if (named.name == name) return Code(named.command);
  unsigned code = 0;
  if (name.size() == 4 && name.substr(0, 2) == "0x" && ParseNumber(name.substr(2), code, 16))
    return static_cast<std::uint8_t>(code);
  return std::nullopt;
}

std::string TraceFormat::Hex(std::span<const std::uint8_t> bytes) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

std::string TraceFormat::Line(const TraceEntry& entry) {
  const long long micros = entry.time.count();
  const std::string name = entry.command ? CommandName(*entry.command) : std::string("-");
  const std::string delay = entry.delay ? std::to_string(entry.delay->count()) : std::string("-");
  std::array<char, 96> head{};
  std::snprintf(head.data(), head.size(), "%11lld.%06lld %s %-15s %8s %-5s", micros / 1'000'000,
                micros % 1'000'000, entry.direction == TraceDirection::Sent ? "TX" : "RX",
                name.c_str(), delay.c_str(),
                std::string(kChecks[static_cast<std::size_t>(entry.check)]).c_str());
  return head.data() + Hex(entry.bytes) + '\n';
}

bool TraceFormat::IsComment(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r\n");
  return first == std::string_view::npos || line[first] == '#';
}

std::optional<TraceEntry> TraceFormat::Parse(std::string_view line, std::string& problem) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() < 5) {
    problem = "fewer than the five fields time, direction, command, delay and check";
    return std::nullopt;
  }
  TraceEntry entry;
  const auto time = ParseTime(fields[0]);
  if (!time) {
    problem = "the time is not seconds with six decimals: " + std::string(fields[0]);
    return std::nullopt;
  }
  entry.time = *time;
  if (fields[1] != "TX" && fields[1] != "RX") {
    problem = "the direction is neither TX nor RX: " + std::string(fields[1]);
    return std::nullopt;
  }
  entry.direction = fields[1] == "TX" ? TraceDirection::Sent : TraceDirection::Received;
  if (fields[2] != "-") {
    entry.command = CommandCode(fields[2]);
    if (!entry.command) {
      problem = "unknown command " + std::string(fields[2]);
      return std::nullopt;
    }
  }
  long long delay = 0;
  if (fields[3] != "-") {
    if (!ParseNumber(fields[3], delay) || delay < 0) {
      problem = "the delay is not a number of microseconds: " + std::string(fields[3]);
      return std::nullopt;
    }
    entry.delay = std::chrono::microseconds(delay);
  }
  std::size_t check = 0;
  while (check < kChecks.size() && kChecks[check] != fields[4])
    ++check;
  if (check == kChecks.size()) {
    problem = "unknown check " + std::string(fields[4]);
    return std::nullopt;
  }
  entry.check = static_cast<TraceCheck>(check);
  for (std::size_t i = 5; i < fields.size(); ++i) {
    unsigned value = 0;
    if (fields[i].size() != 2 || !ParseNumber(fields[i], value, 16)) {
      problem = "not a byte in hexadecimal: " + std::string(fields[i]);
      return std::nullopt;
    }
    entry.bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return entry;
}

}  // namespace zo::link
