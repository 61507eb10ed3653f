#include "platform/NodeOwners.h"

#include <sys/stat.h>

namespace zo::platform {

std::optional<diagnostics::NodeOwner> NodeOwners::Owner(const std::filesystem::path& node) const {
  struct stat info {};
  if (::stat(node.c_str(), &info) != 0) return std::nullopt;
  constexpr unsigned kPermissionBits = 07777;
  return diagnostics::NodeOwner{info.st_uid, info.st_gid, info.st_mode & kPermissionBits};
}

}  // namespace zo::platform
