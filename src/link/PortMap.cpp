#include "PortMap.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace zo::link {

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

bool IsCharDevice(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

bool Taken(const std::vector<PortEntry>& ports, int number) {
  return std::any_of(ports.begin(), ports.end(),
                     [number](const PortEntry& p) { return p.number == number; });
}

}  // namespace

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
  for (const AutomaticKind& kind : kKinds) {
    if (!fileName.starts_with(kind.prefix)) continue;
    const auto n = ParseNumber(fileName.substr(kind.prefix.size()));
    if (!n) return std::nullopt;
    const int number = kind.first + *n;
    if (number > kMaxPort) return std::nullopt;
    return number;
  }
  return std::nullopt;
}

std::vector<PortEntry> PortMap::Discover() const {
  std::vector<PortEntry> ports;
  AddFolderPorts(ports);
  AddSystemPorts(ports);
  std::sort(ports.begin(), ports.end(),
            [](const PortEntry& a, const PortEntry& b) { return a.number < b.number; });
  return ports;
}

void PortMap::AddFolderPorts(std::vector<PortEntry>& ports) const {
  if (roots_.portFolder.empty()) return;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(roots_.portFolder, ec)) {
    const auto number = ComNumber(entry.path().filename().string());
    if (!number || Taken(ports, *number) || !IsCharDevice(entry.path())) continue;
    // The status tip names the device the entry leads to.
    std::error_code linkError;
    fs::path device = entry.path();
    if (entry.is_symlink(linkError)) {
      const fs::path target = fs::read_symlink(entry.path(), linkError);
      if (!linkError) device = target.is_absolute() ? target : entry.path().parent_path() / target;
    }
    ports.push_back(PortEntry{*number, device.string(), true});
  }
}

void PortMap::AddSystemPorts(std::vector<PortEntry>& ports) const {
  std::error_code ec;
  std::vector<std::pair<int, fs::path>> found;
  for (const auto& entry : fs::directory_iterator(roots_.dev, ec)) {
    const std::string name = entry.path().filename().string();
    const auto number = AutomaticNumber(name);
    if (!number || !IsCharDevice(entry.path())) continue;
    if (name.starts_with("ttyS") && !IsRealUart(name)) continue;
    found.emplace_back(*number, entry.path());
  }
  std::sort(found.begin(), found.end());
  for (const auto& [number, path] : found) {
    if (!Taken(ports, number)) ports.push_back(PortEntry{number, path.string(), false});
  }
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
  for (const PortEntry& p : Discover()) {
    if (p.number == number) return p.device;
  }
  return std::nullopt;
}

std::optional<std::string> PortMap::Resolve(std::string_view deviceName) const {
  if (const auto number = ComNumber(deviceName)) return DeviceFor(*number);
  return std::string(deviceName);
}

}  // namespace zo::link
