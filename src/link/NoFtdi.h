// The FTDI binding while the driver library is absent: no adapters.
#pragma once

#include "IFtdiPorts.h"

namespace zo::link {

class NoFtdi : public IFtdiPorts {
 public:
  [[nodiscard]] bool Loaded() const override { return false; }
  int NumDevices() override { return 0; }
  void CreateDeviceInfoList() override {}
  std::optional<std::string> ListDescription(int) override { return std::nullopt; }
  std::string DetailDescription(int) override { return {}; }
  bool Open(int) override { return false; }
  void SetControllerLine() override {}
  [[nodiscard]] bool HasHandle() const override { return false; }
  void Close() override {}
};

}  // namespace zo::link
