#include "journal/ChangeTable.h"

#include <gtest/gtest.h>

#include <map>

namespace zo::journal {
namespace {

class Texts : public model::ITextSource {
 public:
  [[nodiscard]] std::string Text(int id, int indent) const override {
    static const std::map<int, std::string> kTexts{
        {115, "Version"},   {300, "Parameter :"},    {906, "Session"},
        {935, "Grid edit"}, {936, "Parameter file"}, {942, "Undo"},
        {989, "Time"},      {997, "Change"},         {998, "Cause"}};
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

}  // namespace
}  // namespace zo::journal
