// The journal on disk: its text read back as written (fields with tabs and
// line ends, a line cut short by a kill, damaged lines), sessions written
// with their first change, a failing disk reported once without losing a
// change, the oldest sessions dropped at the limit, and the controller's key.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <array>
#include <csignal>
#include <fstream>
#include <map>

#include "FactoryImage.h"
#include "MemoryFiles.h"
#include "TempFolder.h"
#include "journal/ChangeJournal.h"
#include "journal/JournalCodec.h"
#include "journal/JournalFolder.h"
#include "link/ImageMap.h"

namespace zo::journal {
namespace {

Change Edit(int byte, std::uint8_t from, std::uint8_t to, std::int64_t time = 1'765'000'000) {
  return Change{time, byte, from, to, ChangeCause::GridEdit, "Próg\tTPS", "1.50 V", "1.60\n V"};
}

TEST(JournalCodec, ReadsBackWhatItWroteAndSkipsWhatACrashLeft) {
  const Session session{SessionStart{1'765'000'000, 179, "1.79", "500B\t"},
                        {Edit(57, 75, 80), Change{1'765'000'060, 168, 0, 26,
                                                  ChangeCause::InstallationDate, "", "", "\\"}}};
  std::string text = JournalCodec::EncodeAll({session});
  JournalText back = JournalCodec::Decode(text);
  ASSERT_EQ(back.sessions, std::vector{session});
  EXPECT_EQ(back.skippedLines, 0);

  text += "C\t1\t57\t300\t1\tgrid\t\t\t\n";                      // a value past a byte
  text += "C\t1\t57\t1\t2\tunknown\t\t\t\n";                     // a cause it does not know
  text += JournalCodec::Encode(Edit(58, 23, 24)).substr(0, 20);  // cut short
  back = JournalCodec::Decode(text);
  EXPECT_EQ(back.sessions, std::vector{session});
  EXPECT_EQ(back.skippedLines, 3);
}

TEST(ChangeJournal, WritesSessionsWithTheirFirstChangeAndKeepsWhatAFailingDiskRefused) {
  MemoryFiles files;
  ChangeJournal journal(files);
  const ControllerKey key{150, 255, "230517", "261207"};
  EXPECT_EQ(journal.Record(Edit(57, 75, 80)), JournalWrite::NoController);
  journal.Open(key, SessionStart{1, 179, "1.79", "00"});
  journal.Close();
  journal.Open(key, SessionStart{2, 179, "1.79", "00"});
  EXPECT_TRUE(files.files.empty()) << "a connection that changed nothing leaves no trace";

  EXPECT_EQ(journal.Record(Edit(57, 75, 80)), JournalWrite::Written);
  files.failing = true;
  EXPECT_EQ(journal.Record(Edit(58, 23, 24)), JournalWrite::Failed);
  EXPECT_EQ(journal.Record(Edit(59, 5, 6)), JournalWrite::StillFailing);
  EXPECT_EQ(journal.Unwritten(), 2U);
  files.failing = false;
  EXPECT_EQ(journal.Record(Edit(60, 10, 11)), JournalWrite::Written);
  EXPECT_EQ(journal.Unwritten(), 0U);

  const std::vector<Session> sessions = ChangeJournal::Load(files, key.FileName());
  ASSERT_EQ(sessions.size(), 1U);
  EXPECT_EQ(sessions[0].start.time, 2);
  EXPECT_EQ(sessions[0].changes, journal.CurrentSession().changes);
  EXPECT_EQ(sessions[0].changes.size(), 4U);
}

TEST(ChangeJournal, DropsTheOldestSessionsPastItsLimit) {
  MemoryFiles files;
  ChangeJournal journal(files, 2000);
  const ControllerKey key{80, 1, "none", "none"};
  for (std::int64_t session = 1; session <= 12; ++session) {
    journal.Open(key, SessionStart{session, 179, "1.79", "00"});
    for (int i = 0; i < 3; ++i)
      ASSERT_EQ(journal.Record(Edit(57 + i, 1, 2)), JournalWrite::Written);
  }
  const std::vector<Session> kept = ChangeJournal::Load(files, key.FileName());
  EXPECT_LE(files.files[key.FileName()].size(), 2000U);
  ASSERT_GE(kept.size(), 3U);
  EXPECT_LT(kept.size(), 12U);
  EXPECT_EQ(kept.back().start.time, 12);
  EXPECT_EQ(kept.front().start.time, 13 - static_cast<std::int64_t>(kept.size()));
}

TEST(ChangeJournal, FolderAppendsSyncedAndSurvivesALineCutShort) {
  test::TempFolder temp;
  JournalFolder folder(temp / "Zo" / "journal");
  ChangeJournal journal(folder);
  const ControllerKey key{150, 255, "none", "261207"};
  journal.Open(key, SessionStart{1, 179, "1.79", "00"});
  ASSERT_EQ(journal.Record(Edit(57, 75, 80)), JournalWrite::Written);
  std::ofstream(folder.Folder() / key.FileName(), std::ios::app) << "C\t5\t58\t2";  // a kill
  journal.Open(key, SessionStart{2, 179, "1.79", "00"});
  ASSERT_EQ(journal.Record(Edit(58, 23, 24)), JournalWrite::Written);
  const std::vector<Session> sessions = ChangeJournal::Load(folder, key.FileName());
  ASSERT_EQ(sessions.size(), 2U);
  EXPECT_EQ(sessions[1].changes, std::vector{Edit(58, 23, 24)});
  EXPECT_EQ(folder.List(), std::vector{key.FileName()});

  JournalFolder blocked(temp / "file");
  std::ofstream(temp / "file") << "in the folder's place";
  ChangeJournal refused(blocked);
  refused.Open(key, SessionStart{3, 179, "1.79", "00"});
  EXPECT_EQ(refused.Record(Edit(57, 1, 2)), JournalWrite::Failed);
  EXPECT_FALSE(blocked.LastError().empty());
}

TEST(ChangeJournal, AKilledWriterLosesAtMostTheChangeBeingWritten) {
  test::TempFolder temp;
  const ControllerKey key{150, 255, "230517", "261207"};
  std::array<int, 2> pipeEnds{};
  ASSERT_EQ(pipe(pipeEnds.data()), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Records changes without end, telling the parent of each one on the disk.
    close(pipeEnds[0]);
    JournalFolder folder(temp / "journal");
    ChangeJournal journal(folder);
    journal.Open(key, SessionStart{1, 179, "1.79", "00"});
    for (int n = 0;; ++n) {
      if (journal.Record(Edit(n % 184, 0, static_cast<std::uint8_t>(n), n)) !=
          JournalWrite::Written)
        _exit(1);
      if (write(pipeEnds[1], &n, sizeof n) != sizeof n) _exit(1);
    }
  }
  close(pipeEnds[1]);
  int confirmed = -1;
  for (int n = 0; n < 200 && read(pipeEnds[0], &n, sizeof n) == sizeof n; ++n)
    confirmed = n;
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  close(pipeEnds[0]);
  ASSERT_TRUE(WIFSIGNALED(status));

  JournalFolder folder(temp / "journal");
  const std::vector<Session> sessions = ChangeJournal::Load(folder, key.FileName());
  ASSERT_EQ(sessions.size(), 1U);
  const std::vector<Change>& changes = sessions[0].changes;
  // Every change the writer had on the disk is there, in order, and at most
  // the ones written after the last it could report.
  ASSERT_GE(changes.size(), static_cast<std::size_t>(confirmed + 1));
  for (std::size_t n = 0; n < changes.size(); ++n)
    EXPECT_EQ(changes[n].time, static_cast<std::int64_t>(n));
  // The journal goes on after the kill.
  ChangeJournal again(folder);
  again.Open(key, SessionStart{2, 179, "1.79", "00"});
  EXPECT_EQ(again.Record(Edit(57, 1, 2)), JournalWrite::Written);
  EXPECT_EQ(ChangeJournal::Load(folder, key.FileName()).size(), 2U);
}

TEST(ControllerKey, NamesTheControllerFromItsImage) {
  auto image = link::BlankImage();
  const auto built = lpgsim::FactoryImage::Build(150, 179, 255);
  std::copy(built.begin(), built.end(), image.begin());
  std::array<std::int32_t, 16> counters{};
  counters[13] = 23;
  counters[14] = 5;
  counters[15] = 17;
  ControllerKey key = ControllerKey::Of(image, counters, true);
  EXPECT_EQ(key.FileName(), "m150-v255-p230517-i" + key.installation + ".journal");
  EXPECT_EQ(ControllerKey::Of(image, counters, false).production, "none");
  image[link::ImageMap::kInstallationDate + 1] = 13;  // no such month
  EXPECT_EQ(ControllerKey::Of(image, counters, true).installation, "none");
  EXPECT_TRUE(IsControllerOwned(80));
  EXPECT_TRUE(IsControllerOwned(183));
  EXPECT_FALSE(IsControllerOwned(175));
  EXPECT_FALSE(IsControllerOwned(81));
}

}  // namespace
}  // namespace zo::journal
