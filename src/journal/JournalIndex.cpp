#include "journal/JournalIndex.h"

#include <algorithm>
#include <charconv>

#include "journal/ChangeJournal.h"
#include "journal/JournalCodec.h"
#include "model/ControllerModel.h"
#include "model/ImageLayout.h"
#include "texts/TextIds.h"

namespace zo::journal {

namespace {

// The "yymmdd" after `tag` in a journal's file name as the program shows
// dates; "--.--.--" for "none" or anything else.
std::string DateInName(const std::string& name, std::string_view tag) {
  const std::size_t at = name.find(tag);
  model::ImageDate date;
  if (at != std::string::npos && at + tag.size() + 6 <= name.size()) {
    const char* digits = name.data() + at + tag.size();
    for (int* part : {&date.year, &date.month, &date.day}) {
      const auto [end, error] = std::from_chars(digits, digits + 2, *part);
      if (error != std::errc{} || end != digits + 2) return std::string(model::kNoDateText);
      digits += 2;
    }
  }
  return date.Text();
}

std::string Label(const model::ITextSource& texts, int id) {
  return ChangeTable::Label(texts.Text(id));
}

bool HasChanges(const std::vector<Session>& sessions) {
  return std::any_of(sessions.begin(), sessions.end(),
                     [](const Session& s) { return !s.changes.empty(); });
}

}  // namespace

std::string JournalIndex::Title(const std::string& name, const std::vector<Session>& sessions,
                                const model::ITextSource& texts,
                                const ChangeTable::TimeText& timeText) {
  std::string model;
  if (!sessions.empty()) {
    if (const auto image = JournalCodec::ImageOfHex(sessions.back().start.connectImage))
      model = model::ControllerModel::Identify(*image).name;
  }
  const std::size_t first = model.find_first_not_of(' ');
  model = first == std::string::npos ? "?" : model.substr(first);
  std::string title = model + ", " + Label(texts, txt::kProductionDate) + " " +
                      DateInName(name, "-p") + ", " + Label(texts, txt::kInstallationDate) + " " +
                      DateInName(name, "-i");
  if (!sessions.empty()) title += " (" + timeText(sessions.back().start.time) + ")";
  return title;
}

std::vector<JournalEntry> JournalIndex::List(IJournalFiles& files, const std::string& current,
                                             const model::ITextSource& texts,
                                             const ChangeTable::TimeText& timeText) {
  std::vector<JournalEntry> entries;
  for (const std::string& name : files.List()) {
    std::vector<Session> sessions = ChangeJournal::Load(files, name);
    if (!HasChanges(sessions)) continue;
    std::string title = Title(name, sessions, texts, timeText);
    entries.push_back({name, std::move(title), std::move(sessions)});
  }
  const auto newest = [](const JournalEntry& e) { return e.sessions.back().start.time; };
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const JournalEntry& a, const JournalEntry& b) {
                     if ((a.name == current) != (b.name == current)) return a.name == current;
                     return newest(a) > newest(b);
                   });
  return entries;
}

}  // namespace zo::journal
