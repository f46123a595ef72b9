// The pipeline driver with stand-in stages: order, messages, log lines,
// error-file display and the option letters handed to the rule stages.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/platform.h"
#include "pipeline/mainframe.h"
#include "tests/support/files.h"
#include "tests/support/recording_ui.h"

namespace vaarikas {
namespace {

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

namespace fs = std::filesystem;

using test::RecordingUI;

class StandInFrame : public CMainFrame {
 public:
  using CMainFrame::CMainFrame;
  int RunPreprocessor() override { return Stage("pre", fail_pre); }
  int RunMorphology() override { return Stage("morph", fail_morph); }
  int RunDisambiguator() override {
    disamb_letters = DisambiguatorLetters();
    if (!derrors.empty() || fail_disamb) Write("derrors.txt", derrors);
    return Stage("disamb", fail_disamb);
  }
  int RunSyntax() override {
    syntax_letters = SyntaxLetters();
    if (!synerrors.empty() || fail_syntax) Write("synerrors.txt", synerrors);
    return Stage("syntax", fail_syntax);
  }
  static void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  int Stage(const std::string& name, bool fail) {
    ran.push_back(name);
    return fail ? 1 : 0;
  }
  bool fail_pre = false, fail_morph = false, fail_disamb = false, fail_syntax = false;
  std::string derrors, synerrors, disamb_letters, syntax_letters;
  std::vector<std::string> ran;
};

class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "vaarikas_driver.XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
    work_ = root_ / "work dir";
    prog_ = root_ / "prog dir";
    fs::create_directories(work_);
    fs::create_directories(prog_);
    std::ofstream(prog_ / "tera") << "#!/bin/sh\n";
    std::ofstream(prog_ / "libvormik.so") << "x";
    std::ofstream(work_ / "source.nps", std::ios::binary) << std::string("Tere.\0", 6);
    previous_ = plat::CurrentDir();
    ASSERT_TRUE(plat::SetCurrentDir(work_.string()));
  }
  void TearDown() override {
    plat::SetCurrentDir(previous_);
    fs::remove_all(root_);
  }
  StandInFrame Frame() { return StandInFrame(ui_, work_.string(), prog_.string()); }

  fs::path root_, work_, prog_;
  std::string previous_;
  RecordingUI ui_;
};

const std::string kLog1 = "\n\nLausestaja l\xf5petas";
const std::string kLog2 = "\nMorf. anal\xfcsaator l\xf5petas";
const std::string kLog3 = "\n\xdchestaja l\xf5petas";

TEST_F(Driver, AllStagesRunInOrderAndLogThreeLines) {
  auto f = Frame();
  EXPECT_TRUE(f.RunPipeline());
  EXPECT_EQ(f.ran, (std::vector<std::string>{"pre", "morph", "disamb", "syntax"}));
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(ReadFile(work_ / "cgplog.txt"), kLog1 + kLog2 + kLog3);
}

TEST_F(Driver, MissingPreprocessorTouchesNoWorkingFile) {
  fs::remove(prog_ / "tera");
  auto before = std::distance(fs::directory_iterator(work_), fs::directory_iterator());
  auto f = Frame();
  EXPECT_FALSE(f.RunPipeline());
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"Cannot find tera."});
  EXPECT_TRUE(f.ran.empty());
  EXPECT_FALSE(fs::exists(work_ / "cgplog.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(work_), fs::directory_iterator()), before);
}

TEST_F(Driver, MissingAnalyserLibrary) {
  fs::remove(prog_ / "libvormik.so");
  auto f = Frame();
  EXPECT_FALSE(f.RunPipeline());
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"Cannot find libvormik.so."});
  EXPECT_TRUE(f.ran.empty());
}

TEST_F(Driver, UnreadableSourceNamesTheFile) {
  fs::remove(work_ / "source.nps");
  auto f = Frame();
  EXPECT_FALSE(f.RunPipeline());
  EXPECT_EQ(ui_.messages, std::vector<std::string>{"source.nps has no read permision."});
  EXPECT_TRUE(f.ran.empty());
}

TEST_F(Driver, FailingStagesStopTheRunWithTheirMessageAndLog) {
  struct Case {
    int stage;
    std::string message, log;
    size_t ran;
  };
  const Case cases[] = {
      {0, "Errors occured during preprocessing.", "", 1},
      {1, "Errors occured during morphological analysis.", kLog1, 2},
      {2, "Errors occured during disambiguating.", kLog1 + kLog2, 3},
      {3, "Errors occured during analysing.", kLog1 + kLog2 + kLog3, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    fs::remove(work_ / "cgplog.txt");
    ui_.messages.clear();
    auto f = Frame();
    f.fail_pre = c.stage == 0;
    f.fail_morph = c.stage == 1;
    f.fail_disamb = c.stage == 2;
    f.fail_syntax = c.stage == 3;
    EXPECT_FALSE(f.RunPipeline());
    EXPECT_EQ(ui_.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(f.ran.size(), c.ran);
    EXPECT_EQ(ReadFile(work_ / "cgplog.txt"), c.log);
  }
}

TEST_F(Driver, ErrorFileShownOnlyAboveTenBytes) {
  for (int len : {10, 11}) {
    ui_.shown.clear();
    auto f = Frame();
    f.fail_disamb = true;
    f.derrors = std::string(static_cast<size_t>(len), 'x');
    EXPECT_FALSE(f.RunPipeline());
    EXPECT_EQ(ui_.shown.size(), len == 11 ? 1u : 0u) << len;
  }
  ui_.shown.clear();
  auto f = Frame();
  f.fail_syntax = true;
  f.synerrors = "Viga reeglite failis\n";
  EXPECT_FALSE(f.RunPipeline());
  EXPECT_EQ(ui_.shown, std::vector<std::string>{"synerrors.txt"});
}

TEST_F(Driver, SuccessfulRuleStagesNeverShowTheirErrorFiles) {
  auto f = Frame();
  f.derrors = std::string(100, 'x');
  f.synerrors = std::string(100, 'x');
  EXPECT_TRUE(f.RunPipeline());
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(Driver, MissingErrorFileEndsTheCommandWithAFileError) {
  auto f = Frame();
  f.fail_syntax = true;
  try {
    // The stand-in writes synerrors.txt; remove it behind the driver's back.
    struct Remover : StandInFrame {
      using StandInFrame::StandInFrame;
      int RunSyntax() override {
        StandInFrame::RunSyntax();
        fs::remove("synerrors.txt");
        return 1;
      }
    } g(ui_, work_.string(), prog_.string());
    g.RunPipeline();
    FAIL() << "no FileError";
  } catch (const FileError& e) {
    EXPECT_EQ(e.Message(), "synerrors.txt was not found.");
  }
}

TEST_F(Driver, HeuristicsLettersForTheRuleStages) {
  const char* disamb[] = {"k", "kh", "kh"};
  const char* syntax[] = {"", "H", "h"};
  for (int level = 0; level < 3; ++level) {
    auto f = Frame();
    f.m_nHeuristics = level;
    EXPECT_TRUE(f.RunPipeline());
    EXPECT_EQ(f.disamb_letters, disamb[level]);
    EXPECT_EQ(f.syntax_letters, syntax[level]);
  }
}

TEST_F(Driver, LogLineSkippedWhenLogCannotBeOpened) {
  fs::create_directory(work_ / "cgplog.txt");  // a directory cannot be opened for appending
  auto f = Frame();
  EXPECT_TRUE(f.RunPipeline());
  EXPECT_EQ(f.ran.size(), 4u);
}

TEST(MainFrameSettings, DefaultsAtConstruction) {
  RecordingUI ui;
  CMainFrame f(ui);
  EXPECT_EQ(f.m_strWorkDir, plat::CurrentDir());
  EXPECT_EQ(f.m_strProgDir, plat::ExecutableDir());
  EXPECT_EQ(f.m_strSourceFile, "source.nps");
  EXPECT_EQ(f.m_strLalFile, "source.lal");
  EXPECT_EQ(f.m_strMorfFile, "source.txt");
  EXPECT_EQ(f.m_strCgdFile, "source.cgd");
  EXPECT_EQ(f.m_strPhraseFile, "phrases.nps");
  EXPECT_EQ(f.m_nHeuristics, 1);
  EXPECT_EQ(f.m_strGrammarFile, "grammar.rle");
  EXPECT_EQ(f.ProgPath("grammar.rul"), f.m_strProgDir + "/grammar.rul");
}

}  // namespace
}  // namespace vaarikas
