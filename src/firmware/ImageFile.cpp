#include "ImageFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>

#include "FirmwareKeys.h"

namespace zo::firmware {

namespace {

// The swaps between the header and the first image bytes; each position
// appears once, so the same swaps undo themselves.
void Swap(Header& h, std::span<std::uint8_t> m) {
  std::swap(h[0], h[30]);
  std::swap(h[1], h[14]);
  std::swap(m[0], h[13]);
  std::swap(m[1], h[10]);
  std::swap(m[2], h[15]);
}

std::size_t ChainLength(const Header& h, std::size_t available) {
  const std::size_t words =
      static_cast<std::size_t>(h[HeaderField::kWordsHigh]) << 8 | h[HeaderField::kWordsLow];
  return std::min(words * 2, available);
}

// Copies what `bytes` holds from `from` on into `out`; what it lacks stays
// as it was (zero).
void CopyFrom(std::span<const std::uint8_t> bytes, std::size_t from, std::span<std::uint8_t> out) {
  if (from >= bytes.size()) return;
  const auto part = bytes.subspan(from, std::min(out.size(), bytes.size() - from));
  std::copy(part.begin(), part.end(), out.begin());
}

}  // namespace

std::optional<ImageFile> ImageFile::Read(const std::filesystem::path& path, bool wholeImage) {
  // Only a regular file: a pipe named *.img would keep the listing waiting
  // for a writer. Read-only: an image the user may only read is still good.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::vector<std::uint8_t> bytes(kImageOffset + (wholeImage ? kMaxImageSize : kListedImageBytes));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return Parse(bytes, wholeImage);
}

ImageFile ImageFile::Parse(std::span<const std::uint8_t> bytes, bool wholeImage) {
  ImageFile file;
  std::array<std::uint8_t, kDescriptionSize> text{};
  CopyFrom(bytes, kUnusedSize, text);
  CopyFrom(bytes, kUnusedSize + kDescriptionSize, file.header_);
  const std::size_t imageBytes = wholeImage ? kMaxImageSize : kListedImageBytes;
  CopyFrom(bytes, kImageOffset, std::span(file.image_).first(imageBytes));
  file.held_ = std::min(bytes.size(), kImageOffset + imageBytes);

  const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
  file.description_.assign(text.begin(), end);
  DescrambleHeader(file.header_, file.image_);
  if (wholeImage && file.LengthFits()) DescrambleImage(file.header_, file.image_);
  return file;
}

void ImageFile::DescrambleHeader(Header& h, std::span<std::uint8_t> m) {
  Swap(h, m);
  std::uint8_t k = kHeaderStart;
  for (std::uint8_t& byte : h) {
    byte = static_cast<std::uint8_t>(byte ^ k);
    k = byte;
  }
}

void ImageFile::DescrambleImage(const Header& h, std::span<std::uint8_t> m) {
  std::uint8_t a = h[HeaderField::kKeyA];
  const unsigned b = h[HeaderField::kKeyB];
  const std::size_t n = ChainLength(h, m.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto t = static_cast<std::uint8_t>(m[i] ^ a);
    a = t;
    m[i] = static_cast<std::uint8_t>(t ^ ((i + b) & 0xFFu));
  }
}

void ImageFile::Scramble(Header& h, std::span<std::uint8_t> m) {
  // The image chain backwards: the chain value is the byte before the
  // position mask was taken off.
  std::uint8_t a = h[HeaderField::kKeyA];
  const unsigned b = h[HeaderField::kKeyB];
  const std::size_t n = ChainLength(h, m.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto t = static_cast<std::uint8_t>(m[i] ^ ((i + b) & 0xFFu));
    m[i] = static_cast<std::uint8_t>(t ^ a);
    a = t;
  }
  // The header chain backwards: each byte is masked with the plain byte before it.
  std::uint8_t k = kHeaderStart;
  for (std::uint8_t& byte : h) {
    const std::uint8_t plain = byte;
    byte = static_cast<std::uint8_t>(plain ^ k);
    k = plain;
  }
  Swap(h, m);
}

bool ImageFile::Compatible(std::uint8_t f, std::uint8_t v, std::uint8_t m) {
  if (f == m) return true;
  if ((m == 50 || m == 100) && f == 150) return true;
  if (m == 150 && f == 151 && v >= 177) return true;
  if ((m == 51 || m == 101) && f == 151) return true;
  if ((m == 52 || m == 102) && f == 152) return true;
  return (m == 53 || m == 103) && f == 153;
}

std::string ImageFile::VersionLine() const {
  const int version = Version();
  const int year = header_[HeaderField::kYearHigh] << 8 | header_[HeaderField::kYearLow];
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), " V%d.%02d   %d.%02d.%02d", version / 100, version % 100,
                year, header_[HeaderField::kMonth], header_[HeaderField::kDay]);
  return text.data();
}

bool ImageFile::Complete() const {
  // The swaps reach image bytes 0..2 even of an empty image.
  constexpr std::size_t kSwappedBytes = 3;
  return held_ >= kImageOffset + std::max(DeclaredLength(), kSwappedBytes);
}

std::size_t ImageFile::DeclaredLength() const {
  return (static_cast<std::size_t>(header_[HeaderField::kWordsHigh]) << 8 |
          header_[HeaderField::kWordsLow]) *
         2;
}

}  // namespace zo::firmware
