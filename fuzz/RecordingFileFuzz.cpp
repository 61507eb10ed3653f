// Feeds arbitrary bytes to the recording file reader as a whole .zov file and
// loads it as the program opens a recording: into the parameter image and
// the history, shown in the grid and the signal list and exported as CSV.
// The bytes a file gives must come back the same through the writer, and
// the problem reported must follow the length.
//
// A whole recording is 57 856 bytes, far more than a fuzz input should be:
// the first input byte chooses whether the rest is the file as it is or is
// repeated to a full file, one a little longer or one a little shorter.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "FakeTexts.h"
#include "FuzzCheck.h"
#include "files/RecordingCsv.h"
#include "files/RecordingFile.h"
#include "model/LiveSignals.h"
#include "model/ParameterGrid.h"

namespace {

using zo::files::FileProblem;
using zo::files::RecordingFile;
using zo::fuzz::Check;

std::vector<std::uint8_t> FileBytes(std::span<const std::uint8_t> input) {
  const std::size_t mode = input[0] % 4;
  const std::size_t change = 1 + input[0] / 4u;
  const auto rest = input.subspan(1);
  if (mode == 0 || rest.empty()) return {rest.begin(), rest.end()};
  const std::size_t size = mode == 1   ? RecordingFile::kSize
                           : mode == 2 ? RecordingFile::kSize + change
                                       : RecordingFile::kSize - change;
  // Whole copies, since a byte at a time is slow in the fuzz build.
  std::vector<std::uint8_t> file(size);
  for (std::size_t at = 0; at < size; at += rest.size())
    std::memcpy(file.data() + at, rest.data(), std::min(rest.size(), size - at));
  return file;
}

bool SameStart(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b, std::size_t n) {
  return a.size() >= n && b.size() >= n && std::memcmp(a.data(), b.data(), n) == 0;
}

FileProblem ExpectedProblem(std::size_t size) {
  if (size < RecordingFile::kSize) return FileProblem::Short;
  return size > RecordingFile::kSize ? FileProblem::Long : FileProblem::None;
}

// What the user sees of the loaded recording.
void Show(const zo::link::ImageArea& image, const zo::link::SampleHistory& history,
          std::size_t samples) {
  using zo::model::LiveSignals;
  const zo::model::test::FakeTexts texts;
  (void)zo::model::ParameterGrid::Build(image, texts);
  const auto kinds = LiveSignals::Listed(image, true, zo::link::Page::Parameters);
  // The export and the signal list of the file's own samples (the whole
  // export of 3600 samples would make the target too slow to be useful).
  const std::uint8_t sensorType = image[104];
  for (const auto kind : kinds)
    (void)zo::files::RecordingCsv::Column(kind, texts);
  for (std::size_t s = 0; s < std::min<std::size_t>(samples, 64); ++s) {
    const auto& sample = history.At(static_cast<int>(s));
    for (const auto kind : kinds) {
      const auto raw = sample[static_cast<std::size_t>(LiveSignals::SampleByte(kind))];
      (void)zo::files::RecordingCsv::Value(kind, raw, sensorType);
      (void)LiveSignals::Text(kind, raw, sensorType, texts);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<std::uint8_t> file = FileBytes(std::span(data, size));
  const auto content = RecordingFile::Decode(file);
  const std::size_t kept = std::min(file.size(), RecordingFile::kSize);
  Check(content.problem == ExpectedProblem(file.size()), "problem follows the length");
  Check(content.bytes.size() == kept && SameStart(file, content.bytes, kept),
        "bytes kept up to the format's size");

  // Loaded over an image and a history of their own: what the file lacks stays.
  zo::link::ImageArea image;
  image.fill(0xA5);
  zo::link::SampleHistory history;
  history.Current().fill(0x5A);
  history.SetWriteIndex(zo::link::kHistoryLength - 1);
  history.Current().fill(0x3C);
  const zo::link::ImageArea imageBefore = image;
  RecordingFile::Load(content, image, history);
  const std::size_t block = std::min(kept, RecordingFile::kParameterBlock);
  Check(std::equal(image.begin() + static_cast<std::ptrdiff_t>(block), image.end(),
                   imageBefore.begin() + static_cast<std::ptrdiff_t>(block)),
        "the image past the parameter block stays");
  Check(history.WriteIndex() == zo::link::kHistoryLength - 1, "the write index stays");

  // Saved from slot 0 on, the file's bytes come back first.
  const auto saved = RecordingFile::Encode(image, history, 0);
  Check(saved.size() == RecordingFile::kSize, "a saved recording is whole");
  Check(SameStart(file, saved, kept), "the file's bytes come back");

  const std::size_t samples =
      kept > RecordingFile::kParameterBlock
          ? (kept - RecordingFile::kParameterBlock + zo::link::kSampleSize - 1) /
                zo::link::kSampleSize
          : 0;
  Show(image, history, samples);
  return 0;
}
