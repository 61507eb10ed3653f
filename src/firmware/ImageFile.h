// A firmware image file (.img): 128 unused bytes, a 128-byte description, a
// 32-byte scrambled header and up to 16 384 scrambled image bytes. Reading
// opens the file read-only; bytes past its end read as zero. The header
// names the target model, the version, the release date and the keys of the
// image chain.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zo::firmware {

inline constexpr std::size_t kUnusedSize = 128;
inline constexpr std::size_t kDescriptionSize = 128;
inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kImageOffset = kUnusedSize + kDescriptionSize + kHeaderSize;
inline constexpr std::size_t kMaxImageSize = 16384;
// Image bytes read along with the header when a folder is listed.
inline constexpr std::size_t kListedImageBytes = 128;

using Header = std::array<std::uint8_t, kHeaderSize>;

// Positions of the descrambled header's fields.
struct HeaderField {
  static constexpr std::size_t kKeyA = 0;
  static constexpr std::size_t kKeyB = 1;
  static constexpr std::size_t kWordsHigh = 2;
  static constexpr std::size_t kWordsLow = 3;
  static constexpr std::size_t kModel = 16;
  static constexpr std::size_t kVersion = 17;
  static constexpr std::size_t kYearHigh = 21;
  static constexpr std::size_t kYearLow = 22;
  static constexpr std::size_t kMonth = 23;
  static constexpr std::size_t kDay = 24;
};

class ImageFile {
 public:
  // Reads the description, the header and either the first 128 image bytes
  // (`wholeImage` false, for the list) or all of them, and descrambles the
  // header, and with `wholeImage` the image when its declared length fits.
  // nullopt when the file cannot be opened for reading or is not a regular
  // file.
  static std::optional<ImageFile> Read(const std::filesystem::path& path, bool wholeImage);
  // The same from the file's bytes in memory; bytes past the end of `bytes`
  // read as zero, bytes past the part `wholeImage` asks for are ignored.
  static ImageFile Parse(std::span<const std::uint8_t> bytes, bool wholeImage);

  // The scrambling as the file holds it, and its inverse. `image` needs at
  // least 3 bytes (the swaps reach into it); the image chain covers the
  // declared length, at most image.size().
  static void DescrambleHeader(Header& header, std::span<std::uint8_t> image);
  static void DescrambleImage(const Header& header, std::span<std::uint8_t> image);
  static void Scramble(Header& header, std::span<std::uint8_t> image);

  // Whether an image for model `fileModel`, version `fileVersion` suits a
  // controller of model `controllerModel`.
  static bool Compatible(std::uint8_t fileModel, std::uint8_t fileVersion,
                         std::uint8_t controllerModel);

  // " V1.79   2007.05.03": the version and the release date, as listed.
  [[nodiscard]] std::string VersionLine() const;

  [[nodiscard]] std::uint8_t Model() const { return header_[HeaderField::kModel]; }
  [[nodiscard]] std::uint8_t Version() const { return header_[HeaderField::kVersion]; }
  // The image length the header declares, in bytes (twice the word count).
  [[nodiscard]] std::size_t DeclaredLength() const;
  [[nodiscard]] bool LengthFits() const { return DeclaredLength() <= kMaxImageSize; }
  // Whether the file holds its header, the image bytes the header declares
  // and at least the first three, which the header's scrambling reaches
  // into; after a whole read only. The bytes a shorter file lacks would read
  // as zero and reach the flash as garbage once descrambled.
  [[nodiscard]] bool Complete() const;
  [[nodiscard]] const std::string& Description() const { return description_; }
  [[nodiscard]] const Header& HeaderBytes() const { return header_; }
  // 16 384 bytes, zero past the file's end; descrambled after a whole read.
  [[nodiscard]] std::span<const std::uint8_t> Image() const { return image_; }

 private:
  std::string description_;
  Header header_{};
  std::vector<std::uint8_t> image_ = std::vector<std::uint8_t>(kMaxImageSize, 0);
  std::size_t held_ = 0;  // bytes the file held, of those read
};

}  // namespace zo::firmware
