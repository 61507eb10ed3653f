#include "diagnostics/ProcessTable.h"

#include <algorithm>
#include <charconv>

namespace zo::diagnostics {

namespace fs = std::filesystem;

namespace {

std::optional<int> ProcessNumber(const std::string& name) {
  int pid = 0;
  const char* end = name.data() + name.size();
  const auto [ptr, error] = std::from_chars(name.data(), end, pid);
  if (error != std::errc() || ptr != end || pid <= 0) return std::nullopt;
  return pid;
}

std::string ProcessName(const RootedTree& tree, const fs::path& folder) {
  if (auto comm = tree.FirstLine(folder / "comm"); comm && !comm->empty()) return *comm;
  // The command line's words are separated by NUL: the first is the program.
  std::string line = tree.FirstLine(folder / "cmdline").value_or(std::string());
  line = line.substr(0, line.find('\0'));
  return fs::path(line).filename().string();
}

std::vector<std::string> OpenFiles(const fs::path& fdFolder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(fdFolder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code linkError;
    const fs::path target = fs::read_symlink(it->path(), linkError);
    if (!linkError) files.push_back(target.string());
  }
  return files;
}

}  // namespace

ProcessTable::ProcessTable(const RootedTree& tree) {
  std::error_code ec;
  for (fs::directory_iterator it(tree.Rooted("/proc"), ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const std::optional<int> pid = ProcessNumber(it->path().filename().string());
    if (!pid) continue;
    const fs::path folder = "/proc" / it->path().filename();
    processes_.push_back(
        Process{*pid, ProcessName(tree, folder), OpenFiles(tree.Rooted(folder / "fd"))});
  }
  std::sort(processes_.begin(), processes_.end(),
            [](const Process& a, const Process& b) { return a.pid < b.pid; });
}

bool ProcessTable::Running(const std::string& name) const {
  return std::any_of(processes_.begin(), processes_.end(),
                     [&name](const Process& p) { return p.name == name; });
}

}  // namespace zo::diagnostics
