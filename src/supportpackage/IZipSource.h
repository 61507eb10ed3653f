// A zip archive as the support package reader sees it: its entries' names
// and declared sizes, and each entry's bytes read up to a limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zo::supportpackage {

struct ZipEntry {
  std::string name;
  std::uint64_t size = 0;  // as the archive declares it
};

class IZipSource {
 public:
  virtual ~IZipSource() = default;
  [[nodiscard]] virtual const std::vector<ZipEntry>& Entries() const = 0;
  // The entry's bytes; nothing when it cannot be read whole: damaged, or
  // holding more than `limit` bytes whatever its declared size says.
  virtual std::optional<std::vector<std::uint8_t>> Read(std::size_t index, std::size_t limit) = 0;
};

}  // namespace zo::supportpackage
