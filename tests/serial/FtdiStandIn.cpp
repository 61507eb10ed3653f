// A stand-in for the FTDI D2XX library, built as libftd2xx.so for the tests:
// one adapter whose serial side is the terminal named by the environment
// variable ZO_FTDI_STANDIN_DEVICE (none when it is unset), described by
// ZO_FTDI_STANDIN_DESCRIPTION (default "FT232R USB UART"). Reads wait up to a
// second for what was asked, as the driver's default read does. Like the
// chip, it holds received bytes until its latency timer (16 ms unless set)
// runs out after the first of them, or until 62 are waiting. Built with
// ZO_STANDIN_WITHOUT_DIVISOR it lacks FT_SetDivisor, as an incomplete
// library; with ZO_STANDIN_WITHOUT_LATENCY it lacks FT_SetLatencyTimer, as
// older libraries do.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>

#include "serial/D2xx.h"

namespace {

using namespace zo::serial::d2xx;

struct Device {
  int fd = -1;
  Dword baudRate = 0;
  unsigned char wordLength = 0;
  unsigned char stopBits = 0xFF;
  unsigned char parity = 0xFF;
  unsigned char latency = kDefaultLatency;
  std::optional<std::chrono::steady_clock::time_point> firstHeld;
};
Device device;

// The chip passes a packet on when it fills (64 bytes, 2 of them status).
constexpr int kPacketData = 62;

// How many received bytes the chip has passed on: none while its timer
// runs after the first byte it holds.
Dword Passed(Device& d) {
  int waiting = 0;
  if (::ioctl(d.fd, FIONREAD, &waiting) != 0 || waiting <= 0) {
    d.firstHeld.reset();
    return 0;
  }
  const auto now = std::chrono::steady_clock::now();
  if (!d.firstHeld) d.firstHeld = now;
  if (waiting < kPacketData && now - *d.firstHeld < std::chrono::milliseconds(d.latency)) return 0;
  return static_cast<Dword>(waiting);
}

std::string Env(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

Dword Count() {
  return Env("ZO_FTDI_STANDIN_DEVICE", "").empty() ? 0 : 1;
}

void CopyDescription(void* destination) {
  const std::string text = Env("ZO_FTDI_STANDIN_DESCRIPTION", "FT232R USB UART");
  std::memcpy(destination, text.c_str(), text.size() + 1);
}

Device* Open(Handle handle) {
  return handle == &device && device.fd >= 0 ? &device : nullptr;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) Status FT_ListDevices(void* arg1, void* arg2, Dword flags) {
  if (flags == kListNumberOnly) {
    *static_cast<Dword*>(arg1) = Count();
    return kOk;
  }
  if (flags != (kListByIndex | kOpenByDescription)) return kInvalidHandle;
  if (reinterpret_cast<std::uintptr_t>(arg1) >= Count()) return kDeviceNotFound;
  CopyDescription(arg2);
  return kOk;
}

__attribute__((visibility("default"))) Status FT_Open(int index, Handle* handle) {
  if (index < 0 || static_cast<Dword>(index) >= Count()) return kDeviceNotFound;
  if (device.fd >= 0) return kDeviceNotOpened;
  const std::string path = Env("ZO_FTDI_STANDIN_DEVICE", "");
  device.fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  device.latency = kDefaultLatency;
  device.firstHeld.reset();
  if (device.fd < 0) return kDeviceNotOpened;
  termios t{};
  ::tcgetattr(device.fd, &t);
  ::cfmakeraw(&t);
  ::tcsetattr(device.fd, TCSANOW, &t);
  *handle = &device;
  return kOk;
}

__attribute__((visibility("default"))) Status FT_Close(Handle handle) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  ::close(d->fd);
  *d = Device{};
  return kOk;
}

__attribute__((visibility("default"))) Status FT_SetDataCharacteristics(Handle handle,
                                                                        unsigned char wordLength,
                                                                        unsigned char stopBits,
                                                                        unsigned char parity) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  d->wordLength = wordLength;
  d->stopBits = stopBits;
  d->parity = parity;
  return kOk;
}

__attribute__((visibility("default"))) Status FT_SetBaudRate(Handle handle, Dword baudRate) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  d->baudRate = baudRate;
  return kOk;
}

#ifndef ZO_STANDIN_WITHOUT_DIVISOR
__attribute__((visibility("default"))) Status FT_SetDivisor(Handle handle, std::uint16_t divisor) {
  Device* d = Open(handle);
  if (d == nullptr || divisor == 0) return kInvalidHandle;
  d->baudRate = 3000000u / divisor;
  return kOk;
}
#endif

__attribute__((visibility("default"))) Status FT_Write(Handle handle, void* buffer, Dword count,
                                                       Dword* written) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  const ssize_t n = ::write(d->fd, buffer, count);
  *written = n > 0 ? static_cast<Dword>(n) : 0;
  return n < 0 ? kIoError : kOk;
}

__attribute__((visibility("default"))) Status FT_Read(Handle handle, void* buffer, Dword count,
                                                      Dword* read) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  Dword got = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (got < count && std::chrono::steady_clock::now() < deadline) {
    const Dword passed = Passed(*d);
    if (passed == 0) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      continue;
    }
    const ssize_t n =
        ::read(d->fd, static_cast<char*>(buffer) + got, std::min(count - got, passed));
    if (n <= 0) break;
    got += static_cast<Dword>(n);
    d->firstHeld.reset();
  }
  *read = got;
  return kOk;
}

__attribute__((visibility("default"))) Status FT_GetQueueStatus(Handle handle, Dword* waiting) {
  Device* d = Open(handle);
  int n = 0;
  if (d == nullptr || ::ioctl(d->fd, FIONREAD, &n) != 0) return kInvalidHandle;
  *waiting = Passed(*d);
  return kOk;
}

#ifndef ZO_STANDIN_WITHOUT_LATENCY
__attribute__((visibility("default"))) Status FT_SetLatencyTimer(Handle handle,
                                                                 unsigned char milliseconds) {
  Device* d = Open(handle);
  if (d == nullptr) return kInvalidHandle;
  if (milliseconds < kLeastLatency) return kIoError;
  d->latency = milliseconds;
  return kOk;
}
#endif

// For the tests: the latency timer as the program left it.
__attribute__((visibility("default"))) unsigned char ZoFtdiStandInLatency() {
  return device.latency;
}

__attribute__((visibility("default"))) Status FT_CreateDeviceInfoList(Dword* count) {
  *count = Count();
  return kOk;
}

__attribute__((visibility("default"))) Status FT_GetDeviceInfoList(DeviceListInfoNode* nodes,
                                                                   Dword* count) {
  if (*count < Count()) return kIoError;
  *count = Count();
  if (*count > 0) {
    nodes[0] = DeviceListInfoNode{};
    CopyDescription(nodes[0].description);
  }
  return kOk;
}

__attribute__((visibility("default"))) Status FT_GetDeviceInfoDetail(Dword index, Dword*, Dword*,
                                                                     Dword*, Dword*, void*,
                                                                     void* description, Handle*) {
  if (index >= Count()) return kDeviceNotFound;
  CopyDescription(description);
  return kOk;
}

// For the tests: the line settings the program asked for.
__attribute__((visibility("default"))) void ZoFtdiStandInLine(Dword* baudRate,
                                                              unsigned char* wordLength,
                                                              unsigned char* stopBits,
                                                              unsigned char* parity) {
  *baudRate = device.baudRate;
  *wordLength = device.wordLength;
  *stopBits = device.stopBits;
  *parity = device.parity;
}
}

// The stand-in's entry points have the binding's types.
static_assert(std::is_same_v<decltype(&FT_ListDevices), ListDevicesFn>);
static_assert(std::is_same_v<decltype(&FT_Open), OpenFn>);
static_assert(std::is_same_v<decltype(&FT_SetDataCharacteristics), SetDataCharacteristicsFn>);
static_assert(std::is_same_v<decltype(&FT_Read), ReadFn>);
#ifndef ZO_STANDIN_WITHOUT_LATENCY
static_assert(std::is_same_v<decltype(&FT_SetLatencyTimer), SetLatencyTimerFn>);
#endif
static_assert(std::is_same_v<decltype(&FT_GetDeviceInfoDetail), GetDeviceInfoDetailFn>);
