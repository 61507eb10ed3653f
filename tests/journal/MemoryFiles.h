// The journal folder in memory for the journal tests.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "journal/IJournalFiles.h"

namespace zo::journal {

// Files in memory; while `failing`, appends leave half of their text and
// replacements nothing.
struct MemoryFiles : IJournalFiles {
  std::map<std::string, std::string> files;
  bool failing = false;
  std::optional<std::string> Read(const std::string& name) override { return files[name]; }
  bool Append(const std::string& name, std::string_view text) override {
    files[name] += failing ? text.substr(0, text.size() / 2) : text;
    return !failing;
  }
  bool Replace(const std::string& name, std::string_view text) override {
    if (!failing) files[name] = text;
    return !failing;
  }
  std::vector<std::string> List() override {
    std::vector<std::string> names;
    for (const auto& file : files)
      names.push_back(file.first);
    return names;
  }
};

}  // namespace zo::journal
