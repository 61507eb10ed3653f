#include "serial/PortMap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <tuple>
#include <utility>

namespace zo::serial {

namespace {

namespace fs = std::filesystem;

struct AutomaticKind {
  std::string_view prefix;
  int first;  // the number of device 0
};

// In the order in which they claim numbers.
constexpr std::array<AutomaticKind, 5> kKinds = {{
    {"ttyS", 1},
    {"ttyUSB", 33},
    {"ttyACM", 65},
    {"ttyAMA", 97},
    {"rfcomm", 129},
}};

// Decimal digits only: no sign, which would turn "ttyS-1" into port 0.
std::optional<int> ParseNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// The device node a path leads to, when it is a character device.
std::optional<std::uint64_t> CharDevice(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return std::nullopt;
  return info.st_rdev;
}

// Whether a folder entry was left behind by a program that has ended: one
// that makes an entry may hold a lock on ".<entry>.lock" beside it while it
// serves the port. A lock file that nobody holds marks the entry as stale, even
// when the terminal it names has been given to another program since.
bool LeftBehind(const fs::path& entry) {
  const fs::path lock = entry.parent_path() / ("." + entry.filename().string() + ".lock");
  const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  struct flock query {};
  query.l_type = F_WRLCK;
  query.l_whence = SEEK_SET;
  const bool free = ::fcntl(fd, F_OFD_GETLK, &query) == 0 && query.l_type == F_UNLCK;
  ::close(fd);
  return free;
}

// A system device file name split into its kind (position in kKinds) and number.
struct KindAndNumber {
  std::size_t kind = 0;
  int n = 0;
  auto operator<=>(const KindAndNumber&) const = default;
};

std::optional<KindAndNumber> SplitDeviceName(std::string_view fileName) {
  for (std::size_t k = 0; k < kKinds.size(); ++k) {
    if (!fileName.starts_with(kKinds[k].prefix)) continue;
    const auto n = ParseNumber(fileName.substr(kKinds[k].prefix.size()));
    if (!n) return std::nullopt;
    return KindAndNumber{k, *n};
  }
  return std::nullopt;
}

}  // namespace

// Hands out the numbers: a device offered with a number it may have gets it
// when the number is free; when the number's holder is the same device the
// offer adds nothing; otherwise the device waits for a spare number.
class PortMap::Numbering {
 public:
  void Offer(std::optional<int> number, link::PortEntry entry, std::uint64_t node) {
    if (number) {
      const auto holder = std::find_if(claims_.begin(), claims_.end(),
                                       [&](const Claim& c) { return c.entry.number == *number; });
      if (holder == claims_.end()) {
        entry.number = *number;
        claims_.push_back(Claim{std::move(entry), node});
        return;
      }
      if (holder->node == node) return;
    }
    waiting_.push_back(Claim{std::move(entry), node});
  }

  // Every port, the waiting devices numbered in the order offered.
  std::vector<link::PortEntry> Finish() {
    int next = kFirstSpareNumber;
    for (Claim& c : waiting_) {
      while (next <= kMaxPort && Taken(next))
        ++next;
      if (next > kMaxPort) break;  // over 860 devices beyond the usual ranges
      c.entry.number = next;
      claims_.push_back(std::move(c));
    }
    std::vector<link::PortEntry> ports;
    for (Claim& c : claims_)
      ports.push_back(std::move(c.entry));
    std::sort(ports.begin(), ports.end(), [](const link::PortEntry& a, const link::PortEntry& b) {
      return a.number < b.number;
    });
    return ports;
  }

 private:
  struct Claim {
    link::PortEntry entry;
    std::uint64_t node;
  };
  [[nodiscard]] bool Taken(int number) const {
    return std::any_of(claims_.begin(), claims_.end(),
                       [number](const Claim& c) { return c.entry.number == number; });
  }

  std::vector<Claim> claims_;
  std::vector<Claim> waiting_;
};

fs::path PortRoots::DefaultPortFolder() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
    return fs::path(config) / "Zo" / "ports";
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
    return fs::path(home) / ".config" / "Zo" / "ports";
  return {};
}

PortRoots PortRoots::FromEnvironment() {
  PortRoots roots;
  roots.portFolder = DefaultPortFolder();
  return roots;
}

PortMap::PortMap(PortRoots roots) : roots_(std::move(roots)) {}

std::optional<int> PortMap::ComNumber(std::string_view name) {
  if (name.size() < 4) return std::nullopt;
  const auto lower = [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  if (lower(name[0]) != 'c' || lower(name[1]) != 'o' || lower(name[2]) != 'm') return std::nullopt;
  // One spelling per number: "COM01" would claim port 1 beside "COM1".
  if (name[3] == '0') return std::nullopt;
  const auto n = ParseNumber(name.substr(3));
  if (!n || *n < 1 || *n > kMaxPort) return std::nullopt;
  return n;
}

std::optional<int> PortMap::AutomaticNumber(std::string_view fileName) {
  const auto split = SplitDeviceName(fileName);
  if (!split || split->n >= kKindRange) return std::nullopt;
  return kKinds[split->kind].first + split->n;
}

std::vector<link::PortEntry> PortMap::Discover() const {
  return Number(FolderPorts(), SystemPorts());
}

std::vector<link::PortEntry> PortMap::Number(std::vector<FoundPort> folder,
                                             std::vector<FoundPort> system) {
  const auto byName = [](const FoundPort& a, const FoundPort& b) {
    return std::tie(a.name, a.node, a.device) < std::tie(b.name, b.node, b.device);
  };
  Numbering numbering;
  // In name order, so that of two spellings of one number the same one
  // always wins ("COM5" before "com5").
  std::sort(folder.begin(), folder.end(), byName);
  for (FoundPort& port : folder) {
    if (const auto number = ComNumber(port.name))
      numbering.Offer(number, link::PortEntry{0, std::move(port.device), true}, port.node);
  }
  // By kind and number, the order in which devices past their range are
  // given spare numbers; then the shortest spelling first, so that
  // "ttyUSB1" keeps its number beside "ttyUSB01" whatever order the system
  // lists them in.
  std::vector<std::pair<KindAndNumber, FoundPort*>> devices;
  for (FoundPort& port : system) {
    if (const auto split = SplitDeviceName(port.name)) devices.emplace_back(*split, &port);
  }
  std::sort(devices.begin(), devices.end(), [&byName](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (a.second->name.size() != b.second->name.size())
      return a.second->name.size() < b.second->name.size();
    return byName(*a.second, *b.second);
  });
  for (const auto& [split, port] : devices)
    numbering.Offer(AutomaticNumber(port->name), link::PortEntry{0, std::move(port->device), false},
                    port->node);
  return numbering.Finish();
}

std::vector<FoundPort> PortMap::FolderPorts() const {
  std::vector<FoundPort> ports;
  if (roots_.portFolder.empty()) return ports;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(roots_.portFolder, ec)) {
    const fs::path& path = entry.path();
    const std::string name = path.filename().string();
    const auto node = CharDevice(path);
    if (!ComNumber(name) || !node || LeftBehind(path)) continue;
    // The status tip names the device the entry leads to.
    std::error_code linkError;
    fs::path device = path;
    if (fs::is_symlink(fs::symlink_status(path, linkError))) {
      const fs::path target = fs::read_symlink(path, linkError);
      if (!linkError) device = target.is_absolute() ? target : path.parent_path() / target;
    }
    ports.push_back(FoundPort{name, device.string(), *node});
  }
  return ports;
}

std::vector<FoundPort> PortMap::SystemPorts() const {
  std::vector<FoundPort> ports;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(roots_.dev, ec)) {
    const std::string name = entry.path().filename().string();
    const auto split = SplitDeviceName(name);
    if (!split) continue;
    const auto node = CharDevice(entry.path());
    if (!node) continue;
    if (split->kind == 0 && !IsRealUart(name)) continue;
    ports.push_back(FoundPort{name, entry.path().string(), *node});
  }
  return ports;
}

bool PortMap::IsRealUart(std::string_view fileName) const {
  // The kernel creates placeholders ttyS0..ttyS31 whether or not a UART is
  // behind them: a real one has a device and a port type other than unknown (0).
  const fs::path tty = roots_.sys / "class" / "tty" / std::string(fileName);
  std::error_code ec;
  if (!fs::exists(tty / "device", ec)) return false;
  std::ifstream typeFile(tty / "type");
  int type = -1;
  if (!(typeFile >> type)) return true;  // no type attribute: trust the device link
  return type != 0;
}

std::optional<std::string> PortMap::DeviceFor(int number) const {
  for (const link::PortEntry& p : Discover()) {
    if (p.number == number) return p.device;
  }
  return std::nullopt;
}

std::optional<std::string> PortMap::Resolve(std::string_view deviceName) const {
  if (const auto number = ComNumber(deviceName)) return DeviceFor(*number);
  return std::string(deviceName);
}

}  // namespace zo::serial
