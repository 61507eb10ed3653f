// The running processes as /proc lists them: each one's number, name and the
// files it has open (those this user may look at).
#pragma once

#include <string>
#include <vector>

#include "diagnostics/RootedTree.h"

namespace zo::diagnostics {

struct Process {
  int pid = 0;
  std::string name;                    // from comm, else the command line's first word
  std::vector<std::string> openFiles;  // the targets of its descriptors
};

class ProcessTable {
 public:
  explicit ProcessTable(const RootedTree& tree);

  [[nodiscard]] const std::vector<Process>& Processes() const { return processes_; }
  [[nodiscard]] bool Running(const std::string& name) const;

 private:
  std::vector<Process> processes_;
};

}  // namespace zo::diagnostics
