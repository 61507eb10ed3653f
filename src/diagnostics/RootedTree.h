// The system's files as seen below a root folder: "/" on the machine, a
// made-up tree in the tests. Paths are given as the system names them
// ("/sys/class/tty") and looked up below the root; symbolic links with an
// absolute target are followed below the root too.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zo::diagnostics {

class RootedTree {
 public:
  explicit RootedTree(std::filesystem::path root) : root_(std::move(root)) {}

  // Where the system's `path` is in this tree.
  [[nodiscard]] std::filesystem::path Rooted(const std::filesystem::path& path) const;
  // The first line of a file without its line end; nothing when unreadable.
  [[nodiscard]] std::optional<std::string> FirstLine(const std::filesystem::path& path) const;
  // The system's name of what `path` finally leads to through symbolic
  // links; nothing when it does not exist or the links go round.
  [[nodiscard]] std::optional<std::filesystem::path> Resolve(
      const std::filesystem::path& path) const;

 private:
  std::filesystem::path root_;
};

}  // namespace zo::diagnostics
