// A 16 KB firmware upload against the simulated boot loader at 4800 baud on
// virtual time, compared with the ideal: the wire time of every frame and
// reply plus the boot loader's turnaround for each.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "RecordingEffects.h"
#include "SimController.h"
#include "SimTransport.h"
#include "SimulatorProgram.h"
#include "VirtualClock.h"
#include "VirtualPump.h"
#include "firmware/FirmwareUpload.h"
#include "firmware/ImageFile.h"
#include "firmware/ImageMaker.h"
#include "link/ControllerLink.h"

namespace {

class NoWindow : public zo::firmware::IUploadWindow {
 public:
  void Open(int) override {}
  void SetLine(int, const zo::texts::UserText&) override {}
  void SetProgressMax(int) override {}
  void SetProgressPosition(int) override {}
  void ShowProgressBar(bool) override {}
  void Close() override {}
};

}  // namespace

int main() {
  lpgsim::SimConfig config;
  config.bootPageWords = 64;
  lpgsim::VirtualClock clock;
  lpgsim::VirtualPump pump(clock);
  lpgsim::SimController controller(config);
  lpgsim::SimTransport port(clock, controller);
  zo::test::RecordingEffects effects;
  zo::link::LinkState state;
  state.portNumber = 1;
  zo::link::ControllerLink link(state, port, port, pump, effects.parts, effects.consumers);
  NoWindow window;
  zo::firmware::FirmwareUpload upload({state, state, state, state.programming}, link, effects,
                                      effects, pump, window, [] { return std::uint8_t{0x47}; });
  effects.onBootStatus = [&](auto reply) { return upload.BootStatusReply(reply); };
  effects.onBootBlock = [&](auto reply) { return upload.BootBlockReply(reply); };

  const auto path = std::filesystem::temp_directory_path() / "zo-upload-bench.img";
  zo::firmware::ImageDetails details{150, 180, 2026, 12, 1, "bench", 0x5D, 0x21};
  const auto file = zo::firmware::ImageMaker::Make(
      lpgsim::SimulatorProgram::Make(zo::firmware::kMaxImageSize, 150, 180), details);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));

  const auto start = clock.Now();
  upload.Start(path);
  const auto took = clock.Now() - start;
  std::filesystem::remove(path);

  const auto blocks = static_cast<std::int64_t>(upload.Plan().totalBlocks);
  const auto ideal = port.IdealExchangeTime(4, 8) + (blocks + 1) * port.IdealExchangeTime(20, 8);
  const double seconds = std::chrono::duration<double>(took).count();
  const double idealSeconds = std::chrono::duration<double>(ideal).count();
  const bool good = effects.messages.back().text.at(0).id == 911;
  std::printf(
      "upload of 16384 bytes, %lld blocks: %.2f s, ideal %.2f s, ratio %.3f (target 1.10)%s\n",
      static_cast<long long>(blocks), seconds, idealSeconds, seconds / idealSeconds,
      good ? "" : "  UPLOAD FAILED");
  std::printf("the 12 blocks/s estimate gives %.2f s, %.2f x the ideal\n",
              static_cast<double>(blocks) / 12.0,
              static_cast<double>(blocks) / 12.0 / idealSeconds);
  return good ? 0 : 1;
}
