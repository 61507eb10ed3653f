#include "RecordingFile.h"

#include <algorithm>

namespace zo::files {

int RecordingFile::OldestSlot(const link::SampleHistory& history) {
  return (history.WriteIndex() + 1) % link::kHistoryLength;
}

std::vector<std::uint8_t> RecordingFile::Encode(const link::ImageArea& working,
                                                const link::SampleHistory& history, int firstSlot) {
  std::vector<std::uint8_t> file(kSize);
  auto out = std::copy_n(working.begin(), kParameterBlock, file.begin());
  for (int i = 0; i < link::kHistoryLength; ++i) {
    const link::HistorySample& sample = history.At((firstSlot + i) % link::kHistoryLength);
    out = std::copy(sample.begin(), sample.end(), out);
  }
  return file;
}

RecordingContent RecordingFile::Decode(std::span<const std::uint8_t> bytes,
                                       FileProblem readProblem) {
  RecordingContent content;
  const std::size_t length = std::min(bytes.size(), kSize);
  content.bytes.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
  content.problem = readProblem;
  if (readProblem == FileProblem::Unreadable) {
    content.bytes.clear();
  } else if (length < kSize) {
    content.problem = FileProblem::Short;
  } else if (bytes.size() > kSize) {
    content.problem = FileProblem::Long;
  }
  return content;
}

void RecordingFile::Load(const RecordingContent& file, link::ImageArea& working,
                         link::SampleHistory& history) {
  const std::span<const std::uint8_t> bytes(file.bytes);
  const std::size_t block = std::min(bytes.size(), kParameterBlock);
  std::copy_n(bytes.begin(), block, working.begin());
  const auto samples = bytes.subspan(block);
  for (std::size_t at = 0; at < samples.size(); at += link::kSampleSize) {
    const auto part =
        samples.subspan(at, std::min<std::size_t>(link::kSampleSize, samples.size() - at));
    link::HistorySample& slot = history.At(static_cast<int>(at / link::kSampleSize));
    std::copy(part.begin(), part.end(), slot.begin());
  }
}

}  // namespace zo::files
