// The system's groups as /etc/group lists them: name, number and members.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "diagnostics/RootedTree.h"

namespace zo::diagnostics {

struct Group {
  std::string name;
  unsigned gid = 0;
  std::vector<std::string> members;
};

class GroupFile {
 public:
  explicit GroupFile(const RootedTree& tree);
  // Reads the file's text ("name:password:gid:member,member" a line).
  static std::vector<Group> Parse(const std::string& text);

  [[nodiscard]] std::optional<Group> ById(unsigned gid) const;

 private:
  std::vector<Group> groups_;
};

}  // namespace zo::diagnostics
