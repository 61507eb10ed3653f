// The part of FTDI's D2XX driver interface this program calls, declared from
// its public documentation: C linkage, the platform's default calling
// convention, 32-bit counts and flags, an opaque device handle and a status
// that is 0 on success. The binding looks the entry points up by these names
// at run time; the tests' stand-in library defines them with these types.
#pragma once

#include <cstdint>

namespace zo::serial::d2xx {

using Handle = void*;
using Status = std::uint32_t;
using Dword = std::uint32_t;

constexpr Status kOk = 0;
constexpr Status kInvalidHandle = 1;
constexpr Status kDeviceNotFound = 2;
constexpr Status kDeviceNotOpened = 3;
constexpr Status kIoError = 4;

// Flags of FT_ListDevices.
constexpr Dword kListNumberOnly = 0x80000000;
constexpr Dword kListByIndex = 0x40000000;
constexpr Dword kOpenByDescription = 0x00000002;

// FT_SetLatencyTimer: how long the adapter holds received bytes before it
// passes them on, in milliseconds; 16 when it is plugged in, 1 at the least
// (2 on the oldest chips).
constexpr unsigned char kDefaultLatency = 16;
constexpr unsigned char kLeastLatency = 1;
constexpr unsigned char kLeastLatencyOfOldChips = 2;

// Codes of FT_SetDataCharacteristics.
constexpr unsigned char kBits8 = 8;
constexpr unsigned char kStopBits1 = 0;
constexpr unsigned char kStopBits2 = 2;
constexpr unsigned char kParityNone = 0;

// One entry of FT_GetDeviceInfoList.
struct DeviceListInfoNode {
  Dword flags;
  Dword type;
  Dword id;
  Dword locId;
  char serialNumber[16];
  char description[64];
  Handle ftHandle;
};

extern "C" {
using ListDevicesFn = Status (*)(void* arg1, void* arg2, Dword flags);
using OpenFn = Status (*)(int deviceNumber, Handle* handle);
using CloseFn = Status (*)(Handle handle);
using SetDataCharacteristicsFn = Status (*)(Handle handle, unsigned char wordLength,
                                            unsigned char stopBits, unsigned char parity);
using SetBaudRateFn = Status (*)(Handle handle, Dword baudRate);
using SetDivisorFn = Status (*)(Handle handle, std::uint16_t divisor);
using WriteFn = Status (*)(Handle handle, void* buffer, Dword count, Dword* written);
using ReadFn = Status (*)(Handle handle, void* buffer, Dword count, Dword* read);
using GetQueueStatusFn = Status (*)(Handle handle, Dword* receiveCount);
// Optional: a library without it works as ever, only slower.
using SetLatencyTimerFn = Status (*)(Handle handle, unsigned char milliseconds);
using CreateDeviceInfoListFn = Status (*)(Dword* count);
using GetDeviceInfoListFn = Status (*)(DeviceListInfoNode* nodes, Dword* count);
using GetDeviceInfoDetailFn = Status (*)(Dword index, Dword* flags, Dword* type, Dword* id,
                                         Dword* locId, void* serialNumber, void* description,
                                         Handle* handle);
}

}  // namespace zo::serial::d2xx
