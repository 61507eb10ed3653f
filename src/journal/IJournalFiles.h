// The folder of journals, one file a controller, as the journal logic sees
// it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zo::journal {

class IJournalFiles {
 public:
  virtual ~IJournalFiles() = default;
  // The file's text; empty when there is none yet, none when it cannot be read.
  virtual std::optional<std::string> Read(const std::string& name) = 0;
  // Adds `text` at the end and has it on the disk before returning; false
  // when that failed (the file may then hold a part of it).
  virtual bool Append(const std::string& name, std::string_view text) = 0;
  // Replaces the whole file at once: the old text or the new, never a mix.
  virtual bool Replace(const std::string& name, std::string_view text) = 0;
  // The journal files there are, by name.
  virtual std::vector<std::string> List() = 0;
};

}  // namespace zo::journal
