// Image files for the firmware tests, written into a temporary folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "firmware/ImageMaker.h"

namespace zo::test {

inline void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void WriteImage(const std::filesystem::path& path, std::span<const std::uint8_t> program,
                       std::uint8_t model, std::uint8_t version, std::string description = "") {
  firmware::ImageDetails details;
  details.model = model;
  details.version = version;
  details.year = 2007;
  details.month = 5;
  details.day = 3;
  details.description = std::move(description);
  WriteBytes(path, firmware::ImageMaker::Make(program, details));
}

}  // namespace zo::test
