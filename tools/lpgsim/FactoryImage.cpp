#include "FactoryImage.h"

#include <array>

namespace lpgsim {

namespace {

// Every catalogue parameter a Vela100 offers. Of the alternative bytes it has
// the three-option lambda sensor byte 90 (not 75), the second simulation byte
// 98 (not 35) and the four-type level sensor byte 68 (not 87). Byte 80, the
// last reset cause, is marked so that the reset-cause hint can be shown.
constexpr auto kPresent = std::to_array<std::uint8_t>(
    {32, 33, 34, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50,  51,  52,  53,  54,
     55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72,  73,  74,  76,  77,
     78, 79, 80, 81, 82, 83, 84, 85, 86, 88, 89, 90, 91, 96, 97, 98, 99, 100, 101, 102, 103, 104});

// Factory values of the parameters, as (byte, value).
struct FactoryValue {
  std::uint8_t index;
  std::uint8_t value;
};
constexpr auto kValues = std::to_array<FactoryValue>({
    {32, 0},     // coil type: 4 cylinders
    {33, 0},     // TPS type 0-5 V
    {34, 0},     // lambda sensor 0-1 V
    {36, 10},    // simulation time HI 0.20 s
    {37, 10},    // simulation time LO 0.20 s
    {38, 5},     // simulation time OFF 1.0 s
    {39, 10},    // simulation impulses
    {40, 6},     // lambda sensor cold for 30 s
    {41, 200},   // maximum actuator position
    {42, 10},    // minimum actuator position
    {43, 100},   // switch-over time 1.00 s
    {44, 0},     // opening option off
    {45, 120},   // opening: actuator position
    {46, 75},    // opening: TPS threshold 1.50 V
    {47, 1},     // cut-off on
    {48, 15},    // cut-off above 1500 rpm
    {49, 30},    // cut-off: actuator position
    {50, 10},    // cut-off: actuator speed
    {51, 5},     // rpm regulation: actuator speed
    {52, 1},     // regulation from rpm on
    {53, 1},     // regulation from lambda on
    {54, 0},     // regulation from TPS off
    {55, 1},     // switch-over temperature on
    {56, 101},   // switch-over temperature: raw 101, 35 'C on the 10k sensor
    {57, 75},    // TPS threshold 1.50 V
    {58, 23},    // lambda threshold 0.46 V
    {59, 5},     // TPS hysteresis 0.10 V
    {60, 10},    // TPS enrichment
    {61, 10},    // TPS weakening
    {62, 18},    // switch-over at 1800 rpm
    {63, 60},    // gas up to 6000 rpm
    {64, 70},    // actuator position for 900 rpm
    {65, 110},   // actuator position for 3000 rpm
    {66, 10},    // TPS regulation: actuator speed
    {67, 1},     // switch-over type: rpm up
    {68, 0},     // level sensor 90 ohm falling
    {69, 25},    // level reserve 0.50 V
    {70, 60},    // level 2/4
    {71, 95},    // level 3/4
    {72, 130},   // level 4/4
    {73, 0},     // relay: injector emulation
    {74, 0},     // suction
    {76, 8},     // lambda regulation: actuator speed
    {77, 10},    // opening: actuator speed
    {78, 0},     // no power-supply errors
    {79, 0},     // no error flags
    {80, 1},     // last reset: power on
    {81, 2},     // vacuum sensor 0-5 V
    {82, 0},     // regulation from vacuum off
    {83, 10},    // vacuum enrichment
    {84, 10},    // vacuum weakening
    {85, 10},    // vacuum: actuator speed
    {86, 0},     // coil signal 0-5 V
    {88, 5},     // switch-off time 5 s
    {89, 0},     // actuator leakage off
    {90, 0},     // lambda sensor standard
    {91, 60},    // switching position
    {96, 12},    // lambda speed above TPS threshold
    {97, 6},     // lambda speed below TPS threshold
    {98, 3},     // simulation: typical
    {99, 1},     // petrol/gas switch with full indication
    {100, 0},    // turbo option off
    {101, 200},  // turbo: TPS threshold 4.00 V
    {102, 180},  // turbo: actuator position
    {103, 20},   // turbo: actuator speed
    {104, 0},    // temperature sensor CTRG-10k
});

void PutDate(ParameterImage& image, int at, std::uint8_t year, std::uint8_t month,
             std::uint8_t day) {
  const auto i = static_cast<std::size_t>(at);
  image[i] = year;
  image[i + 1] = month;
  image[i + 2] = day;
  image[i + 3] = static_cast<std::uint8_t>((year + month + day) & 0xFF);
}

void PutLittleEndian32(ParameterImage& image, int at, std::uint32_t value) {
  for (std::size_t k = 0; k < 4; ++k) {
    image[static_cast<std::size_t>(at) + k] = static_cast<std::uint8_t>((value >> (8 * k)) & 0xFFu);
  }
}

}  // namespace

ParameterImage FactoryImage::Build(std::uint8_t modelCode, std::uint8_t version,
                                   std::uint8_t variant) {
  ParameterImage image{};
  image.fill(0xFF);
  for (std::size_t i = 5; i <= 25; ++i)
    image[i] = 0;
  for (std::size_t i = 32; i <= 104; ++i)
    image[i] = 0;

  for (const std::uint8_t index : kPresent) {
    image[3u + index / 8u] =
        static_cast<std::uint8_t>(image[3u + index / 8u] | (1u << (index % 8u)));
  }
  // Dates and working-time counters (bytes 168..183) are present too.
  image[ImageMap::kPresenceFirst + ImageMap::kInstallationDate / 8] = 0xFF;
  image[ImageMap::kPresenceFirst + ImageMap::kGasTime / 8] = 0xFF;

  image[ImageMap::kModel] = modelCode;
  image[ImageMap::kVersion] = version;
  image[ImageMap::kSignalFlags1] = 0x6D;  // SIM, gas level, temperature, PSI, injection time
  image[ImageMap::kFeatureFlags] = 0x02;  // the Configuration page is offered
  image[ImageMap::kSignalFlags2] = 29;    // LAM, RPM, TPS, MOT
  image[ImageMap::kVariant] = variant;

  for (const FactoryValue& v : kValues)
    image[v.index] = v.value;

  PutDate(image, ImageMap::kInstallationDate, 24, 3, 15);
  PutDate(image, ImageMap::kConfigurationDate, 24, 9, 2);
  PutLittleEndian32(image, ImageMap::kPetrolTime, 123456);  // 34 h 17 m
  PutLittleEndian32(image, ImageMap::kGasTime, 654321);     // 181 h 45 m
  return image;
}

std::span<const std::uint8_t> FactoryImage::PresentParameters() {
  return kPresent;
}

bool FactoryImage::IsPresent(std::span<const std::uint8_t> image, int index) {
  if (index < 0) return false;
  const auto bitmapByte = static_cast<std::size_t>(3 + index / 8);
  if (bitmapByte >= image.size()) return false;
  const unsigned bit = static_cast<unsigned>(index % 8);
  return ((static_cast<unsigned>(image[bitmapByte]) >> bit) & 1u) != 0;
}

}  // namespace lpgsim
