#include "ImageMaker.h"

#include <algorithm>

#include "ImageFile.h"

namespace zo::firmware {

std::vector<std::uint8_t> ImageMaker::Make(std::span<const std::uint8_t> program,
                                           const ImageDetails& details) {
  if (program.size() > kMaxImageSize) return {};
  const std::size_t length = (program.size() + 1) / 2 * 2;
  // The image chain and the swaps reach the first three bytes even of an
  // empty program.
  std::vector<std::uint8_t> image(std::max<std::size_t>(length, 3), 0xFF);
  std::copy(program.begin(), program.end(), image.begin());

  Header h{};
  h[HeaderField::kKeyA] = details.keyA;
  h[HeaderField::kKeyB] = details.keyB;
  h[HeaderField::kWordsHigh] = static_cast<std::uint8_t>((length / 2) >> 8);
  h[HeaderField::kWordsLow] = static_cast<std::uint8_t>((length / 2) & 0xFFu);
  h[HeaderField::kModel] = details.model;
  h[HeaderField::kVersion] = details.version;
  h[HeaderField::kYearHigh] = static_cast<std::uint8_t>((details.year >> 8) & 0xFF);
  h[HeaderField::kYearLow] = static_cast<std::uint8_t>(details.year & 0xFF);
  h[HeaderField::kMonth] = static_cast<std::uint8_t>(details.month);
  h[HeaderField::kDay] = static_cast<std::uint8_t>(details.day);
  ImageFile::Scramble(h, image);

  // Fewer than three program bytes: the swapped-in header bytes still need a place.
  std::vector<std::uint8_t> file(kImageOffset + image.size(), 0);
  if (image.size() > length && length >= 3) file.resize(kImageOffset + length);
  const std::size_t textLength = std::min(details.description.size(), kDescriptionSize - 1);
  std::copy_n(details.description.begin(), textLength, file.begin() + kUnusedSize);
  std::copy(h.begin(), h.end(), file.begin() + kUnusedSize + kDescriptionSize);
  std::copy_n(image.begin(), file.size() - kImageOffset, file.begin() + kImageOffset);
  return file;
}

}  // namespace zo::firmware
