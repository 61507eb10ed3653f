// lpgsim: a simulated controller on a pseudo-terminal, registered as a port
// of the user's port folder, for trying and testing the tool without a car.
#include <signal.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "FaultInjector.h"
#include "PtyServer.h"
#include "SimController.h"
#include "TraceReplay.h"
#include "link/ImageMap.h"
#include "serial/PortMap.h"

namespace {

using zo::link::ImageMap;

constexpr std::string_view kUsage =
    "usage: lpgsim [options]\n"
    "  --port N            register as COM<N> in the port folder (default 99)\n"
    "  --model CODE        model code, image byte 0 (default 100, a Vela100)\n"
    "  --version V         firmware version in hundredths, byte 1 (default 179)\n"
    "  --variant B         variant byte 6 (default 255; 254 is the Quillon variant)\n"
    "  --image FILE        initial image from a parameter file (.zop, first 184 bytes)\n"
    "  --replay TRACE      answer as the controller of a link trace did: its image,\n"
    "                      and its replies to live data, configuration data,\n"
    "                      processor inputs, RAM, memory pages and EEPROM rows in\n"
    "                      the traced order, from the first again when they run out\n"
    "  --boot STATE        start in the boot loader; last programming state 0..3\n"
    "                      (other values 4..255 stand for states the tool does not know)\n"
    "  --turnaround US     controller turnaround in microseconds (default 2000)\n"
    "  --seed S            seed of the engine model's noise\n"
    "  --scenario NAME     an engine and a driver for the autoconfiguration (below)\n"
    "  --fuel MODE         petrol, gas or auto: the mode selected at the start\n"
    "                      (default auto; a scenario sets its own)\n"
    "  --drop P, --late P, --corrupt P, --truncate P, --noise P\n"
    "                      chance 0..1 that a reply suffers the fault\n"
    "  --fault-seed S      seed of the fault injector\n"
    "  --silent-after SEC  stop answering after SEC seconds (SIGUSR1 toggles too)\n"
    "  --silent-for SEC    ... and answer again SEC seconds later\n"
    "  --log FILE          one line per request: milliseconds, command, frame bytes\n"
    "  --dump FILE         at exit, write the parameter image as a parameter file\n"
    "  --persist FILE      keep the parameter image in FILE whenever it changes and\n"
    "                      start from it when present: a simulator killed and\n"
    "                      started again is the same controller\n"
    "  --instant           answer at once, not at the pace of a 4800-baud line\n"
    "  --poll-clock MS     the controller's clock moves on MS milliseconds with each\n"
    "                      poll of the live values (33, 35, AC) and stands otherwise:\n"
    "                      the data is a fixed function of the number of polls\n"
    "  --hold-after N      after the N-th poll answer no poll (the poll clock\n"
    "                      stands) until SIGUSR2; may be given more than once\n"
    "  --verbose           print every request\n";

struct Options {
  lpgsim::SimConfig sim;
  lpgsim::PtyServerConfig server;
  std::uint32_t faultSeed = 1;
  std::vector<std::pair<lpgsim::Fault, double>> faults;
  std::optional<std::string> image;
  std::optional<std::string> replay;
  std::optional<std::string> dump;
  std::optional<std::string> persist;
  std::optional<int> model, version, variant;
};

bool ParseInt(std::string_view text, long long low, long long high, long long& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

bool ParseDouble(const std::string& text, double low, double high, double& out) {
  char* end = nullptr;
  out = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && out >= low && out <= high;
}

std::optional<std::string> LoadImage(const std::string& path, lpgsim::ParameterImage& image) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "cannot open " + path;
  // Only the image's bytes: the rest of the file is not needed, and a file
  // without an end must not be read to it.
  std::vector<char> bytes(image.size());
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(file.gcount()) < image.size())
    return path + " is shorter than the 184-byte image";
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(bytes[i]);
  return std::nullopt;
}

// Returns an error text, or nothing when all options were understood.
std::optional<std::string> Parse(const std::vector<std::string>& args, Options& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") return std::string();
    if (name == "--verbose") {
      o.server.verbose = true;
      continue;
    }
    if (name == "--instant") {
      o.server.paced = false;
      continue;
    }
    if (i + 1 >= args.size()) return name + " needs a value";
    const std::string& value = args[++i];
    long long n = 0;
    double p = 0;
    const auto bad = [&] { return "bad value for " + name + ": " + value; };
    if (name == "--port") {
      if (!ParseInt(value, 1, zo::serial::PortMap::kMaxPort, n)) return bad();
      o.server.port = static_cast<int>(n);
    } else if (name == "--model" || name == "--version" || name == "--variant") {
      if (!ParseInt(value, 0, 255, n)) return bad();
      (name == "--model"     ? o.model
       : name == "--version" ? o.version
                             : o.variant) = static_cast<int>(n);
    } else if (name == "--image") {
      o.image = value;
    } else if (name == "--replay") {
      o.replay = value;
    } else if (name == "--boot") {
      if (!ParseInt(value, 0, 255, n)) return bad();
      o.sim.startInBootLoader = true;
      o.sim.lastProgrammingState = static_cast<std::uint8_t>(n);
    } else if (name == "--turnaround") {
      if (!ParseInt(value, 0, 10'000'000, n)) return bad();
      o.sim.turnaround = std::chrono::microseconds(n);
    } else if (name == "--seed" || name == "--fault-seed") {
      if (!ParseInt(value, 0, 0xFFFFFFFFLL, n)) return bad();
      (name == "--seed" ? o.sim.seed : o.faultSeed) = static_cast<std::uint32_t>(n);
    } else if (name == "--drop" || name == "--late" || name == "--corrupt" ||
               name == "--truncate" || name == "--noise") {
      if (!ParseDouble(value, 0.0, 1.0, p)) return bad();
      const lpgsim::Fault kind = name == "--drop"       ? lpgsim::Fault::Drop
                                 : name == "--late"     ? lpgsim::Fault::Late
                                 : name == "--corrupt"  ? lpgsim::Fault::Corrupt
                                 : name == "--truncate" ? lpgsim::Fault::Truncate
                                                        : lpgsim::Fault::Noise;
      o.faults.emplace_back(kind, p);
    } else if (name == "--silent-after" || name == "--silent-for") {
      if (!ParseDouble(value, 0.0, 1e7, p)) return bad();
      const auto ms = std::chrono::milliseconds(static_cast<long long>(p * 1000.0));
      (name == "--silent-after" ? o.server.silentAfter : o.server.silentFor) = ms;
    } else if (name == "--scenario") {
      if (lpgsim::Scenario::Find(value) == nullptr) return bad();
      o.sim.scenario = value;
    } else if (name == "--fuel") {
      if (value != "petrol" && value != "gas" && value != "auto") return bad();
      o.sim.fuel = value == "petrol" ? lpgsim::FuelSelect::Petrol
                   : value == "gas"  ? lpgsim::FuelSelect::Gas
                                     : lpgsim::FuelSelect::Auto;
    } else if (name == "--poll-clock") {
      if (!ParseInt(value, 1, 60'000, n)) return bad();
      o.server.pollClock = std::chrono::milliseconds(n);
    } else if (name == "--hold-after") {
      if (!ParseInt(value, 1, 1'000'000'000, n)) return bad();
      o.server.holdAfter.push_back(static_cast<std::uint64_t>(n));
    } else if (name == "--log") {
      o.server.logFile = value;
    } else if (name == "--dump") {
      o.dump = value;
    } else if (name == "--persist") {
      o.persist = value;
    } else {
      return "unknown option " + name;
    }
  }
  if (o.replay && (o.image || !o.sim.scenario.empty()))
    return std::string("--replay takes the image from the trace: leave out --image and --scenario");
  return std::nullopt;
}

// The trace's replay; lines it cannot use are named on the standard error.
std::optional<lpgsim::TraceReplay> LoadReplay(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    std::fprintf(stderr, "lpgsim: cannot open the trace %s\n", path.c_str());
    return std::nullopt;
  }
  std::vector<std::string> problems;
  lpgsim::TraceReplay replay = lpgsim::TraceReplay::Read(file, problems);
  for (const std::string& problem : problems)
    std::fprintf(stderr, "lpgsim: %s %s, skipped\n", path.c_str(), problem.c_str());
  if (replay.Empty()) {
    std::fprintf(stderr, "lpgsim: %s holds no reply to replay (is it a link trace?)\n",
                 path.c_str());
    return std::nullopt;
  }
  return replay;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (const auto error = Parse(args, options)) {
    if (!error->empty()) std::fprintf(stderr, "lpgsim: %s\n", error->c_str());
    std::FILE* out = error->empty() ? stdout : stderr;
    std::fprintf(out, "%s", kUsage.data());
    std::fprintf(out, "scenarios:\n");
    for (const lpgsim::Scenario& s : lpgsim::Scenario::All())
      std::fprintf(out, "  %-19s %.*s\n", std::string(s.name).c_str(),
                   static_cast<int>(s.description.size()), s.description.data());
    return error->empty() ? 0 : 2;
  }
  if (options.image) {
    lpgsim::ParameterImage image{};
    if (const auto error = LoadImage(*options.image, image)) {
      std::fprintf(stderr, "lpgsim: %s\n", error->c_str());
      return 1;
    }
    options.sim.modelCode = image[ImageMap::kModel];
    options.sim.firmwareVersion = image[ImageMap::kVersion];
    options.sim.variant = image[ImageMap::kVariant];
    if (options.model) image[ImageMap::kModel] = static_cast<std::uint8_t>(*options.model);
    if (options.version) image[ImageMap::kVersion] = static_cast<std::uint8_t>(*options.version);
    if (options.variant) image[ImageMap::kVariant] = static_cast<std::uint8_t>(*options.variant);
    options.sim.initialImage = image;
  }
  if (options.persist) {
    options.server.persistFile = *options.persist;
    std::error_code ec;
    if (std::filesystem::exists(*options.persist, ec)) {
      lpgsim::ParameterImage stored{};
      if (const auto error = LoadImage(*options.persist, stored)) {
        std::fprintf(stderr, "lpgsim: %s\n", error->c_str());
        return 1;
      }
      options.sim.storedImage = stored;
    }
  }
  std::optional<lpgsim::TraceReplay> replay;
  if (options.replay) {
    replay = LoadReplay(*options.replay);
    if (!replay) return 1;
    replay->Configure(options.sim);
  }
  if (options.model) options.sim.modelCode = static_cast<std::uint8_t>(*options.model);
  if (options.version) options.sim.firmwareVersion = static_cast<std::uint8_t>(*options.version);
  if (options.variant) options.sim.variant = static_cast<std::uint8_t>(*options.variant);
  // Hours of polling must not grow the request log.
  options.sim.requestLogCapacity = 256;
  options.server.portFolder = zo::serial::PortRoots::DefaultPortFolder();
  if (options.server.portFolder.empty()) {
    std::fprintf(stderr, "lpgsim: neither XDG_CONFIG_HOME nor HOME is set\n");
    return 1;
  }

  // The signals are taken through a descriptor by the server, so that it
  // removes its port link however it is stopped. A closed standard output
  // makes printing fail instead of ending the process.
  const sigset_t set = lpgsim::PtyServer::Signals();
  sigprocmask(SIG_BLOCK, &set, nullptr);
  signal(SIGPIPE, SIG_IGN);

  lpgsim::SimController controller(options.sim);
  if (replay) controller.UseReplay(std::move(*replay));
  lpgsim::FaultInjector faults(options.faultSeed);
  for (const auto& [kind, probability] : options.faults)
    faults.SetProbability(kind, probability);
  lpgsim::PtyServer server(controller, faults, options.server);
  std::string error;
  if (!server.Start(error)) {
    std::fprintf(stderr, "lpgsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("lpgsim: port %d device %s link %s model %d version %d variant %d%s%s%s\n",
              options.server.port, server.Device().c_str(), server.PortLink().c_str(),
              controller.Image()[ImageMap::kModel], controller.Image()[ImageMap::kVersion],
              controller.Image()[ImageMap::kVariant],
              controller.InBootLoader() ? " boot loader" : "", options.replay ? " replaying " : "",
              options.replay ? options.replay->c_str() : "");
  std::fflush(stdout);
  const int status = server.Run();
  if (options.dump) {
    // What the controller holds when it stops, for a check from outside.
    const auto image = controller.Image();
    std::ofstream file(*options.dump, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    if (!file.flush()) {
      std::fprintf(stderr, "lpgsim: cannot write %s\n", options.dump->c_str());
      return 1;
    }
  }
  return status;
}
