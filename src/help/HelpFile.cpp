#include "help/HelpFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "help/RtfText.h"
#include "platform/DataFolders.h"
#include "texts/Utf8.h"

namespace zo::help {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::optional<std::string> ReadWhole(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);  // reading only: a write-protected file is fine
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

std::vector<fs::path> HelpFile::Folders(const fs::path& executable) {
  std::vector<fs::path> folders;
  std::error_code ec;
  if (fs::path working = fs::current_path(ec); !ec) folders.push_back(std::move(working));
  const platform::DataFolders data(executable);
  for (const auto& folder : data.Candidates())
    if (std::ranges::find(folders, folder) == folders.end()) folders.push_back(folder);
  return folders;
}

std::optional<std::string> HelpFile::Load(std::string_view name,
                                          std::span<const fs::path> folders) {
  if (name.empty()) return std::nullopt;
  for (const auto& folder : folders) {
    if (auto bytes = ReadWhole(folder / fs::path(name))) return PaneText(*bytes);
  }
  return std::nullopt;
}

std::string HelpFile::PaneText(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  std::string text = RtfText::IsRichText(bytes) ? RtfText::ToPlain(bytes) : std::string(bytes);
  // A file that is not UTF-8 is taken for a legacy single-byte one, so the
  // pane and the search count the same characters.
  if (!texts::Utf8::IsValid(text)) text = texts::Utf8::FromLatin1(text);
  std::string pane;
  pane.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      pane += text[i];
      continue;
    }
    pane += '\n';  // CR LF and a lone CR end a line alike
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return pane;
}

}  // namespace zo::help
