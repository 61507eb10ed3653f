// Feeds arbitrary bytes to the firmware image reader as a whole .img file,
// read as the Upgrade page lists it and as the upload reads it. Both see the
// same description and header, and scrambling what the upload read gives
// back the file's header and image bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "firmware/ImageFile.h"

namespace {

using namespace zo::firmware;
using zo::fuzz::Check;

// File bytes from `from` on, `count` of them, zero past the file's end.
std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> file, std::size_t from,
                                std::size_t count) {
  std::vector<std::uint8_t> out(count, 0);
  if (from < file.size())
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(from),
                std::min(count, file.size() - from), out.begin());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  const ImageFile listed = ImageFile::Parse(file, false);
  const ImageFile whole = ImageFile::Parse(file, true);
  Check(listed.HeaderBytes() == whole.HeaderBytes(), "listing and upload see one header");
  Check(listed.Description() == whole.Description(), "listing and upload see one description");
  Check(whole.Description().size() <= kDescriptionSize, "the description stays in its field");
  Check(whole.Description().find('\0') == std::string::npos, "the description ends at a zero");
  Check(whole.Image().size() == kMaxImageSize, "the image buffer is whole");
  const std::string line = listed.VersionLine();
  Check(line.starts_with(" V") && line.size() <= 22, "the version line");

  if (!whole.LengthFits()) return 0;  // refused by the upload, never descrambled
  Check(
      whole.Complete() == (size >= kImageOffset + std::max<std::size_t>(whole.DeclaredLength(), 3)),
      "an image is complete when the file holds every byte declared");
  Header header = whole.HeaderBytes();
  std::vector<std::uint8_t> image(whole.Image().begin(), whole.Image().end());
  ImageFile::Scramble(header, image);
  const auto rawHeader = Bytes(file, kUnusedSize + kDescriptionSize, kHeaderSize);
  const auto rawImage = Bytes(file, kImageOffset, kMaxImageSize);
  Check(std::equal(header.begin(), header.end(), rawHeader.begin()), "the header scrambles back");
  Check(image == rawImage, "the image scrambles back");
  return 0;
}
