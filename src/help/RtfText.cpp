#include "help/RtfText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "texts/Utf8.h"

namespace zo::help {

namespace {

// Groups whose text is not part of the document.
constexpr std::array<std::string_view, 12> kDestinations{
    "fonttbl", "colortbl", "stylesheet", "info",      "pict",      "header",
    "footer",  "object",   "listtable",  "themedata", "datastore", "latentstyles"};

constexpr int kCyrillicCodePage = 1251;
constexpr char32_t kReplacement = 0xFFFD;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view rtf) : in_(rtf) {}

  std::string Run() {
    while (i_ < in_.size()) {
      const char c = in_[i_++];
      if (c == '{') {
        pendingSkip_ = 0;
        groups_.push_back(groups_.back());
      } else if (c == '}') {
        pendingSkip_ = 0;
        if (groups_.size() > 1) groups_.pop_back();
      } else if (c == '\\') {
        Control();
      } else if (c != '\r' && c != '\n') {
        Character(static_cast<unsigned char>(c));
      }
    }
    return std::move(out_);
  }

 private:
  struct Group {
    bool skip = false;
    int skipAfterUnicode = 1;  // \ucN: fallback characters after each \uN
  };

  void Emit(char32_t c) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    if (!groups_.back().skip) texts::Utf8::Append(c, out_);
  }

  // A byte of the document's code page.
  void Character(unsigned char byte) {
    if (byte < 0x80 || !cyrillic_) return Emit(byte);
    if (byte >= 0xC0) return Emit(0x410 + (byte - 0xC0u));  // А..я
    if (byte == 0xA8) return Emit(0x401);                   // Ё
    if (byte == 0xB8) return Emit(0x451);                   // ё
    Emit(byte);
  }

  void Control() {
    if (i_ >= in_.size()) return;
    const char c = in_[i_];
    if (!IsLetter(c)) return Symbol();
    const std::size_t start = i_;
    while (i_ < in_.size() && IsLetter(in_[i_]))
      ++i_;
    const std::string_view word = in_.substr(start, i_ - start);
    std::optional<int> parameter;
    const bool negative = i_ < in_.size() && in_[i_] == '-';
    if (negative) ++i_;
    if (i_ < in_.size() && IsDigit(in_[i_])) {
      long value = 0;
      while (i_ < in_.size() && IsDigit(in_[i_])) {
        value = std::min(value * 10 + (in_[i_++] - '0'), 1000000L);
      }
      parameter = static_cast<int>(negative ? -value : value);
    }
    if (i_ < in_.size() && in_[i_] == ' ') ++i_;  // the delimiter belongs to the word
    Word(word, parameter);
  }

  void Word(std::string_view word, std::optional<int> parameter) {
    if (word == "par" || word == "line" || word == "row" || word == "sect") return Emit('\n');
    if (word == "tab" || word == "cell") return Emit('\t');
    if (word == "u" && parameter) {
      const int value = *parameter < 0 ? *parameter + 65536 : *parameter;
      // Surrogate halves stand for letters the help texts never use.
      const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
      Emit(surrogate || value < 0 || value > 0xFFFF ? kReplacement : static_cast<char32_t>(value));
      pendingSkip_ = groups_.back().skipAfterUnicode;
      return;
    }
    if (word == "uc" && parameter) groups_.back().skipAfterUnicode = std::max(*parameter, 0);
    if (word == "ansicpg" && parameter) cyrillic_ = *parameter == kCyrillicCodePage;
    if (std::ranges::find(kDestinations, word) != kDestinations.end()) groups_.back().skip = true;
  }

  // A control symbol: an escaped character, a hexadecimal byte, an ignorable
  // destination or a line end.
  void Symbol() {
    const char c = in_[i_++];
    switch (c) {
      case '\'': {
        const int high = i_ < in_.size() ? HexValue(in_[i_]) : -1;
        const int low = i_ + 1 < in_.size() ? HexValue(in_[i_ + 1]) : -1;
        if (high < 0 || low < 0) return;
        i_ += 2;
        return Character(static_cast<unsigned char>(high * 16 + low));
      }
      case '*':
        groups_.back().skip = true;
        return;
      case '~':
        return Emit(' ');
      case '_':
        return Emit('-');
      case '\r':
      case '\n':
        return Emit('\n');
      case '-':
        return;
      default:
        return Emit(static_cast<unsigned char>(c));
    }
  }

  std::string_view in_;
  std::size_t i_ = 0;
  std::string out_;
  std::vector<Group> groups_{Group{}};
  int pendingSkip_ = 0;
  bool cyrillic_ = false;
};

}  // namespace

bool RtfText::IsRichText(std::string_view bytes) {
  return bytes.starts_with("{\\rtf");
}

std::string RtfText::ToPlain(std::string_view rtf) {
  return Parser(rtf).Run();
}

}  // namespace zo::help
