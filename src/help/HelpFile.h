// The help file of a language other than Polish (txt::kHelpFileName): looked up in the
// current working folder, then in the program's data folders, opened for
// reading only, and turned into the help pane's text. A file that can be read
// is a help file, write-protected or not.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zo::help {

class HelpFile {
 public:
  // The working folder, then the data folders of the program `executable`.
  [[nodiscard]] static std::vector<std::filesystem::path> Folders(
      const std::filesystem::path& executable);

  // The pane text of `name` from the first of `folders` whose file can be
  // read; nothing when none can.
  [[nodiscard]] static std::optional<std::string> Load(
      std::string_view name, std::span<const std::filesystem::path> folders);

  // A file's bytes as the pane shows them: a rich-text document as its plain
  // text, no byte-order mark, every line ended by '\n', and valid UTF-8
  // (bytes that are not are read as Latin-1).
  [[nodiscard]] static std::string PaneText(std::string_view bytes);
};

}  // namespace zo::help
