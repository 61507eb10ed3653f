// The connection check: for each port the program knows, what the system
// says about it, and what stands between the program and the controller,
// each as a finding the window explains with a remedy. Everything is read
// below a root folder (sysfs, /proc, /etc/group, the device nodes), so the
// same rules run on the machine and on a made-up tree.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/Finding.h"
#include "diagnostics/INodeOwners.h"
#include "diagnostics/PortReport.h"
#include "diagnostics/UserIdentity.h"
#include "link/LinkQuality.h"

namespace zo::diagnostics {

class ProcessTable;
class RootedTree;

// A port to look at; `inUse` for the one the program has open.
struct CheckedPort {
  std::string device;
  bool inUse = false;
};

struct CheckRequest {
  std::vector<CheckedPort> ports;
  // The replies of the last minute while a port is open.
  std::optional<link::ReplyCounts> replies;
};

struct CheckReport {
  std::vector<PortReport> ports;
  std::vector<Finding> findings;
};

class ConnectionCheck {
 public:
  // Programs that take serial devices away from others.
  static constexpr const char* kBrltty = "brltty";
  static constexpr const char* kModemManager = "ModemManager";
  // Damaged and missing replies beyond one in this many make a poor link.
  static constexpr int kPoorShare = 20;

  ConnectionCheck(std::filesystem::path root, UserIdentity user, const INodeOwners& owners);

  [[nodiscard]] CheckReport Run(const CheckRequest& request) const;

 private:
  void CheckAccess(const PortReport& port, const RootedTree& tree,
                   std::vector<Finding>& findings) const;
  void CheckOpenedElsewhere(const PortReport& port, const ProcessTable& processes,
                            std::vector<Finding>& findings) const;
  static void CheckBrltty(const RootedTree& tree, const ProcessTable& processes,
                          std::vector<Finding>& findings);
  static std::optional<Finding> LinkFinding(const link::ReplyCounts& replies);

  std::filesystem::path root_;
  UserIdentity user_;
  const INodeOwners& owners_;
};

}  // namespace zo::diagnostics
