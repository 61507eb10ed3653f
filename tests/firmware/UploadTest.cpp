// The upload end to end against the simulated controller on virtual time,
// with the real connection manager counting the watchdog on its 900 ms
// ticks: a good upload and the new version read back, a spoiled block, a
// controller that stops answering (and one that comes back in its boot
// loader), the file errors and the block arithmetic of the edge cases.
#include <gtest/gtest.h>

#include <algorithm>

#include "FirmwareTestFiles.h"
#include "RecordingEffects.h"
#include "SimLink.h"
#include "SimulatorProgram.h"
#include "TempFolder.h"
#include "firmware/FirmwareKeys.h"
#include "firmware/FirmwareUpload.h"
#include "firmware/ImageFile.h"
#include "link/ConnectionManager.h"
#include "link/NoFtdi.h"

namespace zo::firmware {
namespace {

using texts::TextPiece;
using texts::UserText;
using namespace std::chrono_literals;

class UploadWindow : public IUploadWindow {
 public:
  explicit UploadWindow(const test::RecordingEffects& effects) : effects_(effects) {}
  void Open(int captionTextId) override {
    ++opened;
    caption = captionTextId;
    open = true;
  }
  void SetLine(int line, const texts::UserText& text) override {
    lines[static_cast<std::size_t>(line)] = text;
    if (line == 2) timesLeft.push_back(text.at(1).literal);
  }
  void SetProgressMax(int m) override { maximum = m; }
  void SetProgressPosition(int p) override {
    position = p;
    // The main window stays disabled while blocks go out.
    if (barShown && effects_.mainWindowEnabled.value_or(true)) ++enabledDuringUpload;
    ++positions;
  }
  void ShowProgressBar(bool visible) override { barShown = visible; }
  void Close() override { open = false; }

  int opened = 0;
  int caption = 0;
  bool open = false;
  bool barShown = false;
  int maximum = 0;
  int position = -1;
  int positions = 0;
  int enabledDuringUpload = 0;
  std::array<texts::UserText, 3> lines;
  std::vector<std::string> timesLeft;

 private:
  const test::RecordingEffects& effects_;
};

class OnePort : public link::IPortList, public link::ISerialPort {
 public:
  [[nodiscard]] std::vector<link::PortEntry> Discover() const override {
    return {{1, "/dev/ttyS0", false}};
  }
  int OpenPort(const std::string&) override {
    ++opens;
    return 0;
  }
  void ClosePort() override {}
  [[nodiscard]] bool IsOpen() const override { return true; }
  int opens = 0;
};

// Frames the tool writes, with a chance to spoil one on its way.
class SpoilingTransport : public link::ITransport {
 public:
  explicit SpoilingTransport(lpgsim::SimTransport& inner) : inner_(inner) {}
  int InQueCount() override { return inner_.InQueCount(); }
  int ReadAvailable(std::span<std::uint8_t> b) override { return inner_.ReadAvailable(b); }
  bool WaitForInput(int count, std::chrono::microseconds t) override {
    return inner_.WaitForInput(count, t);
  }
  int Write(std::span<const std::uint8_t> data) override {
    std::vector<std::uint8_t> frame(data.begin(), data.end());
    // A boot loader asking for the same block for ever falls silent: the
    // chain ends and the test fails instead of hanging.
    if (blocks > kMaxBlocks) inner_.Faults().SetSilence(true);
    if (frame.size() == 20 && frame[1] == 0x01 && ++blocks == spoilBlock) {
      // Two bytes off by one each way: the frame's sum still holds.
      ++frame[5];
      --frame[6];
    }
    return inner_.Write(frame);
  }
  static constexpr int kMaxBlocks = 4000;
  int blocks = 0;
  int spoilBlock = -1;

 private:
  lpgsim::SimTransport& inner_;
};

lpgsim::SimConfig Vela100() {
  lpgsim::SimConfig config;
  config.bootPageWords = 64;
  return config;
}

struct Rig {
  explicit Rig(lpgsim::SimConfig config = Vela100()) : sim(config) {
    sim.ReadController();
    sim.effects.onBootStatus = [this](auto reply) { return upload.BootStatusReply(reply); };
    sim.effects.onBootBlock = [this](auto reply) { return upload.BootBlockReply(reply); };
    sim.effects.onCloseUploadWindow = [this] { upload.Lost(); };
    sim.state.activePage = link::Page::Upgrade;
    sim.state.pollingMode = link::PollingMode::Stopped;
    sim.clock.SchedulePeriodic(sim.clock.Now() + 900ms, 900ms, [this] {
      ++ticks;
      connection.Tick();
      if (sim.state.programming.watchdog == 0 && !lostTick && sim.effects.uploadWindowCloses)
        lostTick = ticks;
    });
    path = folder / "SIM.img";
    test::WriteImage(path, lpgsim::SimulatorProgram::Make(4096, 150, 180), 150, 180);
  }

  int TicksSinceLastReply() const { return lostTick - lastReplyTick; }
  bool Shown(int textId) const {
    return std::any_of(sim.effects.messages.begin(), sim.effects.messages.end(),
                       [textId](const auto& m) { return m.text.at(0).id == textId; });
  }
  // The reconnection that follows an upload, and the read.
  void Reconnect() {
    sim.clock.AdvanceTo(sim.clock.Now() + 1s);
    sim.pump.ProcessMessages();
    sim.ReadController();
  }

  test::SimLink sim;
  SpoilingTransport wire{sim.port};
  link::ControllerLink link{
      sim.state, wire, wire, sim.pump, sim.effects.parts, sim.effects.consumers};
  UploadWindow window{sim.effects};
  FirmwareUpload upload{{sim.state, sim.state, sim.state, sim.state.programming},
                        link,
                        sim.effects,
                        sim.effects,
                        sim.pump,
                        window,
                        [] { return std::uint8_t{0x47}; }};
  OnePort port;
  link::NoFtdi ftdi;
  link::ConnectionManager connection{
      {sim.state, sim.state, sim.state, sim.state, sim.state.programming},
      port,
      ftdi,
      port,
      sim.pump,
      sim.effects.connectionParts};
  test::TempFolder folder;
  std::filesystem::path path;
  int ticks = 0;
  int lostTick = 0;
  int lastReplyTick = 0;
};

TEST(Upload, AGoodUploadEndsIn911AndTheNewVersionIsReadBack) {
  Rig rig;
  rig.upload.Start(rig.path);

  const auto& p = rig.sim.state.programming;
  EXPECT_EQ(rig.window.caption, 900);
  EXPECT_EQ(rig.window.lines[0],
            (texts::UserText{texts::TextPiece::Id(902), texts::TextPiece::Literal("SIM.img")}));
  EXPECT_EQ(rig.window.lines[1],
            (texts::UserText{texts::TextPiece::Id(115), texts::TextPiece::Literal(" : V1.80")}));
  EXPECT_EQ(rig.window.lines[2],
            (texts::UserText{texts::TextPiece::Id(903), texts::TextPiece::Literal("0 min 0 s")}));
  EXPECT_EQ(rig.window.maximum, 4096 / 16 + 8);
  EXPECT_EQ(rig.window.enabledDuringUpload, 0);
  EXPECT_FALSE(rig.window.open);
  EXPECT_EQ(rig.sim.effects.mainWindowEnabled, true);
  EXPECT_EQ(rig.sim.effects.messages.back().text, texts::UserText{texts::TextPiece::Id(911)});
  EXPECT_EQ(p.watchdog, 0);
  EXPECT_EQ(p.oldVersion, 179);
  EXPECT_EQ(p.newVersion, 180);
  EXPECT_TRUE(rig.sim.state.reconnectRequest);
  EXPECT_EQ(rig.sim.controller.Boot().TransferKey(), 0x47);

  rig.Reconnect();
  EXPECT_EQ(rig.sim.state.controllerCopy[0], 150);
  EXPECT_EQ(rig.sim.state.controllerCopy[1], 180);
  EXPECT_EQ(rig.sim.state.connectionState, link::ConnectionState::ControllerRead);
}

TEST(Upload, AReconnectionAskedForBeforeTheStartWaitsForTheEnd) {
  Rig rig;
  rig.sim.state.reconnectRequest = true;  // F10, or the end of an upload just stopped
  rig.upload.Start(rig.path);
  EXPECT_EQ(rig.port.opens, 0) << "the port was reopened under the upload";
  EXPECT_EQ(rig.sim.effects.messages.back().text, texts::UserText{texts::TextPiece::Id(911)});
  EXPECT_TRUE(rig.sim.state.reconnectRequest);
}

TEST(Upload, ASpoiledBlockEndsIn910AndTheNextReadReportsTheChecksumError) {
  Rig rig;
  rig.wire.spoilBlock = 100;
  rig.upload.Start(rig.path);
  EXPECT_EQ(rig.sim.effects.messages.back().text, texts::UserText{texts::TextPiece::Id(910)});
  EXPECT_EQ(rig.sim.effects.messages.back().icon, link::MsgIcon::Warning);
  EXPECT_EQ(rig.sim.effects.mainWindowEnabled, true);

  rig.Reconnect();
  EXPECT_EQ(rig.sim.effects.messages.back().text,
            (texts::UserText{texts::TextPiece::Id(920), texts::TextPiece::Id(923)}));
  EXPECT_EQ(rig.sim.state.connectionState, link::ConnectionState::UploadOnly);
}

TEST(Upload, AControllerThatStopsAnsweringIsLostOnTheRightTickAndRecoversInItsBootLoader) {
  for (const bool atStart : {true, false}) {
    SCOPED_TRACE(atStart ? "no answer to the start" : "silent after 100 blocks");
    Rig rig;
    bool silenced = atStart;
    rig.sim.effects.onBootBlock = [&rig, &silenced](auto reply) {
      rig.lastReplyTick = rig.ticks;
      if (!silenced && rig.sim.state.programming.blockNumber == 100) {
        silenced = true;
        rig.sim.port.Faults().SetSilence(true);
      }
      return rig.upload.BootBlockReply(reply);
    };
    rig.sim.port.Faults().SetSilence(atStart);
    rig.upload.Start(rig.path);
    // The chain has ended; the connection timer keeps ticking.
    for (int i = 0; i < 8 && !rig.lostTick; ++i) {
      rig.sim.clock.AdvanceTo(rig.sim.clock.Now() + 900ms);
      rig.sim.pump.ProcessMessages();
    }
    EXPECT_EQ(rig.TicksSinceLastReply(), atStart ? 6 : 5);
    EXPECT_TRUE(rig.Shown(909));
    EXPECT_EQ(rig.sim.effects.mainWindowEnabled, true);
    EXPECT_FALSE(rig.window.open);
    EXPECT_FALSE(rig.window.barShown);
    EXPECT_EQ(rig.sim.effects.parametersPageShown, 1);
    if (atStart) continue;

    // It answers again, still in its boot loader with the programming unfinished.
    rig.sim.port.Faults().SetSilence(false);
    rig.sim.state.activePage = link::Page::Parameters;
    rig.Reconnect();
    EXPECT_EQ(rig.sim.effects.messages.back().text,
              (texts::UserText{texts::TextPiece::Id(920), texts::TextPiece::Id(921)}));
    EXPECT_EQ(rig.sim.state.connectionState, link::ConnectionState::UploadOnly);
    rig.upload.Start(rig.path);
    EXPECT_EQ(rig.sim.effects.messages.back().text, texts::UserText{texts::TextPiece::Id(911)});
    rig.Reconnect();
    EXPECT_EQ(rig.sim.state.controllerCopy[1], 180);
  }
}

TEST(Upload, FileErrorsAndRefusalsSendNothingAndLeaveTheWindowEnabled) {
  struct Case {
    const char* name;
    int result;  // of the confirmation
    int message;
    bool windowOpened;
  };
  for (const Case c :
       {Case{"cancelled", 2, 901, false}, Case{"dialog busy", 255, 901, false},
        Case{"missing file", 1, 702, true}, Case{"declares 16386 bytes", 1, 912, true},
        Case{"cut short", 1, 915, true}}) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.sim.effects.messageResult = c.result;
    auto path = rig.path;
    if (c.message == 702) path = rig.folder / "gone.img";
    if (c.message == 915) std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    if (c.message == 912) {
      auto file = ImageMaker::Make(std::vector<std::uint8_t>(16),
                                   ImageDetails{150, 180, 2007, 5, 3, "", 1, 2});
      // Descrambled word count 8193: the chain byte after it changes too.
      Header h{};
      std::copy_n(file.begin() + 256, 32, h.begin());
      std::vector<std::uint8_t> m(file.begin() + kImageOffset, file.end());
      ImageFile::DescrambleHeader(h, m);
      h[2] = 0x20;
      h[3] = 0x01;
      ImageFile::Scramble(h, m);
      std::copy(h.begin(), h.end(), file.begin() + 256);
      test::WriteBytes(path, file);
    }
    const auto written = rig.sim.port.BytesWritten();
    rig.upload.Start(path);
    EXPECT_EQ(rig.sim.port.BytesWritten(), written);
    EXPECT_EQ(rig.window.opened, c.windowOpened ? 1 : 0);
    EXPECT_FALSE(rig.window.open);
    EXPECT_EQ(rig.sim.effects.mainWindowEnabled.value_or(true), true);
    EXPECT_EQ(rig.sim.effects.messages.back().text.at(0).id, c.message);
    EXPECT_EQ(rig.sim.state.programming.watchdog, 0);
  }
}

TEST(Upload, TheTimeLeftCountsTwelveBlocksASecond) {
  Rig rig;
  test::WriteImage(rig.path, lpgsim::SimulatorProgram::Make(kMaxImageSize, 150, 180), 150, 180);
  rig.upload.Start(rig.path);
  ASSERT_EQ(rig.window.maximum, 1032);
  ASSERT_GT(rig.window.timesLeft.size(), 313u);
  // 1032 blocks to go are 86 s; after 301 blocks, 731 are 60 s; after 313, 59 s.
  EXPECT_EQ(rig.window.timesLeft.front(), "1 min 26 s");
  EXPECT_EQ(rig.window.timesLeft[301], "1 min 0 s");
  EXPECT_EQ(rig.window.timesLeft[313], "0 min 59 s");
  EXPECT_EQ(rig.window.timesLeft.back(), "0 min 0 s");
}

TEST(Upload, ABlockPastTheImagesLastIsNotSent) {
  Rig rig;
  std::vector<bool> answered;
  rig.sim.effects.onBootBlock = [&rig, &answered](auto reply) {
    auto& p = rig.sim.state.programming;
    if (answered.empty() && p.blockNumber == 10) {
      const std::uint16_t asked = p.blockNumber;
      for (const std::uint32_t block :
           {rig.upload.Plan().totalBlocks - 1, rig.upload.Plan().totalBlocks}) {
        p.blockNumber = static_cast<std::uint16_t>(block);
        answered.push_back(rig.upload.BootBlockReply(reply).has_value());
      }
      p.blockNumber = asked;
    }
    return rig.upload.BootBlockReply(reply);
  };
  rig.upload.Start(rig.path);
  EXPECT_EQ(answered, (std::vector<bool>{true, false}));
}

TEST(Upload, TheBackupIsNamedInTheWindowAndWithoutOneTheUserDecides) {
  Rig saved;
  saved.upload.SetBackup([] { return std::optional<std::string>("/w/backup.zop"); });
  saved.upload.Start(saved.path);
  EXPECT_EQ(saved.window.lines[0], (texts::UserText{texts::TextPiece::Id(913),
                                                    texts::TextPiece::Literal("/w/backup.zop")}));
  EXPECT_EQ(saved.sim.effects.messages.back().text, texts::UserText{texts::TextPiece::Id(911)});

  // Only Yes goes on: No, a closed question and a dialog already open stop.
  for (const int answer : {7, 2, 255, 6}) {
    Rig rig;
    rig.upload.SetBackup([] { return std::optional<std::string>(); });
    rig.sim.effects.answers = {1, answer};
    const auto written = rig.sim.port.BytesWritten();
    rig.upload.Start(rig.path);
    EXPECT_EQ(rig.sim.effects.messages.at(1).text, texts::UserText{texts::TextPiece::Id(914)});
    EXPECT_EQ(rig.sim.port.BytesWritten() != written, answer == 6) << answer;
    EXPECT_EQ(rig.sim.effects.mainWindowEnabled.value_or(true), true);
    EXPECT_FALSE(rig.window.open);
  }
}

TEST(UploadBlocks, EdgeCasesOfTheBlockArithmetic) {
  std::vector<std::uint8_t> image(kMaxImageSize, 0);
  for (std::size_t i = 0; i < 4096; ++i)
    image[i] = static_cast<std::uint8_t>(i * 13);
  const UploadPlan plan = UploadBlocks::Plan(image, 4096, 64);
  EXPECT_EQ(plan.blocksPerPage, 8u);
  EXPECT_EQ(plan.totalBlocks, 264u);
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < 4208; ++i)
    sum += image[i];
  EXPECT_EQ(plan.sum, sum);

  const BlockFrame block = UploadBlocks::DataBlock(image, 29, 3, 8, 0);
  EXPECT_EQ(block[2], 5);
  // With key 0 the chain leaves the first byte and masks each with the one before.
  EXPECT_EQ(block[7], image[464]);

  std::fill(image.begin() + 16 * 7, image.begin() + 16 * 8, std::uint8_t{0x6B});
  const BlockFrame even = UploadBlocks::DataBlock(image, 7, 0, 8, 0x3C);
  for (std::size_t i = 3; i <= 18; ++i)
    EXPECT_EQ(even[i], i == 7 ? 0x3C ^ 0x6B : 0) << i;

  // The padding page of a full image lies past the buffer and reads as zeros.
  const UploadPlan full = UploadBlocks::Plan(image, kMaxImageSize, 64);
  EXPECT_EQ(full.totalBlocks, 1032u);
  const BlockFrame past = UploadBlocks::DataBlock(image, 1031, 128, 8, 0);
  EXPECT_TRUE(std::all_of(past.begin() + 3, past.end(), [](auto b) { return b == 0; }));
}

TEST(UploadBlocks, EachTransferKeyScramblesWithItsOwnBlockKey) {
  const std::vector<std::uint8_t> image{0xC3, 0x1F, 0x80, 0x00, 0xFF, 0x12, 0x34, 0x56,
                                        0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x0F, 0xA5, 0x5A};
  // Frame bytes 3..18 of this block with transfer key 0, worked out by hand
  // from the swaps and the chain; the block key reaches byte 7 only.
  constexpr std::array<std::uint8_t, 16> kFrame{0xFF, 0xB4, 0x0D, 0x12, 0xFF, 0x7F, 0xDC, 0x88,
                                                0xC4, 0xE2, 0xCC, 0x88, 0x2E, 0xFF, 0xAA, 0xFF};
  // Byte 7 with transfer keys i + 32 * (i mod 8), i = 0..31: every entry of
  // the table the boot loaders hold, each reached through the modulo.
  constexpr std::array<std::uint8_t, 32> kByte7{0xFF, 0x52, 0x27, 0xE4, 0x98, 0x11, 0xCB, 0xB5,
                                                0x6C, 0xD0, 0x0B, 0xAD, 0x82, 0x39, 0x5E, 0xF6,
                                                0x41, 0xDD, 0xA4, 0x7A, 0xCE, 0x30, 0x97, 0x08,
                                                0xE9, 0x5B, 0xBC, 0x23, 0x85, 0x72, 0xDA, 0xAF};
  for (int i = 0; i < 32; ++i) {
    const auto transferKey = static_cast<std::uint8_t>(i + 32 * (i % 8));
    const BlockFrame frame = UploadBlocks::DataBlock(image, 0, 0, 8, BlockKey(transferKey));
    std::array<std::uint8_t, 16> expected = kFrame;
    expected[4] = kByte7[static_cast<std::size_t>(i)];
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), frame.begin() + 3))
        << "transfer key " << int{transferKey};
  }
}

}  // namespace
}  // namespace zo::firmware
