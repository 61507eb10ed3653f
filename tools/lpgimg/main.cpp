// lpgimg: makes a firmware image file (.img) from a raw program, or a
// simulator program, for the Upgrade page and the upload.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SimulatorProgram.h"
#include "firmware/ImageFile.h"
#include "firmware/ImageMaker.h"

namespace {

constexpr std::string_view kUsage =
    "usage: lpgimg [options] (RAW | --simulator SIZE) -o OUT.img\n"
    "Makes a firmware image file for the controller's boot loader: the raw\n"
    "program RAW (at most 16384 bytes, padded with 0xFF to an even length),\n"
    "with a header naming the model and version and scrambled as the upload\n"
    "expects. Images go into the \"Firmware\" folder beside the program.\n"
    "  --model CODE        target model code, image byte 0 (150 Vela150, 80 VelaXL, ...)\n"
    "  --version V         firmware version: 1.79 or 179\n"
    "  --date YYYY-MM-DD   release date (default 2000-01-01)\n"
    "  --description TEXT  shown beside the version on the Upgrade page (127 bytes)\n"
    "  --keys A,B          keys of the image chain, 0..255 each (default 93,33)\n"
    "  --simulator SIZE    instead of RAW, a program of SIZE bytes for lpgsim: after\n"
    "                      an upload the simulator runs as the model and version given\n"
    "  -o, --output FILE   the image file to write\n"
    "  --help              this text\n"
    "Every listed image suits the controllers its model code allows: 150 serves\n"
    "50, 100 and 150; 151 from version 1.77 on also serves 150.\n";

struct Options {
  zo::firmware::ImageDetails details;
  std::optional<std::string> raw;
  std::optional<std::size_t> simulatorSize;
  std::string output;
  bool modelGiven = false;
  bool versionGiven = false;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "lpgimg: %s\n%.*s", message.c_str(), static_cast<int>(kUsage.size()),
               kUsage.data());
  std::exit(2);
}

int Number(const std::string& text, int low, int high, const char* what) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < low || value > high)
    Fail(std::string("bad ") + what + ": " + text);
  return static_cast<int>(value);
}

std::uint8_t Version(const std::string& text) {
  const auto dot = text.find('.');
  if (dot == std::string::npos) return static_cast<std::uint8_t>(Number(text, 0, 255, "version"));
  const std::string minor = text.substr(dot + 1);
  if (minor.size() != 2) Fail("bad version (two decimals): " + text);
  return static_cast<std::uint8_t>(
      Number(std::to_string(Number(text.substr(0, dot), 0, 2, "version") * 100 +
                            Number(minor, 0, 99, "version")),
             0, 255, "version"));
}

void ParseDate(const std::string& text, zo::firmware::ImageDetails& details) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') Fail("bad date: " + text);
  details.year = Number(text.substr(0, 4), 1, 9999, "year");
  details.month = Number(text.substr(5, 2), 1, 12, "month");
  details.day = Number(text.substr(8, 2), 1, 31, "day");
}

void ParseKeys(const std::string& text, zo::firmware::ImageDetails& details) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) Fail("bad keys: " + text);
  details.keyA = static_cast<std::uint8_t>(Number(text.substr(0, comma), 0, 255, "key A"));
  details.keyB = static_cast<std::uint8_t>(Number(text.substr(comma + 1), 0, 255, "key B"));
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--help" || name == "-h") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      std::exit(0);
    }
    const bool takesValue = name.size() > 1 && name[0] == '-';
    if (takesValue && i + 1 >= argc) Fail("missing value of " + name);
    const std::string value = takesValue ? argv[++i] : std::string();
    if (name == "--model") {
      o.details.model = static_cast<std::uint8_t>(Number(value, 0, 255, "model"));
      o.modelGiven = true;
    } else if (name == "--version") {
      o.details.version = Version(value);
      o.versionGiven = true;
    } else if (name == "--date") {
      ParseDate(value, o.details);
    } else if (name == "--description") {
      o.details.description = value;
    } else if (name == "--keys") {
      ParseKeys(value, o.details);
    } else if (name == "--simulator") {
      o.simulatorSize = static_cast<std::size_t>(Number(value, 8, 16384, "size"));
    } else if (name == "-o" || name == "--output") {
      o.output = value;
    } else if (takesValue) {
      Fail("unknown option " + name);
    } else if (!o.raw) {
      o.raw = name;
    } else {
      Fail("more than one raw program");
    }
  }
  if (!o.modelGiven || !o.versionGiven) Fail("--model and --version are required");
  if (o.output.empty()) Fail("no output file (-o)");
  if (o.raw.has_value() == o.simulatorSize.has_value()) Fail("give either RAW or --simulator");
  return o;
}

std::vector<std::uint8_t> Program(const Options& o) {
  if (o.simulatorSize)
    return lpgsim::SimulatorProgram::Make(*o.simulatorSize, o.details.model, o.details.version);
  std::ifstream in(*o.raw, std::ios::binary);
  if (!in) Fail("cannot read " + *o.raw);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = Parse(argc, argv);
  const std::vector<std::uint8_t> program = Program(o);
  if (program.size() > zo::firmware::kMaxImageSize)
    Fail("the program has " + std::to_string(program.size()) + " bytes; at most 16384 fit");
  const std::vector<std::uint8_t> file = zo::firmware::ImageMaker::Make(program, o.details);
  std::ofstream out(o.output, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "lpgimg: cannot write %s\n", o.output.c_str());
    return 1;
  }
  return 0;
}
