#include "journal/JournalFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/AtomicWriter.h"
#include "platform/SyncedFile.h"

namespace zo::journal {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSuffix = ".journal";

}  // namespace

JournalFolder::JournalFolder(fs::path folder) : folder_(std::move(folder)) {}

std::optional<std::string> JournalFolder::Read(const std::string& name) {
  const fs::path path = folder_ / name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (status.type() == fs::file_type::not_found) return std::string();
  if (error || status.type() != fs::file_type::regular) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(in), {}};
  if (in.bad()) return std::nullopt;
  return text;
}

bool JournalFolder::MakeFolder() {
  if (folder_.empty()) {
    lastError_ = "No folder for the journals: neither XDG_DATA_HOME nor HOME is set";
    return false;
  }
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) lastError_ = "Cannot make " + folder_.string() + ": " + error.message();
  return !error;
}

bool JournalFolder::Append(const std::string& name, std::string_view text) {
  if (!MakeFolder()) return false;
  lastError_ = platform::SyncedFile::Append(folder_ / name, text);
  return lastError_.empty();
}

bool JournalFolder::Replace(const std::string& name, std::string_view text) {
  if (!MakeFolder()) return false;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  lastError_ = platform::AtomicWriter::Replace(folder_ / name, {bytes, text.size()});
  return lastError_.empty();
}

std::vector<std::string> JournalFolder::List() {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && name.size() > kSuffix.size() && name.ends_with(kSuffix))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zo::journal
