// Who runs the program and which system the connection check looks at: the
// user's name, number and the groups of this session, and the root folder
// ("/", or the folder ZO_CHECK_ROOT names, so that a demonstration or a test
// of the whole program can look at a made-up system).
#pragma once

#include <filesystem>

#include "diagnostics/UserIdentity.h"

namespace zo::platform {

class SystemIdentity {
 public:
  [[nodiscard]] static diagnostics::UserIdentity CurrentUser();
  [[nodiscard]] static std::filesystem::path CheckRoot();
};

}  // namespace zo::platform
