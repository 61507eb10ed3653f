// A journal as people read it: the history's rows, CSV and clipboard text,
// and the list of journals the history window offers.
#include "journal/ChangeTable.h"

#include <gtest/gtest.h>

#include <map>

#include "MemoryFiles.h"
#include "journal/JournalCodec.h"
#include "journal/JournalIndex.h"

namespace zo::journal {
namespace {

class Texts : public model::ITextSource {
 public:
  [[nodiscard]] std::string Text(int id, int indent) const override {
    static const std::map<int, std::string> kTexts{{115, "Version"},
                                                   {300, "Parameter :"},
                                                   {906, "Session"},
                                                   {935, "Grid edit"},
                                                   {936, "Parameter file"},
                                                   {942, "Undo"},
                                                   {989, "Time"},
                                                   {997, "Change"},
                                                   {998, "Cause"},
                                                   {961, "Production date :\t"},
                                                   {962, "Installation date :"}};
    const auto found = kTexts.find(id);
    return std::string(static_cast<std::size_t>(indent), ' ') +
           (found == kTexts.end() ? "" : found->second);
  }
};

std::string Clock(std::int64_t seconds) {
  return "t" + std::to_string(seconds);
}

Session MadeSession(std::int64_t start, std::vector<Change> changes) {
  Session session;
  session.start.time = start;
  session.start.version = 179;
  session.changes = std::move(changes);
  return session;
}

TEST(ChangeTable, SessionsNewestFirstWithReadableRowsAndTheirCsv) {
  const Texts texts;
  const ChangeTable table(texts, Clock);
  const Change named{100, 40, 3, 4, ChangeCause::ParameterFile, "Cut-off, rpm", "3", "4, \"x\""};
  const Change bare{101, 150, 1, 2, ChangeCause::Undo, "", "", ""};
  const std::vector<Session> sessions{MadeSession(90, {named}), MadeSession(95, {}),
                                      MadeSession(99, {bare})};

  const std::vector<SessionRows> shown = table.Sessions(sessions);
  ASSERT_EQ(shown.size(), 2u);  // the session without changes is left out
  EXPECT_EQ(shown[0].heading, "Session t99, Version 1.79");
  EXPECT_EQ(shown[0].rows, (std::vector<ChangeRow>{{"t101", "#150", "1 \u2192 2", "Undo"}}));
  EXPECT_EQ(shown[1].rows[0].change, "3 \u2192 4, \"x\"");
  EXPECT_EQ(table.CauseText(ChangeCause::GridEdit), "Grid edit");

  EXPECT_EQ(table.Csv(sessions),
            "Session,Time,Parameter,Change,Cause,byte,old,new\n"
            "t90,t100,\"Cut-off, rpm\",\"3 \u2192 4, \"\"x\"\"\",Parameter file,40,3,4\n"
            "t99,t101,#150,1 \u2192 2,Undo,150,1,2\n");
  EXPECT_EQ(ChangeTable::Tabbed(shown[0].rows), "t101\t#150\t1 \u2192 2\tUndo\n");
}

TEST(JournalIndex, JournalsWithChangesNewestFirstAndTheConnectedOneOnTop) {
  MemoryFiles files;
  link::ImageArea vela = link::BlankImage();
  vela[0] = 100;  // model
  vela[1] = 179;  // version
  vela[6] = 255;  // variant
  const auto write = [&](const std::string& name, std::int64_t start, bool changed) {
    Session session = MadeSession(start, {});
    session.start.connectImage = JournalCodec::ImageHex(vela);
    if (changed)
      session.changes.push_back({start + 1, 40, 1, 2, ChangeCause::GridEdit, "x", "1", "2"});
    files.files[name] = JournalCodec::EncodeAll({session});
  };
  write("m100-v255-p230517-i261207.journal", 100, true);
  write("m100-v255-pnone-inone.journal", 300, true);
  write("m100-v1-pnone-inone.journal", 500, false);  // nothing changed
  files.files["damaged.journal"] = "not a journal";
  const Texts texts;
  const std::vector<JournalEntry> entries =
      JournalIndex::List(files, "m100-v255-p230517-i261207.journal", texts, Clock);
  ASSERT_EQ(entries.size(), 2U);
  EXPECT_EQ(entries[0].name, "m100-v255-p230517-i261207.journal");
  EXPECT_EQ(entries[0].title,
            "Vela100, Production date 2023.05.17, Installation date 2026.12.07 (t100)");
  EXPECT_EQ(entries[1].title,
            "Vela100, Production date --.--.--, Installation date --.--.-- (t300)");
  EXPECT_EQ(JournalIndex::List(files, "", texts, Clock)[0].name, "m100-v255-pnone-inone.journal");
}

}  // namespace
}  // namespace zo::journal
