#include "platform/SystemIdentity.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace zo::platform {

diagnostics::UserIdentity SystemIdentity::CurrentUser() {
  diagnostics::UserIdentity user;
  user.uid = ::getuid();
  user.pid = static_cast<int>(::getpid());
  if (const passwd* entry = ::getpwuid(user.uid); entry != nullptr) user.name = entry->pw_name;
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
  const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
  groups.resize(static_cast<std::size_t>(std::max(got, 0)));
  groups.push_back(::getegid());
  user.groups.assign(groups.begin(), groups.end());
  return user;
}

std::filesystem::path SystemIdentity::CheckRoot() {
  const char* root = std::getenv("ZO_CHECK_ROOT");
  return root != nullptr && *root != '\0' ? std::filesystem::path(root)
                                          : std::filesystem::path("/");
}

}  // namespace zo::platform
