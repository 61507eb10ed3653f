// The controller's parameters kept in a parameter file before a firmware
// upload, so that the customer's set-up outlives whatever the upload does.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "link/ImageCopies.h"
#include "link/SchedulerState.h"
#include "link/ViewFlags.h"

namespace zo::files {

// The controller copy, and what tells whether a complete read filled it.
struct BackupSource {
  const link::ImageCopies& image;
  const link::SchedulerState& scheduler;
  const link::ViewFlags& view;
};

class BackupFile {
 public:
  // Names tried after the first one when earlier backups hold them.
  static constexpr int kMaxAlternatives = 99;

  // Whether the controller copy holds the connected controller's parameters:
  // only after a complete read. A controller in its boot loader or a tester
  // gave none, and its copy holds the model bytes and blanks, which must
  // never pass for the customer's set-up.
  static bool HasParameters(const BackupSource& source);
  // Writes the controller copy as a parameter file named `name` in `folder`,
  // or, when an earlier backup holds that name, "<name>-2", "<name>-3" and
  // so on before the extension: an existing file is never replaced. The path
  // written, or nothing when there are no parameters or nothing was written.
  static std::optional<std::filesystem::path> Save(const BackupSource& source,
                                                   const std::filesystem::path& folder,
                                                   std::string_view name);
};

}  // namespace zo::files
