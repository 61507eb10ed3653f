// The parameter file: 512 raw bytes, the working copy's area as held in
// memory (image bytes 0..183, bytes 184..255 as last loaded from a
// recording, the rest 255). Only file bytes 0..167 are ever taken from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "FileProblem.h"
#include "link/ImageMap.h"
#include "link/LinkTypes.h"

namespace zo::files {

struct ParameterFileContent {
  link::ImageArea bytes{};  // the file's bytes, 255 past its end
  std::size_t length = 0;   // bytes the file held, at most 512
  FileProblem problem = FileProblem::None;
};

class ParameterFile {
 public:
  static constexpr std::size_t kSize = 512;
  // Bytes 0..167, all before the dates, are used, so a shorter file is
  // refused as erroneous data.
  static constexpr std::size_t kUsedLength = link::ImageMap::kInstallationDate;
  static constexpr std::size_t kFirstWritten = 16;  // the Yes answer keeps model and bitmap
  static constexpr std::size_t kKeptArea = 256;     // the working area a recording fills

  static link::ImageArea Encode(const link::ImageArea& working);
  // What the file holds; a read problem (Unreadable, Long) is passed through.
  static ParameterFileContent Decode(std::span<const std::uint8_t> bytes,
                                     FileProblem readProblem = FileProblem::None);

  // "Yes": file bytes 16..167 into the working copy, to be written by the
  // scheduler; model, bitmap, dates and counters stay the controller's.
  static void LoadForController(const ParameterFileContent& file, link::ImageArea& working);
  // "No": file bytes 0..167 into the working copy, shown as a controller.
  static void LoadForViewing(const ParameterFileContent& file, link::ImageArea& working);
};

}  // namespace zo::files
