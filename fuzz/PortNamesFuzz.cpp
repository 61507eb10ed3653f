// Feeds a list of names to the port numbering as found in the port folder
// and among the system's devices. One name a line; the line's first
// character chooses where it was found (even: the port folder, odd: the
// system) and, by its bits 1..3, which of eight devices it leads to, so
// "0COM5", "1ttyUSB0" and "2com5" are COM5 and ttyUSB0 on device 0 and com5
// on device 1. Numbers must be unique and in range, a name must keep the
// number it asks for unless another device holds it, no port may be left
// out unless its own device holds its number already, and the order in
// which the names are found must change nothing.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "serial/PortMap.h"

namespace {

using zo::fuzz::Check;
using zo::link::PortEntry;
using zo::serial::FoundPort;
using zo::serial::PortMap;

struct Found {
  std::vector<FoundPort> folder;
  std::vector<FoundPort> system;
};

Found Parse(std::string_view text) {
  Found found;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty()) continue;
    const auto code = static_cast<unsigned char>(line[0]);
    const std::uint64_t node = (code >> 1) & 7u;
    const bool inFolder = (code & 1u) == 0;
    const std::string name(line.substr(1));
    // The device shown names the name and the node, so equal ones are one port.
    const std::string device = (inFolder ? "folder:" : "dev:") + name + ":" + std::to_string(node);
    (inFolder ? found.folder : found.system).push_back(FoundPort{name, device, node});
  }
  return found;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

void CheckNameParsing(const FoundPort& port) {
  if (const auto n = PortMap::ComNumber(port.name))
    Check(Lower(port.name) == "com" + std::to_string(*n) && *n >= 1 && *n <= PortMap::kMaxPort,
          "a COM name has one spelling per number");
  if (const auto n = PortMap::AutomaticNumber(port.name))
    Check(*n >= 1 && *n < PortMap::kFirstSpareNumber, "automatic numbers below the spare ones");
}

// A system device of a known kind, whatever its number: the kind's name
// and one to six decimal digits.
bool KnownDevice(std::string_view name) {
  for (const std::string_view kind : {"ttyS", "ttyUSB", "ttyACM", "ttyAMA", "rfcomm"}) {
    if (!name.starts_with(kind)) continue;
    const std::string_view digits = name.substr(kind.size());
    return !digits.empty() && digits.size() <= 6 &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
  }
  return false;
}

// Every port: kept with the number it asks for, kept with a spare one when
// another device holds that number or it asks for none, or left out because
// its own device holds the number; names of no port are left out.
void CheckKept(const std::vector<FoundPort>& found, bool inFolder,
               const std::vector<PortEntry>& ports,
               const std::map<std::string, std::uint64_t>& nodes) {
  const auto holderOf = [&ports](int number) {
    return std::find_if(ports.begin(), ports.end(),
                        [number](const PortEntry& p) { return p.number == number; });
  };
  for (const FoundPort& port : found) {
    const auto wanted =
        inFolder ? PortMap::ComNumber(port.name) : PortMap::AutomaticNumber(port.name);
    const bool isPort = inFolder ? wanted.has_value() : KnownDevice(port.name);
    const auto entry = std::find_if(ports.begin(), ports.end(), [&port](const PortEntry& p) {
      return p.device == port.device;
    });
    if (!isPort) {
      Check(entry == ports.end(), "names of no port are left out");
      continue;
    }
    if (entry == ports.end()) {
      const auto holder = wanted ? holderOf(*wanted) : ports.end();
      Check(holder != ports.end() && nodes.at(holder->device) == port.node,
            "a port is left out only when its own device holds its number");
      continue;
    }
    Check(entry->fromFolder == inFolder, "a port keeps where it was found");
    if (wanted && entry->number == *wanted) continue;
    Check(entry->number >= PortMap::kFirstSpareNumber, "a displaced port gets a spare number");
    if (wanted) Check(holderOf(*wanted) != ports.end(), "a port is displaced only by another");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Found found = Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto ports = PortMap::Number(found.folder, found.system);

  for (std::size_t i = 0; i < ports.size(); ++i) {
    Check(ports[i].number >= 1 && ports[i].number <= PortMap::kMaxPort, "numbers in range");
    Check(i == 0 || ports[i - 1].number < ports[i].number, "numbers unique and ascending");
  }
  std::map<std::string, std::uint64_t> nodes;
  for (const auto* list : {&found.folder, &found.system}) {
    for (const FoundPort& port : *list) {
      CheckNameParsing(port);
      nodes[port.device] = port.node;
    }
  }
  CheckKept(found.folder, true, ports, nodes);
  CheckKept(found.system, false, ports, nodes);

  Found reversed = found;
  std::reverse(reversed.folder.begin(), reversed.folder.end());
  std::reverse(reversed.system.begin(), reversed.system.end());
  Check(PortMap::Number(reversed.folder, reversed.system) == ports,
        "the order of finding changes nothing");
  return 0;
}
