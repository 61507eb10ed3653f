// FTDI USB-serial adapters reached directly through the vendor's D2XX driver
// library, bound at run time: when libftd2xx.so or any of its entry points is
// missing, no adapter is listed or opened and everything else works as
// before. The program owns one instance for the whole run; it serves the
// connection manager (discovery, open, close) and the controller link (the
// byte stream of port numbers from 1024 up).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/IFtdiPorts.h"
#include "link/ITransport.h"
#include "serial/D2xx.h"

namespace zo::serial {

class TMyFtdi : public link::IFtdiPorts, public link::ITransport {
 public:
  // Tries each library in turn (a bare name goes through the system's library
  // search) and binds the first one that loads.
  explicit TMyFtdi(const std::vector<std::filesystem::path>& libraries = DefaultLibraries());
  ~TMyFtdi() override;
  TMyFtdi(const TMyFtdi&) = delete;
  TMyFtdi& operator=(const TMyFtdi&) = delete;

  // libftd2xx.so beside the program, then wherever the system finds it.
  static std::vector<std::filesystem::path> DefaultLibraries();

  // link::IFtdiPorts
  [[nodiscard]] bool Loaded() const override { return bound_.has_value(); }
  int NumDevices() override;
  void CreateDeviceInfoList() override;
  std::optional<std::string> ListDescription(int index) override;
  std::string DetailDescription(int index) override;
  bool Open(int index) override;
  // 8 data bits, 1 stop bit, no parity, 4800 baud; nothing without a device.
  void SetControllerLine() override;
  [[nodiscard]] bool HasHandle() const override { return handle_ != nullptr; }
  void Close() override;
  // The driver no longer answers for the open device (unplugged).
  [[nodiscard]] bool DeviceGone() override;

  // The rest of the component, unused by the link: a rate set through the
  // chip's divisor of 3 MHz, and the raw device information list.
  bool SetNonStandardBaudRate(int rate);
  std::vector<d2xx::DeviceListInfoNode> GetDeviceInfoList();

  // link::ITransport: -1 when no device is open. Reads take only what is waiting,
  // so they never block in the driver.
  int InQueCount() override;
  int ReadAvailable(std::span<std::uint8_t> buffer) override;
  int Write(std::span<const std::uint8_t> data) override;
  // Watches the receive queue every millisecond until `count` bytes are in
  // or `timeout` passes.
  bool WaitForInput(int count, std::chrono::microseconds timeout) override;

  // The longest description a device can report is a USB string descriptor
  // of 126 UTF-16 units; this holds it in any encoding with its terminator.
  static constexpr std::size_t kDescriptionSize = 512;
  // More devices than this are taken as a faulty count.
  static constexpr int kMaxDevices = 1024;

 private:
  struct EntryPoints {
    d2xx::ListDevicesFn listDevices;
    d2xx::OpenFn open;
    d2xx::CloseFn close;
    d2xx::SetDataCharacteristicsFn setDataCharacteristics;
    d2xx::SetBaudRateFn setBaudRate;
    d2xx::SetDivisorFn setDivisor;
    d2xx::WriteFn write;
    d2xx::ReadFn read;
    d2xx::GetQueueStatusFn getQueueStatus;
    d2xx::CreateDeviceInfoListFn createDeviceInfoList;
    d2xx::GetDeviceInfoListFn getDeviceInfoList;
    d2xx::GetDeviceInfoDetailFn getDeviceInfoDetail;
  };
  struct LibraryCloser {
    void operator()(void* library) const;
  };
  using Description = std::array<char, kDescriptionSize>;

  [[nodiscard]] std::optional<EntryPoints> Bind() const;
  static std::string Text(const Description& buffer);

  std::unique_ptr<void, LibraryCloser> library_;
  std::optional<EntryPoints> bound_;
  d2xx::SetLatencyTimerFn setLatencyTimer_ = nullptr;  // optional
  d2xx::Handle handle_ = nullptr;
};

}  // namespace zo::serial
