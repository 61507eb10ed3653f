#include "ParameterFile.h"

#include <algorithm>

namespace zo::files {

link::ImageArea ParameterFile::Encode(const link::ImageArea& working) {
  link::ImageArea file;
  file.fill(0xFF);
  std::copy_n(working.begin(), kKeptArea, file.begin());
  return file;
}

ParameterFileContent ParameterFile::Decode(std::span<const std::uint8_t> bytes,
                                           FileProblem readProblem) {
  ParameterFileContent content;
  content.bytes.fill(0xFF);
  content.length = std::min(bytes.size(), kSize);
  std::copy_n(bytes.begin(), content.length, content.bytes.begin());
  content.problem = readProblem;
  if (readProblem == FileProblem::Unreadable) {
    content.length = 0;
  } else if (content.length < kUsedLength) {
    content.problem = FileProblem::TooShort;
  } else if (content.length < kSize) {
    content.problem = FileProblem::Short;
  } else if (bytes.size() > kSize) {
    content.problem = FileProblem::Long;
  }
  return content;
}

void ParameterFile::LoadForController(const ParameterFileContent& file, link::ImageArea& working) {
  std::copy(file.bytes.begin() + kFirstWritten, file.bytes.begin() + kUsedLength,
            working.begin() + kFirstWritten);
}

void ParameterFile::LoadForViewing(const ParameterFileContent& file, link::ImageArea& working) {
  std::copy_n(file.bytes.begin(), kUsedLength, working.begin());
}

}  // namespace zo::files
