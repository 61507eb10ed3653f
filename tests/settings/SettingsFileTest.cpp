// The settings file on disk: a first start without one, values the program
// does not write kept, saving that fails without harming the old file, and
// where the XDG rules put the file and the lock.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "FifoPartner.h"
#include "TempFolder.h"
#include "platform/UserFolders.h"
#include "settings/RegFile.h"
#include "settings/SettingsFile.h"

namespace zo::settings {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::size_t FilesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(SettingsFileTest, ASaveCreatesTheFolderAndKeepsTheValuesItDoesNotWrite) {
  TempFolder temp;
  const fs::path path = temp / "config/Zo/VAD2.reg";
  const SettingsFile file(path);
  EXPECT_EQ(RegFile(path).Load().status, RegLoad::Status::Absent);
  Settings s = file.Load("/opt/zo");
  EXPECT_EQ(s, Settings("/opt/zo"));
  s.lang = 2;
  ASSERT_EQ(file.Save(s, "/opt/zo", true), "");
  EXPECT_EQ(file.Load("/other"), s);
  EXPECT_EQ(FilesIn(path.parent_path()), 1u);

  std::ofstream(path) << "; kept by hand\n\"AutoScan\"=dword:00000001\n\"Extra\"=\"x\"\n";
  ASSERT_EQ(file.Save(s, "/opt/zo", true), "");
  const RegKey key = RegFile(path).Load().key;
  EXPECT_EQ(std::get<std::uint32_t>(*key.Find("AutoScan")), 1u);
  EXPECT_EQ(std::get<std::string>(*key.Find("Extra")), "x");
  EXPECT_EQ(file.Load("/other"), s);
}

TEST(SettingsFileTest, AFileThatCannotBeReadOrReplacedIsReportedAndLeftAlone) {
  TempFolder temp;
  const fs::path path = temp / "VAD2.reg";
  fs::create_directories(path / "inside");
  EXPECT_EQ(RegFile(path).Load().status, RegLoad::Status::Unreadable);
  EXPECT_NE(SettingsFile(path).Save(Settings("/"), "/", true), "");
  EXPECT_NE(RegFile(path).Save(RegKey()), "");
  EXPECT_TRUE(fs::is_directory(path / "inside"));
  EXPECT_EQ(FilesIn(temp.Path()), 1u) << "the temporary file was left behind";

  // A pipe in the file's place: no wait for a writer, and it stays.
  const fs::path pipe = temp / "pipe.reg";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  {
    const test::FifoPartner partner(pipe);
    EXPECT_EQ(RegFile(pipe).Load().status, RegLoad::Status::Unreadable);
    EXPECT_NE(SettingsFile(pipe).Save(Settings("/"), "/", true), "");
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST(SettingsFileTest, FoldersFollowTheXdgRules) {
  const platform::UserFolders xdg("/x/config", "/home/jan", "/run/user/1000", "/x/data");
  EXPECT_EQ(xdg.SettingsPath(), fs::path("/x/config/Zo/VAD2.reg"));
  EXPECT_EQ(xdg.LockPath(), fs::path("/run/user/1000/ZoLpgWin.lock"));
  EXPECT_EQ(xdg.JournalFolder(), fs::path("/x/data/Zo/journal"));
  const platform::UserFolders plain("relative/config", "/home/jan", "");
  EXPECT_EQ(plain.SettingsPath(), fs::path("/home/jan/.config/Zo/VAD2.reg"));
  EXPECT_EQ(plain.LockPath(), fs::path("/home/jan/.config/Zo/ZoLpgWin.lock"));
  EXPECT_EQ(plain.JournalFolder(), fs::path("/home/jan/.local/share/Zo/journal"));
  EXPECT_EQ(platform::UserFolders("", "", "").SettingsPath(), fs::path());
  EXPECT_EQ(platform::UserFolders("", "", "", "data").JournalFolder(), fs::path());
}

}  // namespace
}  // namespace zo::settings
