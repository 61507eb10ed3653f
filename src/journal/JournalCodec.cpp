#include "journal/JournalCodec.h"

#include <charconv>
#include <optional>

namespace zo::journal {

namespace {

std::string Escaped(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (const char c : field) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  for (std::size_t tab = line.find('\t'); tab != std::string_view::npos;
       tab = line.find('\t', from)) {
    fields.push_back(line.substr(from, tab - from));
    from = tab + 1;
  }
  fields.push_back(line.substr(from));
  return fields;
}

template <class T>
std::optional<T> Number(std::string_view text, T low, T high) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

std::optional<SessionStart> StartOf(const std::vector<std::string_view>& f) {
  if (f.size() != 5) return std::nullopt;
  const auto time = Number<std::int64_t>(f[1], 0, INT64_MAX);
  const auto version = Number<int>(f[2], 0, 255);
  auto program = Unescaped(f[3]);
  auto image = Unescaped(f[4]);
  if (!time || !version || !program || !image) return std::nullopt;
  return SessionStart{*time, *version, std::move(*program), std::move(*image)};
}

std::optional<Change> ChangeOf(const std::vector<std::string_view>& f) {
  if (f.size() != 9) return std::nullopt;
  const auto time = Number<std::int64_t>(f[1], 0, INT64_MAX);
  const auto byte = Number<int>(f[2], 0, 511);
  const auto oldValue = Number<int>(f[3], 0, 255);
  const auto newValue = Number<int>(f[4], 0, 255);
  const auto cause = CauseOfToken(f[5]);
  auto parameter = Unescaped(f[6]);
  auto oldText = Unescaped(f[7]);
  auto newText = Unescaped(f[8]);
  if (!time || !byte || !oldValue || !newValue || !cause || !parameter || !oldText || !newText)
    return std::nullopt;
  return Change{*time,
                *byte,
                static_cast<std::uint8_t>(*oldValue),
                static_cast<std::uint8_t>(*newValue),
                *cause,
                std::move(*parameter),
                std::move(*oldText),
                std::move(*newText)};
}

}  // namespace

std::string JournalCodec::Encode(const SessionStart& start) {
  return "S\t" + std::to_string(start.time) + "\t" + std::to_string(start.version) + "\t" +
         Escaped(start.program) + "\t" + Escaped(start.connectImage) + "\n";
}

std::string JournalCodec::Encode(const Change& change) {
  return "C\t" + std::to_string(change.time) + "\t" + std::to_string(change.byte) + "\t" +
         std::to_string(change.oldValue) + "\t" + std::to_string(change.newValue) + "\t" +
         std::string(CauseToken(change.cause)) + "\t" + Escaped(change.parameter) + "\t" +
         Escaped(change.oldText) + "\t" + Escaped(change.newText) + "\n";
}

JournalText JournalCodec::Decode(std::string_view text) {
  JournalText out;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) {  // cut short by a kill
      ++out.skippedLines;
      break;
    }
    const std::string_view line = text.substr(from, end - from);
    from = end + 1;
    if (line.empty() || line == kHeader.substr(0, kHeader.size() - 1)) continue;
    const auto fields = Fields(line);
    if (fields[0] == "S") {
      if (auto start = StartOf(fields)) {
        out.sessions.push_back(Session{std::move(*start), {}});
        continue;
      }
    } else if (fields[0] == "C") {
      if (auto change = ChangeOf(fields)) {
        if (out.sessions.empty()) out.sessions.emplace_back();
        out.sessions.back().changes.push_back(std::move(*change));
        continue;
      }
    }
    ++out.skippedLines;
  }
  return out;
}

std::string JournalCodec::EncodeAll(const std::vector<Session>& sessions) {
  std::string out(kHeader);
  for (const Session& session : sessions) {
    out += Encode(session.start);
    for (const Change& change : session.changes)
      out += Encode(change);
  }
  return out;
}

std::string JournalCodec::ImageHex(const link::ImageArea& image) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  for (int i = 0; i < link::kImageSize; ++i) {
    const std::uint8_t b = image[static_cast<std::size_t>(i)];
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

std::optional<link::ImageArea> JournalCodec::ImageOfHex(std::string_view hex) {
  if (hex.size() != std::size_t{2} * link::kImageSize) return std::nullopt;
  link::ImageArea image = link::BlankImage();
  for (std::size_t i = 0; i < static_cast<std::size_t>(link::kImageSize); ++i) {
    std::uint8_t value = 0;
    const char* first = hex.data() + 2 * i;
    const auto [end, error] = std::from_chars(first, first + 2, value, 16);
    if (error != std::errc{} || end != first + 2) return std::nullopt;
    image[i] = value;
  }
  return image;
}

}  // namespace zo::journal
