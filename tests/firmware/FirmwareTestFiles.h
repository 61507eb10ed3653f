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
  firmware::ImageSpec spec;
  spec.model = model;
  spec.version = version;
  spec.year = 2007;
  spec.month = 5;
  spec.day = 3;
  spec.description = std::move(description);
  WriteBytes(path, firmware::ImageMaker::Make(program, spec));
}

}  // namespace zo::test
