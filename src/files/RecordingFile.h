// The recording file: 57 856 raw bytes, the 256-byte parameter block of the
// working copy and then the 3600 samples of the history, oldest first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "FileProblem.h"
#include "link/LinkTypes.h"
#include "link/SampleHistory.h"

namespace zo::files {

struct RecordingContent {
  std::vector<std::uint8_t> bytes;  // what the file held, at most 57 856 bytes
  FileProblem problem = FileProblem::None;
};

class RecordingFile {
 public:
  static constexpr std::size_t kParameterBlock = 256;
  static constexpr std::size_t kHistoryBytes =
      static_cast<std::size_t>(link::kHistoryLength) * link::kSampleSize;
  static constexpr std::size_t kSize = kParameterBlock + kHistoryBytes;

  // The slot saved first on request: the one after the write index, so the
  // slot being filled comes last.
  static int OldestSlot(const link::SampleHistory& history);
  // The file with the history taken from `firstSlot` on around the ring.
  static std::vector<std::uint8_t> Encode(const link::ImageArea& working,
                                          const link::SampleHistory& history, int firstSlot);
  static RecordingContent Decode(std::span<const std::uint8_t> bytes,
                                 FileProblem readProblem = FileProblem::None);
  // Fills the parameter block and the history slots 0..3599 in file order as
  // far as the file goes; the rest and the write index stay as they were.
  static void Load(const RecordingContent& file, link::ImageArea& working,
                   link::SampleHistory& history);
};

}  // namespace zo::files
