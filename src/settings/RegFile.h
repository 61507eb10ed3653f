// The settings key kept as a file in its text form (see RegKey). Loading tells
// a missing file (no key yet) from one that cannot be read. Saving goes
// through platform::AtomicWriter, so a crash, a full disk or a failed write
// leaves the previous file whole; the folder is created when needed.
#pragma once

#include <filesystem>
#include <string>

#include "settings/RegKey.h"

namespace zo::settings {

struct RegLoad {
  enum class Status { Absent, Loaded, Unreadable };

  Status status = Status::Absent;
  RegKey key;         // the values when Loaded
  std::string error;  // what went wrong when Unreadable
};

class RegFile {
 public:
  explicit RegFile(std::filesystem::path path) : path_(std::move(path)) {}

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

  [[nodiscard]] RegLoad Load() const;
  // Replaces the file with `key`. Empty when saved, else what failed and
  // the system's reason; the previous file is then unchanged.
  [[nodiscard]] std::string Save(const RegKey& key) const;

 private:
  std::filesystem::path path_;
};

}  // namespace zo::settings
