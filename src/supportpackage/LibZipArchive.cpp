#include "supportpackage/LibZipArchive.h"

#include <zip.h>

#include <array>
#include <cstdio>

namespace zo::supportpackage {

namespace {

// A source closes itself once its last user lets go.
struct SourceDone {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceDone>;

struct FileDone {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The bytes a written in-memory source holds.
std::optional<std::vector<std::uint8_t>> SourceBytes(zip_source_t* source) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) return std::nullopt;
  if (zip_source_open(source) != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(stat.size);
  const zip_int64_t got = zip_source_read(source, bytes.data(), bytes.size());
  zip_source_close(source);
  if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size) return std::nullopt;
  return bytes;
}

}  // namespace

void LibZipArchive::Discard::operator()(zip* archive) const {
  zip_discard(archive);
}

LibZipArchive::LibZipArchive(std::span<const std::uint8_t> bytes) {
  // libzip takes an empty file for an empty archive; it is no package.
  if (bytes.empty()) return;
  zip_error_t error;
  zip_error_init(&error);
  Source source(zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error));
  zip_error_fini(&error);
  if (!source) return;
  zip_error_init(&error);
  archive_.reset(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  zip_error_fini(&error);
  if (!archive_) return;
  static_cast<void>(source.release());  // the archive owns it now
  const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_NAME) == 0) {
      archive_.reset();
      entries_.clear();
      return;
    }
    entries_.push_back({stat.name, (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0});
  }
}

std::optional<std::vector<std::uint8_t>> LibZipArchive::Read(std::size_t index, std::size_t limit) {
  if (!archive_ || index >= entries_.size()) return std::nullopt;
  std::unique_ptr<zip_file_t, FileDone> file(zip_fopen_index(archive_.get(), index, 0));
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  std::array<std::uint8_t, 65536> chunk{};
  for (;;) {
    const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
    if (got < 0) return std::nullopt;  // damaged: bad data or check sum
    if (got == 0) return bytes;
    if (bytes.size() + static_cast<std::size_t>(got) > limit) return std::nullopt;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
}

std::optional<std::vector<std::uint8_t>> LibZipArchive::Pack(
    std::span<const PackageMember> members) {
  zip_error_t error;
  zip_error_init(&error);
  Source source(zip_source_buffer_create(nullptr, 0, 0, &error));
  zip_error_fini(&error);
  if (!source) return std::nullopt;
  zip_source_keep(source.get());  // read back once the archive is closed
  zip_error_init(&error);
  zip_t* archive = zip_open_from_source(source.get(), ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  if (archive == nullptr) {
    zip_source_free(source.get());  // the reference the archive would have taken
    return std::nullopt;
  }
  for (const PackageMember& member : members) {
    zip_source_t* data = zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
    if (data == nullptr ||
        zip_file_add(archive, member.name.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
      if (data != nullptr) zip_source_free(data);
      zip_discard(archive);
      return std::nullopt;
    }
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    return std::nullopt;
  }
  return SourceBytes(source.get());
}

}  // namespace zo::supportpackage
