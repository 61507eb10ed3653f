// The owner, group and permission bits of a device node, as stat reports them.
#pragma once

#include "diagnostics/INodeOwners.h"

namespace zo::platform {

class NodeOwners : public diagnostics::INodeOwners {
 public:
  [[nodiscard]] std::optional<diagnostics::NodeOwner> Owner(
      const std::filesystem::path& node) const override;
};

}  // namespace zo::platform
