// vaarikas morph-tag: analyser texts in a file through the tagging steps.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "morph_test_util.h"

namespace vaarikas::morph {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

int RunCli(const std::string& args, const std::string& log) {
  std::string cmd = std::string("\"") + VAARIKAS_BIN_DIR + "/vaarikas\" morph-tag " + args + " >\"" + log + "\" 2>&1";
  int st = std::system(cmd.c_str());
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

TEST(MorphTagCliTest, TagsEveryTextAndMarksOnRequest) {
  TempDir d;
  WriteFile(d / "l.lex", testing::kTestLexicon);
  WriteFile(d / "v.lx", "tege\nmain > #Obj\n");
  WriteFile(d / "in.txt",
            "Tallinn\n    Tallinn+0 //_H_ sg n, //\n"
            "teeb\n    tege+b //_V_ b, //\n"
            ".\n    . //_Z_ //\n");
  std::string args = "\"" + (d / "l.lex") + "\" \"" + (d / "v.lx") + "\" \"" + (d / "in.txt") + "\" \"" + (d / "out.txt") + "\"";
  ASSERT_EQ(RunCli(args, d / "log"), 0) << ReadFile(d / "log");
  EXPECT_EQ(ReadFile(d / "log"), "S6nu loetud:  1\nL~opp\n");
  EXPECT_EQ(ReadFile(d / "out.txt"),
            "Tallinn\n    Tallinn+0 //_S_ prop sg nom  #cap //\n"
            "teeb\n    tege+b //_V_ main indic pres ps3 sg ps af  #FinV #Obj //\n"
            "$.\n    . //_Z_ Fst //\n");
  ASSERT_EQ(RunCli(args + " --second", d / "log"), 0);
  EXPECT_EQ(ReadFile(d / "out.txt"),
            "Tallinn\n    Tallinn+0 //_S_ prop sg nom  #cap #? //\n"
            "teeb\n    tege+b //_V_ main indic pres ps3 sg ps af  #FinV #Obj #? //\n"
            "$.\n    . //_Z_ Fst //\n");
}

TEST(MorphTagCliTest, ReaderFailuresExitWithOne) {
  TempDir d;
  WriteFile(d / "in.txt", "a\n    a+0 //_S_ //\n");
  WriteFile(d / "l.lex", testing::kTestLexicon);
  EXPECT_EQ(RunCli("\"" + (d / "none.lex") + "\" x \"" + (d / "in.txt") + "\" \"" + (d / "out") + "\"", d / "log"), 1);
  EXPECT_EQ(ReadFile(d / "log"), "\nlexicon.lex : open failed\n");
  EXPECT_EQ(RunCli("\"" + (d / "l.lex") + "\" \"" + (d / "none.lx") + "\" \"" + (d / "in.txt") + "\" \"" + (d / "out") + "\"",
                   d / "log"),
            1);
  EXPECT_EQ(ReadFile(d / "log"), "Ei leidnud faili.\n");
  EXPECT_EQ(RunCli("only two", d / "log"), 1);
}

}  // namespace
}  // namespace vaarikas::morph
