// The preprocessor launch: the log, the child's command line and working
// directory, the poll with the window-title test and the size check.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "common/platform.h"
#include "morph_test_util.h"
#include "pipeline/mainframe.h"

namespace vaarikas {
namespace {

using morph::testing::CurrentDirScope;
using morph::testing::ReadFile;
using morph::testing::RecordingUI;
using morph::testing::TempDir;
using morph::testing::WriteFile;

class PreprocessorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    progDir = prog / "program dir";  // spaces in the path must work
    std::filesystem::create_directory(progDir);
    WriteFile(work / "source.nps", std::string("Tere, maailm.\nTeine rida", 24) + std::string(1, '\0'));
  }
  void TearDown() override { plat::SetWindowTitleProvider(nullptr); }
  // A stand-in `tera`: records its arguments and working directory, writes
  // `lal` as the output next to its input, then runs `tail`.
  void FakeTera(const std::string& lal, const std::string& tail = "") {
    std::string path = progDir + "/tera";
    WriteFile(path,
              "#!/bin/sh\n"
              "printf '%s\\n' \"$@\" > args.txt\n"
              "pwd >> args.txt\n"
              "printf '" + lal + "' > \"${3%.*}.tmp\" && mv \"${3%.*}.tmp\" \"${3%.*}.lal\"\n" + tail);
    ::chmod(path.c_str(), 0755);
  }
  int Run() {
    CurrentDirScope cd(work.path());
    CMainFrame frame(ui, work.path(), progDir);
    return frame.RunPreprocessor();
  }

  TempDir prog, work;
  std::string progDir;
  RecordingUI ui;
};

TEST_F(PreprocessorTest, LogCommandLineAndSizeCheck) {
  FakeTera("0123456789");
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile(work / "cgplog.txt"), work / "source.nps\nTere, maailm.\nTeine rida");
  EXPECT_EQ(ReadFile(work / "args.txt"), "-k\n" + progDir + "\n" + (work / "source.nps") + "\n" + work.path() + "\n");
  EXPECT_EQ(ui.waits, 0);
  FakeTera("012345678");
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PreprocessorTest, SourceWithoutLineBreakIsOneLogLine) {
  WriteFile(work / "source.nps", std::string("Tere.\r\0", 7));
  FakeTera("0123456789");
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile(work / "cgplog.txt"), work / "source.nps\nTere.\r");
}

TEST_F(PreprocessorTest, UnreadableSource) {
  std::filesystem::remove(work / "source.nps");
  FakeTera("0123456789");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(ReadFile(work / "cgplog.txt"), work / "source.nps\n\nei saa failist lugeda :-(?\n");
  EXPECT_FALSE(std::filesystem::exists(work / "args.txt"));
}

TEST_F(PreprocessorTest, ChildThatCannotStartNeverLeavesAStaleOutput) {
  WriteFile(work / "source.lal", "$LA$\nold output of an earlier run\n$LL$\n");
  EXPECT_EQ(Run(), 1);
  EXPECT_FALSE(std::filesystem::exists(work / "source.lal"));
  std::string log = ReadFile(work / "cgplog.txt");
  EXPECT_NE(log.find("\nCannot start " + progDir + "/tera: "), std::string::npos) << log;
  EXPECT_EQ(ui.waits, 0);
}

TEST_F(PreprocessorTest, MissingOutputIsAFileError) {
  std::string path = progDir + "/tera";
  WriteFile(path, "#!/bin/sh\nexit 1\n");
  ::chmod(path.c_str(), 0755);
  try {
    Run();
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Message(), "source.lal was not found.");
  }
  EXPECT_EQ(ui.waits, 0);
}

TEST_F(PreprocessorTest, FinishedWindowEndsTheWait) {
  // The child would run for a minute; the title makes the stage end it.
  FakeTera("0123456789", "exec sleep 60\n");
  // The title shows once tera has written its output, as its console window
  // does when it is done.
  std::string lal = work / "source.lal";
  plat::SetWindowTitleProvider([lal] {
    std::vector<std::string> t{"Editor"};
    if (std::filesystem::exists(lal)) t.push_back("Finished - tera");
    return t;
  });
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(Run(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(30));
}

TEST_F(PreprocessorTest, OnlyTheExactTitlesCount) {
  // With near-miss titles the stage waits for the child to end by itself.
  FakeTera("0123456789", "sleep 0.3\nprintf 'late output' > \"${3%.*}.lal\"\n");
  plat::SetWindowTitleProvider(
      [] { return std::vector<std::string>{"Finished - tera ", "finished - tera", "Finished - TERA"}; });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile(work / "source.lal"), "late output");
  plat::SetWindowTitleProvider([lal = work / "source.lal"] {
    return std::filesystem::exists(lal) ? std::vector<std::string>{"Finished - Tera"} : std::vector<std::string>{};
  });
  FakeTera("0123456789", "exec sleep 60\n");
  EXPECT_EQ(Run(), 0);
}

}  // namespace
}  // namespace vaarikas
