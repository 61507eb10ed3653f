// The link trace's file: made anew, every line on the system's side as soon
// as it is written (a killed program loses none), and clear failures.
#include "platform/TraceFile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "TempFolder.h"

namespace zo::platform {
namespace {

using test::TempFolder;

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(TraceFile, ReplacesAnOldFileAndKeepsEveryLineOfAKilledProgram) {
  TempFolder folder;
  const auto path = folder / "link.txt";
  std::ofstream(path) << "an older, longer trace\n";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::string error;
    auto file = TraceFile::Create(path, error);
    if (!file || !file->Append("one\n") || !file->Append("two\n")) ::_exit(1);
    ::kill(::getpid(), SIGKILL);
    ::_exit(2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(Contents(path), "one\ntwo\n");
}

TEST(TraceFile, NamesWhatCannotBeCreated) {
  TempFolder folder;
  std::string error;
  EXPECT_FALSE(TraceFile::Create(folder / "missing" / "link.txt", error));
  EXPECT_NE(error.find("missing/link.txt"), std::string::npos) << error;
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  error.clear();
  std::filesystem::create_directory(folder / "folder");
  EXPECT_FALSE(TraceFile::Create(folder / "folder", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zo::platform
