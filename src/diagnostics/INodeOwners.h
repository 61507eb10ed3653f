// The owner, group and permission bits of a device node; platform code asks
// the system, tests hand in their own.
#pragma once

#include <filesystem>
#include <optional>

namespace zo::diagnostics {

struct NodeOwner {
  unsigned uid = 0;
  unsigned gid = 0;
  unsigned mode = 0;  // the permission bits, as in a file mode (0660)
};

class INodeOwners {
 public:
  virtual ~INodeOwners() = default;
  // Nothing when the node is missing or cannot be looked at.
  [[nodiscard]] virtual std::optional<NodeOwner> Owner(const std::filesystem::path& node) const = 0;
};

}  // namespace zo::diagnostics
