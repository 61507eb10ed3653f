// The file a link trace is written to: made anew (an existing file of that
// name is replaced), each piece of text handed to the system as it comes, so
// that a killed program loses nothing already traced; the file's data is
// flushed to the disk when it is closed.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "link/ITraceSink.h"
#include "platform/UniqueFd.h"

namespace zo::platform {

class TraceFile : public link::ITraceSink {
 public:
  // The open file, or null with what failed and the system's reason in `error`.
  static std::unique_ptr<TraceFile> Create(const std::filesystem::path& path, std::string& error);
  ~TraceFile() override;
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  bool Append(std::string_view text) override;

 private:
  explicit TraceFile(UniqueFd fd) : fd_(std::move(fd)) {}

  UniqueFd fd_;
};

}  // namespace zo::platform
