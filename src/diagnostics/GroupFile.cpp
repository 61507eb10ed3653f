#include "diagnostics/GroupFile.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace zo::diagnostics {

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator))
    parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

}  // namespace

GroupFile::GroupFile(const RootedTree& tree) {
  std::ifstream in(tree.Rooted("/etc/group"));
  std::ostringstream text;
  text << in.rdbuf();
  groups_ = Parse(text.str());
}

std::vector<Group> GroupFile::Parse(const std::string& text) {
  constexpr std::size_t kFields = 4;
  std::vector<Group> groups;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = Split(line, ':');
    if (fields.size() < kFields - 1 || fields[0].empty() || fields[0].starts_with('#')) continue;
    Group group{fields[0], 0, {}};
    const std::string& number = fields[2];
    const auto [ptr, error] =
        std::from_chars(number.data(), number.data() + number.size(), group.gid);
    if (error != std::errc() || ptr != number.data() + number.size()) continue;
    if (fields.size() >= kFields) {
      for (std::string& member : Split(fields[3], ','))
        if (!member.empty()) group.members.push_back(std::move(member));
    }
    groups.push_back(std::move(group));
  }
  return groups;
}

std::optional<Group> GroupFile::ById(unsigned gid) const {
  for (const Group& group : groups_)
    if (group.gid == gid) return group;
  return std::nullopt;
}

}  // namespace zo::diagnostics
