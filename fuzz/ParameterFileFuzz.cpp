// Feeds arbitrary bytes to the parameter file reader as a whole .zop file,
// then loads them both ways the user can answer, shows them as a controller
// (caption, pages, parameter grid, signal list) and compares them with a
// controller. The problem reported must follow the length, and the bytes a
// file gives must come back the same through the writer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "FakeTexts.h"
#include "FuzzCheck.h"
#include "files/ParameterComparison.h"
#include "files/ParameterFile.h"
#include "model/ControllerModel.h"
#include "model/LiveSignals.h"
#include "model/ParameterGrid.h"

namespace {

using zo::files::FileProblem;
using zo::files::ParameterFile;
using zo::fuzz::Check;

FileProblem ExpectedProblem(std::size_t size) {
  if (size < ParameterFile::kUsedLength) return FileProblem::TooShort;
  if (size < ParameterFile::kSize) return FileProblem::Short;
  return size > ParameterFile::kSize ? FileProblem::Long : FileProblem::None;
}

// A controller with bytes of its own, so that loading shows what it changed.
zo::link::ImageArea Controller() {
  zo::link::ImageArea image{};
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(i * 7 + 1);
  image[0] = 150;
  image[1] = 179;
  return image;
}

void ShowAsController(const zo::link::ImageArea& image, const zo::model::ITextSource& texts) {
  using zo::link::ConnectionState;
  using zo::model::ControllerModel;
  (void)ControllerModel::Identify(image);
  (void)ControllerModel::Caption(ConnectionState::FileShown, image, texts, "file.zop");
  (void)ControllerModel::Pages(ConnectionState::FileShown, image, false);
  const auto grid = zo::model::ParameterGrid::Build(image, texts);
  for (const auto& row : grid.Rows())
    Check(row.byte >= -1 && row.byte < static_cast<int>(image.size()), "grid row byte in image");
  for (const bool service : {false, true})
    (void)zo::model::LiveSignals::Listed(image, service, zo::link::Page::Parameters);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto file = ParameterFile::Decode(bytes);
  Check(file.problem == ExpectedProblem(size), "problem follows the length");
  Check(file.length == std::min(size, ParameterFile::kSize), "length kept");
  if (file.problem == FileProblem::TooShort) return 0;  // refused as erroneous data

  const zo::model::test::FakeTexts texts;
  const zo::link::ImageArea controller = Controller();

  // "No": file bytes 0..167 shown as a controller; saved and read again they
  // are the same.
  zo::link::ImageArea shown = controller;
  ParameterFile::LoadForViewing(file, shown);
  Check(std::equal(bytes.begin(), bytes.begin() + ParameterFile::kUsedLength, shown.begin()),
        "viewing takes bytes 0..167");
  const auto saved = ParameterFile::Encode(shown);
  const auto again = ParameterFile::Decode(saved);
  Check(again.problem == FileProblem::None, "a saved file reads without a problem");
  Check(std::equal(bytes.begin(), bytes.begin() + ParameterFile::kUsedLength, again.bytes.begin()),
        "saved bytes read back");
  ShowAsController(shown, texts);

  // "Yes": model, bitmap, dates and counters stay the controller's.
  zo::link::ImageArea loaded = controller;
  ParameterFile::LoadForController(file, loaded);
  Check(std::equal(controller.begin(), controller.begin() + ParameterFile::kFirstWritten,
                   loaded.begin()),
        "the first 16 bytes stay the controller's");
  Check(std::equal(controller.begin() + ParameterFile::kUsedLength, controller.end(),
                   loaded.begin() + ParameterFile::kUsedLength),
        "bytes past 167 stay the controller's");
  ShowAsController(loaded, texts);

  for (const auto& row : zo::files::ParameterComparison::Compare(file, controller, texts))
    Check(row.fileValue != row.controllerValue, "compared rows differ");
  return 0;
}
