// Where the shipped files are found: beside the executable, then the data
// folder of the installation the executable sits in, then the one built for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "TempFolder.h"
#include "platform/DataFolders.h"

namespace zo::platform {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(DataFoldersTest, BesideTheExecutableFirstThenTheInstallations) {
  TempFolder temp;
  const fs::path bin = temp / "prefix/bin";
  const fs::path share = temp / "prefix/share/zolpgwin";
  const fs::path built = temp / "usr/share/zolpgwin";
  for (const auto& folder : {bin, share / "Doc", built / "Firmware"})
    fs::create_directories(folder);
  for (const auto& file :
       {bin / "help.txt", share / "help.txt", share / "hilfe.txt", built / "hilfe.txt"})
    std::ofstream(file) << "x";

  const DataFolders folders(bin / "ZoLpgWin", built);
  EXPECT_EQ(folders.ProgramFolder(), bin.string());
  EXPECT_EQ(folders.Candidates(), (std::vector<fs::path>{bin, share, built}));
  EXPECT_EQ(folders.Find("help.txt"), bin / "help.txt");
  EXPECT_EQ(folders.Find("hilfe.txt"), share / "hilfe.txt");
  EXPECT_EQ(folders.Find("Doc"), share / "Doc");
  EXPECT_EQ(folders.Find("Firmware"), built / "Firmware");
  EXPECT_EQ(folders.Find("pagalba.txt"), std::nullopt);

  // Installed where it was built for: the data folder is searched once.
  EXPECT_EQ(DataFolders(bin / "ZoLpgWin", share.string() + "/").Candidates(),
            (std::vector<fs::path>{bin, share}));
  // A build tree: no bin folder, so beside the executable and the built folder.
  EXPECT_EQ(DataFolders(temp / "build/ZoLpgWin", built).Candidates(),
            (std::vector<fs::path>{temp / "build", built}));

  // File dialogs start in the user's home when installed, in a build tree
  // beside the program.
  EXPECT_EQ(folders.FileFolder(temp / "home"), (temp / "home").string());
  fs::create_directories(temp / "build");
  EXPECT_EQ(DataFolders(temp / "build/ZoLpgWin", built).FileFolder(temp / "home"),
            (temp / "build").string());
}

}  // namespace
}  // namespace zo::platform
