#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/scramble.h"
#include "disamb/disamb.h"
#include "pipeline/mainframe.h"
#include "tests/disamb/helpers.h"
#include "tests/support/files.h"
#include "tests/support/recording_ui.h"

namespace fs = std::filesystem;

namespace vaarikas::disamb {
namespace {

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

void Spit(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

const char kRules[] =
    "SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n(DET det)\n(S _S_)\n"
    "CLAUSE-BOUNDARY-CONSTRAINTS\n(@w=**CLB-C (*) (-1 DET))\n"
    "DISAMBIGUATION-CONSTRAINTS\n(@w =0 (_V_) (-1 DET))\n"
    "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n(@w =0 (pl) )\n(@w =0 (sg) (1 S))\n";

const char kInput[] =
    "$LA$\n    $LA$ //_Z_ //\nsee\n    see+0 //_P_ det sg nom //\nmaja\n    maja+0 //_S_ com sg nom //\n"
    "    maja+0 //_V_ main inf //\n$LL$\n    $LL$ //_Z_ //\n";

// Runs each test in a fresh directory, which is the current directory.
class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("vaarikas-disamb-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  int RunDis(const std::string& rules, const std::string& input, const std::string& letters,
          std::string* console = nullptr) {
    test::OutStream out;
    int r = Disambiguate(rules, input, letters, out.get());
    if (console) *console = out.str();
    return r;
  }
  fs::path old_, dir_;
};

TEST(OutputName, Forms) {
  EXPECT_EQ(OutputName("source.txt"), "source.cgd");
  EXPECT_EQ(OutputName("a.b.c"), "a.cgd");
  EXPECT_EQ(OutputName("noext"), "noext.cgd");
  EXPECT_EQ(OutputName("a.very.long.input.file.name.txt"), "a.cgd");
  EXPECT_EQ(OutputName("some_quite_long_input_name.txt"), "some_quite_long_input_name.cgd");
  EXPECT_EQ(OutputName("dir.d/sub/source.txt"), "dir.d/sub/source.cgd");
  EXPECT_EQ(OutputName("/tmp/x"), "/tmp/x.cgd");
}

TEST_F(Driver, RunWritesOutputBannerAndEmptyErrorFile) {
  Spit("g.rul", kRules);
  Spit("source.txt", kInput);
  std::string console;
  ASSERT_EQ(RunDis("g.rul", "source.txt", "h", &console), 0);
  EXPECT_EQ(console,
            "\n\n\t  Constraint Grammar Disambiguator\n\n\t Eesti keele morfoloogiline \x81hestaja\n"
            "\n Reeglite fail g.rul:\n\t Osalausete piiride m\x84\x84ramise reegleid: 1   "
            "\n\t \x9ahestamise reegleid: 1   \n\t Heuristilisi \x81hestamise reegleid: 2   \n"
            "-> source.cgd:     ");
  EXPECT_EQ(ReadFile("derrors.txt"), "");
  EXPECT_EQ(ReadFile("source.cgd"),
            "$LA$\n    $LA$ //_Z_ // \nsee\n    see+0 //_P_ det sg nom // \nmaja\n"
            "    maja+0 //_S_ com sg nom // **CLB-C \n$LL$\n    $LL$ //_Z_ // \n");
  // Without "h" the heuristic section is neither read nor run; the banner
  // has no heuristic line.
  ASSERT_EQ(RunDis("g.rul", "source.txt", "", &console), 0);
  EXPECT_EQ(console.find("Heuristilisi"), std::string::npos);
}

TEST_F(Driver, ScrambledRulesAndDeterminism) {
  std::string err;
  Spit("g.rul", ScrambleRuleFile(kRules, RuleFileKind::kDisamb, &err));
  Spit("in.put.txt", kInput);
  ASSERT_EQ(RunDis("g.rul", "in.put.txt", "kh"), 0);
  std::string first = ReadFile("in.cgd");
  ASSERT_FALSE(first.empty());
  ASSERT_EQ(RunDis("g.rul", "in.put.txt", "kh"), 0);
  EXPECT_EQ(ReadFile("in.cgd"), first);
  // The plain file does not read in scrambled mode.
  Spit("plain.rul", kRules);
  EXPECT_EQ(RunDis("plain.rul", "in.put.txt", "k"), 1);
}

TEST_F(Driver, OutputBesideADirectoryQualifiedInput) {
  Spit("g.rul", kRules);
  fs::create_directories("data.d/sub");
  Spit("data.d/sub/a_rather_long_input_name.txt", kInput);
  ASSERT_EQ(RunDis("g.rul", "data.d/sub/a_rather_long_input_name.txt", ""), 0);
  EXPECT_TRUE(fs::exists("data.d/sub/a_rather_long_input_name.cgd"));
}

TEST_F(Driver, Failures) {
  Spit("source.txt", kInput);
  // Missing rule file.
  EXPECT_EQ(RunDis("missing.rul", "source.txt", "k"), 1);
  EXPECT_EQ(ReadFile("derrors.txt"), "Reeglite faili lugemise viga");
  EXPECT_FALSE(fs::exists("source.cgd"));
  // A directory is no rule file.
  fs::create_directory("adir");
  EXPECT_EQ(RunDis("adir", "source.txt", ""), 1);
  EXPECT_EQ(ReadFile("derrors.txt"), "Reeglite faili lugemise viga");
  // An error in the rule file.
  Spit("bad.rul", "SENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n(A a)\n(A b)\n");
  EXPECT_EQ(RunDis("bad.rul", "source.txt", ""), 1);
  EXPECT_EQ(ReadFile("derrors.txt"), "\nHulga nimi A kordub! \n");
  EXPECT_FALSE(fs::exists("source.cgd"));
  // Missing input.
  Spit("g.rul", kRules);
  EXPECT_EQ(RunDis("g.rul", "nothere.txt", ""), 1);
  EXPECT_EQ(ReadFile("derrors.txt"), "\nSisendfaili nothere.txt avamise viga\n");
  // Output that cannot be created.
  fs::create_directory("blocked.cgd");
  Spit("blocked.txt", kInput);
  EXPECT_EQ(RunDis("g.rul", "blocked.txt", ""), 1);
  EXPECT_EQ(ReadFile("derrors.txt"), "\nV\xe4ljundfaili blocked.cgd avamise viga\n");
  // Error file that cannot be created: reported on the console.
  fs::remove("derrors.txt");
  fs::create_directory("derrors.txt");
  std::string console;
  EXPECT_EQ(RunDis("g.rul", "source.txt", "", &console), 1);
  EXPECT_EQ(console, "\nFaili derrors.txt avamise viga\n");
}

TEST_F(Driver, EmptyInputGivesEmptyOutput) {
  Spit("g.rul", kRules);
  Spit("e.txt", "");
  ASSERT_EQ(RunDis("g.rul", "e.txt", ""), 0);
  EXPECT_TRUE(fs::exists("e.cgd"));
  EXPECT_EQ(ReadFile("e.cgd"), "");
}


TEST_F(Driver, PipelineStage) {
  vaarikas::test::RecordingUI ui;
  fs::create_directory("prog");
  CMainFrame frame(ui, dir_.string(), (dir_ / "prog").string());
  Spit("source.txt", kInput);
  EXPECT_EQ(frame.RunDisambiguator(), 1);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cannot open grammar file."}));
  std::string err;
  Spit("prog/grammar.rul", ScrambleRuleFile(kRules, RuleFileKind::kDisamb, &err));
  EXPECT_EQ(frame.RunDisambiguator(), 0);
  EXPECT_EQ(ReadFile("source.cgd").find("main inf"), std::string::npos);
  // A plain grammar in the program directory fails: the stage reads it scrambled.
  Spit("prog/grammar.rul", kRules);
  EXPECT_EQ(frame.RunDisambiguator(), 1);
  EXPECT_GT(ReadFile("derrors.txt").size(), 10u);
}

TEST_F(Driver, CommandLineIsDeterministicWithTheShippedGrammar) {
  const std::string bin = VAARIKAS_BIN_DIR;
  if (!fs::exists(bin + "/vaarikas") || !fs::exists(bin + "/grammar.rul")) GTEST_SKIP() << "program not built";
  std::string in;
  for (int i = 0; i < 200; ++i) in += kInput;
  Spit("source.txt", in);
  std::string cmd = bin + "/vaarikas disamb " + bin + "/grammar.rul source.txt kh > console.txt";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  std::string first = ReadFile("source.cgd");
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(ReadFile("source.cgd"), first);
  EXPECT_NE(ReadFile("console.txt").find("-> source.cgd:     "), std::string::npos);
  // Usage errors exit with 1.
  EXPECT_NE(std::system((bin + "/vaarikas disamb 2>/dev/null").c_str()), 0);
}

}  // namespace
}  // namespace vaarikas::disamb
