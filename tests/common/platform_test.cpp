#include "common/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace vaarikas::plat {
namespace {

TEST(Platform, SearchPathSkipsEmptyEntries) {
  EXPECT_EQ(SplitSearchPath("/a::/b:"), (std::vector<std::string>{"/a", "/b"}));
  EXPECT_TRUE(SplitSearchPath("").empty());
}

TEST(Platform, FileTestsAndListing) {
  auto dir = std::filesystem::temp_directory_path() / "vaarikas_platform_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "a.rle") << "x";
  std::ofstream(dir / "b.RLE") << "x";
  std::ofstream(dir / "c.rle.bak") << "x";
  auto names = ListMatching(dir.string(), "*.rle");
  EXPECT_EQ(names, std::vector<std::string>{"a.rle"});
  EXPECT_TRUE(FileExists((dir / "a.rle").string()));
  EXPECT_TRUE(FileReadable((dir / "a.rle").string()));
  EXPECT_EQ(FileLength((dir / "a.rle").string()), 1);
  EXPECT_FALSE(FileLength((dir / "missing").string()).has_value());
  std::filesystem::remove_all(dir);
}

TEST(Platform, ExecutableDirIsWhereTheTestRuns) {
  EXPECT_EQ(ExecutableDir(), std::filesystem::path(ExecutablePath()).parent_path().string());
}

TEST(Platform, ProcessRunsInWorkingDirAndIsWaitedFor) {
  auto dir = std::filesystem::temp_directory_path();
  auto p = StartProcess({"/bin/sh", "-c", "exit 3"}, {dir.string(), true});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->WaitFor(std::chrono::seconds(10)), Process::Wait::kExited);
  EXPECT_EQ(p->ExitStatus(), 3);
}

TEST(Platform, MissingProgramIsReportedNotStarted) {
  std::string why;
  EXPECT_FALSE(StartProcess({"/nonexistent/tera"}, {}, &why));
  EXPECT_FALSE(why.empty());
}

TEST(Platform, TerminateEndsALongChild) {
  auto p = StartProcess({"/bin/sleep", "30"}, {});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->WaitFor(std::chrono::milliseconds(100)), Process::Wait::kTimeout);
  p->Terminate(1);
  EXPECT_EQ(p->WaitFor(std::chrono::seconds(10)), Process::Wait::kExited);
}

}  // namespace
}  // namespace vaarikas::plat
