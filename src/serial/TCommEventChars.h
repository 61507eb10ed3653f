// The five special characters of a serial line (XON, XOFF, error, end of
// file, event). Changing one tells the owning port, which re-applies its line
// settings; assigning one block to another copies all five.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace zo::serial {

class TCommEventChars {
 public:
  TCommEventChars() = default;
  explicit TCommEventChars(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

  // Copies the characters, not the owner, and tells this block's owner once.
  TCommEventChars& operator=(const TCommEventChars& other) {
    if (this == &other) return *this;
    xOn_ = other.xOn_;
    xOff_ = other.xOff_;
    error_ = other.error_;
    eof_ = other.eof_;
    evt_ = other.evt_;
    Changed();
    return *this;
  }
  TCommEventChars(const TCommEventChars& other)
      : xOn_(other.xOn_),
        xOff_(other.xOff_),
        error_(other.error_),
        eof_(other.eof_),
        evt_(other.evt_) {}
  ~TCommEventChars() = default;

  [[nodiscard]] std::uint8_t XOnChar() const { return xOn_; }
  [[nodiscard]] std::uint8_t XOffChar() const { return xOff_; }
  [[nodiscard]] std::uint8_t ErrorChar() const { return error_; }
  [[nodiscard]] std::uint8_t EofChar() const { return eof_; }
  [[nodiscard]] std::uint8_t EvtChar() const { return evt_; }

  void SetXOnChar(std::uint8_t c) { Set(xOn_, c); }
  void SetXOffChar(std::uint8_t c) { Set(xOff_, c); }
  void SetErrorChar(std::uint8_t c) { Set(error_, c); }
  void SetEofChar(std::uint8_t c) { Set(eof_, c); }
  void SetEvtChar(std::uint8_t c) { Set(evt_, c); }

  void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

 private:
  void Set(std::uint8_t& field, std::uint8_t value) {
    if (field == value) return;
    field = value;
    Changed();
  }
  void Changed() {
    if (onChange_) onChange_();
  }

  std::uint8_t xOn_ = 0x11;
  std::uint8_t xOff_ = 0x13;
  std::uint8_t error_ = 0;
  std::uint8_t eof_ = 0;
  std::uint8_t evt_ = 0;
  std::function<void()> onChange_;
};

}  // namespace zo::serial
