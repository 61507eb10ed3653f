#include "diagnostics/ConnectionCheck.h"

#include <algorithm>
#include <array>

#include "diagnostics/GroupFile.h"
#include "diagnostics/ProcessTable.h"
#include "diagnostics/RootedTree.h"
#include "diagnostics/SysfsPorts.h"

namespace zo::diagnostics {

namespace fs = std::filesystem;

namespace {

constexpr unsigned kOtherReadWrite = 06;
constexpr const char* kFtdiDriver = "ftdi_sio";

// Where Debian and other systems put brltty's program and its udev rules.
constexpr std::array<const char*, 6> kBrlttyFiles{"/usr/bin/brltty",
                                                  "/usr/sbin/brltty",
                                                  "/bin/brltty",
                                                  "/usr/lib/udev/rules.d/85-brltty.rules",
                                                  "/lib/udev/rules.d/85-brltty.rules",
                                                  "/etc/udev/rules.d/85-brltty.rules"};

bool BrlttyInstalled(const RootedTree& tree) {
  std::error_code ec;
  return std::any_of(kBrlttyFiles.begin(), kBrlttyFiles.end(),
                     [&tree, &ec](const char* file) { return fs::exists(tree.Rooted(file), ec); });
}

std::string AdapterName(const UsbDevice& usb) {
  std::string name = usb.maker;
  if (!usb.product.empty()) name += (name.empty() ? "" : " ") + usb.product;
  return name.empty() ? usb.usbId : name + " (" + usb.usbId + ")";
}

}  // namespace

ConnectionCheck::ConnectionCheck(fs::path root, UserIdentity user, const INodeOwners& owners)
    : root_(std::move(root)), user_(std::move(user)), owners_(owners) {}

CheckReport ConnectionCheck::Run(const CheckRequest& request) const {
  const RootedTree tree(root_);
  const SysfsPorts sysfs(tree);
  const ProcessTable processes(tree);
  CheckReport report;
  for (const CheckedPort& checked : request.ports)
    report.ports.push_back(sysfs.Describe(checked.device));

  std::vector<Finding>& findings = report.findings;
  CheckBrltty(tree, processes, findings);
  const bool modemManager = processes.Running(kModemManager);
  for (std::size_t i = 0; i < report.ports.size(); ++i) {
    const PortReport& port = report.ports[i];
    if (!port.present) continue;
    CheckAccess(port, tree, findings);
    CheckOpenedElsewhere(port, processes, findings);
    if (modemManager && fs::path(port.node).filename().string().starts_with("ttyACM"))
      findings.push_back(Finding{FindingKind::ModemManager, port.device, kModemManager, 0, {}});
    // The program asked for the least latency on opening: a timer still
    // higher could not be lowered.
    if (request.ports[i].inUse && port.driver == kFtdiDriver && port.latencyMs.value_or(0) > 1)
      findings.push_back(Finding{FindingKind::LatencyHigh,
                                 port.device,
                                 fs::path(port.node).filename().string(),
                                 *port.latencyMs,
                                 {}});
  }
  if (request.replies) {
    if (const auto link = LinkFinding(*request.replies)) findings.push_back(*link);
  }
  return report;
}

void ConnectionCheck::CheckAccess(const PortReport& port, const RootedTree& tree,
                                  std::vector<Finding>& findings) const {
  const std::optional<NodeOwner> owner = owners_.Owner(tree.Rooted(port.node));
  if (!owner || user_.uid == 0 || owner->uid == user_.uid) return;
  if ((owner->mode & kOtherReadWrite) == kOtherReadWrite) return;
  const auto& groups = user_.groups;
  if (std::find(groups.begin(), groups.end(), owner->gid) != groups.end()) return;
  const std::optional<Group> group = GroupFile(tree).ById(owner->gid);
  const std::string name = group ? group->name : std::to_string(owner->gid);
  const bool listed = group && std::find(group->members.begin(), group->members.end(),
                                         user_.name) != group->members.end();
  findings.push_back(Finding{
      listed ? FindingKind::GroupNeedsLogin : FindingKind::NotInGroup, port.device, name, 0, {}});
}

void ConnectionCheck::CheckOpenedElsewhere(const PortReport& port, const ProcessTable& processes,
                                           std::vector<Finding>& findings) const {
  for (const Process& process : processes.Processes()) {
    if (process.pid == user_.pid) continue;
    const auto& files = process.openFiles;
    if (std::find(files.begin(), files.end(), port.node) != files.end())
      findings.push_back(
          Finding{FindingKind::PortInUse, port.device, process.name, process.pid, {}});
  }
}

// brltty's udev rules claim the common USB-serial chips for the braille
// displays built on them: the adapter's serial device disappears right after
// it is plugged in, and the adapter stays without one.
void ConnectionCheck::CheckBrltty(const RootedTree& tree, const ProcessTable& processes,
                                  std::vector<Finding>& findings) {
  if (!BrlttyInstalled(tree) && !processes.Running(kBrltty)) return;
  for (const UsbDevice& usb : SysfsPorts(tree).AdaptersWithoutSerialDevice())
    findings.push_back(Finding{FindingKind::BrlttyTookAdapter, {}, AdapterName(usb), 0, {}});
}

std::optional<Finding> ConnectionCheck::LinkFinding(const link::ReplyCounts& replies) {
  if (replies.Total() == 0) return std::nullopt;
  const int bad = replies.damaged + replies.missing;
  const bool poor = bad * kPoorShare > replies.Total();
  return Finding{poor ? FindingKind::LinkPoor : FindingKind::LinkGood, {}, {}, 0, replies};
}

}  // namespace zo::diagnostics
