#include "diagnostics/RootedTree.h"

#include <fstream>

namespace zo::diagnostics {

namespace fs = std::filesystem;

fs::path RootedTree::Rooted(const fs::path& path) const {
  return root_ / path.relative_path();
}

std::optional<std::string> RootedTree::FirstLine(const fs::path& path) const {
  std::ifstream in(Rooted(path));
  std::string line;
  if (!in || !std::getline(in, line)) return std::nullopt;
  while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
    line.pop_back();
  return line;
}

std::optional<fs::path> RootedTree::Resolve(const fs::path& path) const {
  // A port folder entry leads through a by-id link to the node: a few hops.
  constexpr int kMaxHops = 16;
  fs::path current = path.lexically_normal();
  for (int hop = 0; hop < kMaxHops; ++hop) {
    std::error_code ec;
    const fs::path rooted = Rooted(current);
    if (!fs::is_symlink(rooted, ec)) {
      if (!fs::exists(rooted, ec)) return std::nullopt;
      return current;
    }
    const fs::path target = fs::read_symlink(rooted, ec);
    if (ec) return std::nullopt;
    current = (target.is_absolute() ? target : current.parent_path() / target).lexically_normal();
  }
  return std::nullopt;
}

}  // namespace zo::diagnostics
