// A trace sink that keeps the text in a string the test owns, and can be
// told to refuse writing, as a full disk does.
#pragma once

#include <string>
#include <string_view>

#include "link/ITraceSink.h"

namespace zo::test {

class MemoryTraceSink : public link::ITraceSink {
 public:
  explicit MemoryTraceSink(std::string& text, const bool* refuse = nullptr)
      : text_(text), refuse_(refuse) {}
  bool Append(std::string_view text) override {
    if (refuse_ != nullptr && *refuse_) return false;
    text_ += text;
    return true;
  }

 private:
  std::string& text_;
  const bool* refuse_;
};

}  // namespace zo::test
