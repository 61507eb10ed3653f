#include "journal/ChangeTable.h"

#include "files/RecordingCsv.h"
#include "model/ControllerInfo.h"
#include "texts/TextIds.h"

namespace zo::journal {

namespace {}  // namespace

ChangeTable::ChangeTable(const model::ITextSource& texts, TimeText timeText)
    : texts_(texts), timeText_(std::move(timeText)) {}

std::string ChangeTable::CauseText(ChangeCause cause) const {
  return Label(texts_.Text(txt::kCauseGridEdit + static_cast<int>(cause)));
}

ChangeRow ChangeTable::Row(const Change& change) const {
  const std::string before =
      change.oldText.empty() ? std::to_string(change.oldValue) : change.oldText;
  const std::string after =
      change.newText.empty() ? std::to_string(change.newValue) : change.newText;
  return {timeText_(change.time),
          change.parameter.empty() ? "#" + std::to_string(change.byte) : change.parameter,
          before + " \u2192 " + after, CauseText(change.cause)};
}

std::vector<SessionRows> ChangeTable::Sessions(const std::vector<Session>& sessions) const {
  std::vector<SessionRows> shown;
  for (std::size_t i = sessions.size(); i-- > 0;) {
    const Session& session = sessions[i];
    if (session.changes.empty()) continue;
    SessionRows rows;
    rows.heading = Label(texts_.Text(txt::kSession)) + " " + timeText_(session.start.time) + ", " +
                   Label(texts_.Text(txt::kVersion)) + " " +
                   model::ControllerInfo::ProgramVersionText(session.start.version);
    for (const Change& change : session.changes)
      rows.rows.push_back(Row(change));
    shown.push_back(std::move(rows));
  }
  return shown;
}

std::string ChangeTable::Csv(const std::vector<Session>& sessions) const {
  using files::RecordingCsv;
  std::string csv;
  for (const int id : {txt::kSession, txt::kColumnTime, txt::kHeaderParameter, txt::kColumnChange,
                       txt::kColumnCause})
    csv += (csv.empty() ? "" : ",") + RecordingCsv::Field(Label(texts_.Text(id)));
  csv += ",byte,old,new\n";
  for (const Session& session : sessions) {
    for (const Change& change : session.changes) {
      const ChangeRow row = Row(change);
      csv += RecordingCsv::Field(timeText_(session.start.time));
      for (const std::string* field : {&row.time, &row.parameter, &row.change, &row.cause})
        csv += "," + RecordingCsv::Field(*field);
      csv += "," + std::to_string(change.byte) + "," + std::to_string(change.oldValue) + "," +
             std::to_string(change.newValue) + "\n";
    }
  }
  return csv;
}

std::string ChangeTable::Label(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == ':'; };
  while (!text.empty() && blank(text.back()))
    text.pop_back();
  const std::size_t first = text.find_first_not_of(" \t");
  text.erase(0, first == std::string::npos ? text.size() : first);
  return text;
}

std::string ChangeTable::Tabbed(const std::vector<ChangeRow>& rows) {
  std::string text;
  for (const ChangeRow& row : rows)
    text += row.time + "\t" + row.parameter + "\t" + row.change + "\t" + row.cause + "\n";
  return text;
}

}  // namespace zo::journal
