// The zip format through libzip, all in memory: an archive's bytes opened for
// the support package reader, and members packed into an archive's bytes,
// which the program then writes with its safe file writing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "supportpackage/IZipSource.h"
#include "supportpackage/SupportPackage.h"

struct zip;

namespace zo::supportpackage {

class LibZipArchive : public IZipSource {
 public:
  // Opens the archive the bytes hold, which must outlive this object;
  // Opened() is false when they are not a zip archive libzip can read.
  explicit LibZipArchive(std::span<const std::uint8_t> bytes);

  [[nodiscard]] bool Opened() const { return archive_ != nullptr; }
  [[nodiscard]] const std::vector<ZipEntry>& Entries() const override { return entries_; }
  std::optional<std::vector<std::uint8_t>> Read(std::size_t index, std::size_t limit) override;

  // The members as a compressed zip archive; nothing when libzip fails.
  static std::optional<std::vector<std::uint8_t>> Pack(std::span<const PackageMember> members);

 private:
  struct Discard {
    void operator()(zip* archive) const;
  };
  std::unique_ptr<zip, Discard> archive_;
  std::vector<ZipEntry> entries_;
};

}  // namespace zo::supportpackage
