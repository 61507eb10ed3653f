#include "serial/TMyFtdi.h"

#include <dlfcn.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <system_error>
#include <thread>

namespace zo::serial {

namespace {

constexpr const char* kLibraryName = "libftd2xx.so";
constexpr d2xx::Dword kControllerBaudRate = 4800;
constexpr int kDivisorClock = 3000000;

template <typename Fn>
bool Lookup(void* library, const char* name, Fn& entry) {
  void* symbol = ::dlsym(library, name);
  if (symbol == nullptr) return false;
  entry = reinterpret_cast<Fn>(symbol);
  return true;
}

int ToInt(d2xx::Dword value) {
  return static_cast<int>(std::min<d2xx::Dword>(value, INT_MAX));
}

}  // namespace

void TMyFtdi::LibraryCloser::operator()(void* library) const {
  ::dlclose(library);
}

std::vector<std::filesystem::path> TMyFtdi::DefaultLibraries() {
  std::vector<std::filesystem::path> libraries;
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) libraries.push_back(program.parent_path() / kLibraryName);
  libraries.emplace_back(kLibraryName);
  return libraries;
}

TMyFtdi::TMyFtdi(const std::vector<std::filesystem::path>& libraries) {
  for (const auto& path : libraries) {
    if (path.empty()) continue;  // an empty name would give the program itself
    library_.reset(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (library_) break;
  }
  // A library without all its entry points stays loaded, but unused.
  if (library_) bound_ = Bind();
  if (bound_) Lookup(library_.get(), "FT_SetLatencyTimer", setLatencyTimer_);
}

TMyFtdi::~TMyFtdi() {
  Close();
}

std::optional<TMyFtdi::EntryPoints> TMyFtdi::Bind() const {
  EntryPoints e{};
  void* lib = library_.get();
  if (Lookup(lib, "FT_ListDevices", e.listDevices) && Lookup(lib, "FT_Open", e.open) &&
      Lookup(lib, "FT_Close", e.close) &&
      Lookup(lib, "FT_SetDataCharacteristics", e.setDataCharacteristics) &&
      Lookup(lib, "FT_SetBaudRate", e.setBaudRate) && Lookup(lib, "FT_SetDivisor", e.setDivisor) &&
      Lookup(lib, "FT_Write", e.write) && Lookup(lib, "FT_Read", e.read) &&
      Lookup(lib, "FT_GetQueueStatus", e.getQueueStatus) &&
      Lookup(lib, "FT_CreateDeviceInfoList", e.createDeviceInfoList) &&
      Lookup(lib, "FT_GetDeviceInfoList", e.getDeviceInfoList) &&
      Lookup(lib, "FT_GetDeviceInfoDetail", e.getDeviceInfoDetail))
    return e;
  return std::nullopt;
}

std::string TMyFtdi::Text(const Description& buffer) {
  // The terminator is searched within the buffer only: a description that
  // fills it is cut rather than read past its end.
  return std::string(buffer.data(), ::strnlen(buffer.data(), buffer.size() - 1));
}

int TMyFtdi::NumDevices() {
  if (!bound_) return 0;
  d2xx::Dword count = 0;
  if (bound_->listDevices(&count, nullptr, d2xx::kListNumberOnly) != d2xx::kOk) return 0;
  return std::min(ToInt(count), kMaxDevices);
}

void TMyFtdi::CreateDeviceInfoList() {
  if (!bound_) return;
  d2xx::Dword count = 0;
  bound_->createDeviceInfoList(&count);
}

std::optional<std::string> TMyFtdi::ListDescription(int index) {
  if (!bound_ || index < 0) return std::nullopt;
  Description buffer{};
  // By index, the first argument carries the index itself.
  void* byIndex = reinterpret_cast<void*>(static_cast<std::uintptr_t>(index));
  if (bound_->listDevices(byIndex, buffer.data(), d2xx::kListByIndex | d2xx::kOpenByDescription) !=
      d2xx::kOk)
    return std::nullopt;
  return Text(buffer);
}

std::string TMyFtdi::DetailDescription(int index) {
  if (!bound_ || index < 0) return {};
  Description buffer{};
  bound_->getDeviceInfoDetail(static_cast<d2xx::Dword>(index), nullptr, nullptr, nullptr, nullptr,
                              nullptr, buffer.data(), nullptr);
  return Text(buffer);
}

bool TMyFtdi::Open(int index) {
  if (!bound_ || index < 0) return false;
  Close();
  d2xx::Handle handle = nullptr;
  if (bound_->open(index, &handle) != d2xx::kOk || handle == nullptr) return false;
  handle_ = handle;
  // Replies held for the adapter's 16 ms would add up to seconds in a full
  // read: the least the chip allows. A library or chip that refuses leaves
  // the adapter as it is.
  if (setLatencyTimer_ != nullptr && setLatencyTimer_(handle_, d2xx::kLeastLatency) != d2xx::kOk)
    setLatencyTimer_(handle_, d2xx::kLeastLatencyOfOldChips);
  return true;
}

void TMyFtdi::SetControllerLine() {
  // After a failed open there is no device: the library is not handed a
  // handle it never gave out, or one already closed.
  if (!bound_ || handle_ == nullptr) return;
  bound_->setDataCharacteristics(handle_, d2xx::kBits8, d2xx::kStopBits1, d2xx::kParityNone);
  bound_->setBaudRate(handle_, kControllerBaudRate);
}

void TMyFtdi::Close() {
  if (!bound_ || handle_ == nullptr) return;
  bound_->close(handle_);
  handle_ = nullptr;
}

bool TMyFtdi::DeviceGone() {
  if (!bound_ || handle_ == nullptr) return false;
  d2xx::Dword waiting = 0;
  return bound_->getQueueStatus(handle_, &waiting) != d2xx::kOk;
}

bool TMyFtdi::SetNonStandardBaudRate(int rate) {
  if (!bound_ || handle_ == nullptr || rate <= 0) return false;
  const int divisor = kDivisorClock / rate;
  if (divisor < 1 || divisor > UINT16_MAX) return false;
  return bound_->setDivisor(handle_, static_cast<std::uint16_t>(divisor)) == d2xx::kOk;
}

std::vector<d2xx::DeviceListInfoNode> TMyFtdi::GetDeviceInfoList() {
  if (!bound_) return {};
  d2xx::Dword count = 0;
  if (bound_->createDeviceInfoList(&count) != d2xx::kOk) return {};
  std::vector<d2xx::DeviceListInfoNode> nodes(
      static_cast<std::size_t>(std::min(ToInt(count), kMaxDevices)));
  if (nodes.empty()) return nodes;
  // The library fills as many nodes as it was told there is room for.
  count = static_cast<d2xx::Dword>(nodes.size());
  if (bound_->getDeviceInfoList(nodes.data(), &count) != d2xx::kOk) return {};
  nodes.resize(std::min(nodes.size(), static_cast<std::size_t>(count)));
  return nodes;
}

int TMyFtdi::InQueCount() {
  if (!bound_ || handle_ == nullptr) return -1;
  d2xx::Dword waiting = 0;
  if (bound_->getQueueStatus(handle_, &waiting) != d2xx::kOk) return -1;
  return ToInt(waiting);
}

int TMyFtdi::ReadAvailable(std::span<std::uint8_t> buffer) {
  const int waiting = InQueCount();
  if (waiting <= 0 || buffer.empty()) return 0;
  // The driver's read waits until it has all it was asked for: ask only for
  // what is there already.
  const auto want = static_cast<d2xx::Dword>(
      std::min<std::size_t>(buffer.size(), static_cast<std::size_t>(waiting)));
  d2xx::Dword got = 0;
  if (bound_->read(handle_, buffer.data(), want, &got) != d2xx::kOk) return 0;
  return ToInt(std::min(got, want));
}

int TMyFtdi::Write(std::span<const std::uint8_t> data) {
  if (!bound_ || handle_ == nullptr) return -1;
  // The driver's signature takes a mutable buffer; it only reads from it.
  void* bytes = const_cast<std::uint8_t*>(data.data());
  const auto count = static_cast<d2xx::Dword>(std::min<std::size_t>(data.size(), INT_MAX));
  d2xx::Dword written = 0;
  if (bound_->write(handle_, bytes, count, &written) != d2xx::kOk) return -1;
  return ToInt(std::min(written, count));
}

bool TMyFtdi::WaitForInput(int count, std::chrono::microseconds timeout) {
  if (InQueCount() < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (InQueCount() < count) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        std::chrono::milliseconds(1), deadline - now));
  }
  return true;
}

}  // namespace zo::serial
