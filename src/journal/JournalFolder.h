// The journals as files in one folder ($XDG_DATA_HOME/Zo/journal), made when
// the first journal is written: each append is on the disk before it
// returns, a trimmed journal replaces its file whole.
#pragma once

#include <filesystem>

#include "journal/IJournalFiles.h"

namespace zo::journal {

class JournalFolder : public IJournalFiles {
 public:
  explicit JournalFolder(std::filesystem::path folder);

  std::optional<std::string> Read(const std::string& name) override;
  bool Append(const std::string& name, std::string_view text) override;
  bool Replace(const std::string& name, std::string_view text) override;
  std::vector<std::string> List() override;

  [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }
  // What the last failed write reported, with the system's reason.
  [[nodiscard]] const std::string& LastError() const { return lastError_; }

 private:
  bool MakeFolder();

  std::filesystem::path folder_;
  std::string lastError_;
};

}  // namespace zo::journal
