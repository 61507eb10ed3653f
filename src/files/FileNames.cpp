#include "FileNames.h"

#include <algorithm>
#include <cstdio>

namespace zo::files {

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Forbidden(char c) {
  constexpr std::string_view kForbidden = "/\\:*?\"<>|";
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F ||
         kForbidden.find(c) != std::string_view::npos;
}

std::string HourMinute(int hour, int minute) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d%02d", hour % 100, minute % 100);
  return buffer;
}

}  // namespace

bool FileNames::HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::string_view end = path.substr(path.size() - extension.size());
  return std::equal(end.begin(), end.end(), extension.begin(), extension.end(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

std::string FileNames::ProposedRecording(int hour, int minute) {
  return HourMinute(hour, minute) + std::string(kRecordingExtension);
}

std::string FileNames::AutoSave(std::string_view shortDate, int hour, int minute) {
  // A cut must not leave part of a multi-byte character: it moves back to
  // the start of the character it would split, keeping every whole one.
  std::size_t cut = std::min(shortDate.size(), kMaxDateLength);
  while (cut > 0 && cut < shortDate.size() &&
         (static_cast<unsigned char>(shortDate[cut]) & 0xC0) == 0x80)
    --cut;
  std::string date(shortDate.substr(0, cut));
  if (!date.empty() && (static_cast<unsigned char>(date.back()) & 0xC0) == 0xC0) date.pop_back();
  std::replace_if(date.begin(), date.end(), Forbidden, '-');
  return date + "." + HourMinute(hour, minute) + std::string(kRecordingExtension);
}

std::string FileNames::Backup(int year, int month, int day, int hour, int minute,
                              std::string_view model) {
  return Stamped("backup-", {year, month, day, hour, minute}, model, kParameterExtension);
}

std::string FileNames::SupportPackage(int year, int month, int day, int hour, int minute,
                                      std::string_view model) {
  return Stamped("support-", {year, month, day, hour, minute}, model, kSupportPackageExtension);
}

std::string FileNames::Stamped(std::string_view prefix, const Stamp& at, std::string_view model,
                               std::string_view extension) {
  char date[32];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d-", at.year % 10000, at.month % 100,
                at.day % 100);
  std::string name;
  for (const char c : model.substr(0, kMaxDateLength)) {
    if (c != ' ') name += Forbidden(c) ? '-' : c;
  }
  return std::string(prefix) + date + HourMinute(at.hour, at.minute) +
         (name.empty() ? "" : "-" + name) + std::string(extension);
}

std::string FileNames::WithoutFolder(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace zo::files
