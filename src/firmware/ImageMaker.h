// Makes the bytes of an image file from a raw program: the description, the
// header with the model, the version, the release date and the keys of the
// image chain, all scrambled as the upload expects to find them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zo::firmware {

struct ImageDetails {
  std::uint8_t model = 0;
  std::uint8_t version = 0;  // hundredths: 179 is V1.79
  int year = 2000;
  int month = 1;
  int day = 1;
  std::string description;  // at most 127 bytes are kept
  std::uint8_t keyA = 0x5D;
  std::uint8_t keyB = 0x21;
};

class ImageMaker {
 public:
  // The whole file. The program is padded with 0xFF to an even length;
  // empty when it is longer than 16 384 bytes.
  static std::vector<std::uint8_t> Make(std::span<const std::uint8_t> program,
                                        const ImageDetails& details);
};

}  // namespace zo::firmware
