// The run: files, the input reader, the writer and the error stream.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/scramble.h"
#include "syntax/syntax.h"
#include "tests/syntax/test_util.h"

namespace vaarikas::syntax {
namespace {

using test::Grammar;
using test::ReadFile;
using test::ScratchDir;
using test::WriteFile;

class SyntaxRunTest : public ::testing::Test {
 protected:
  SyntaxRunTest() {
    g_.mappings = "(_S_) (@X)";
    WriteFile("g.rle", g_.Text());
  }
  int RunInput(const std::string& input, const char* letters = "k") {
    WriteFile("in.cgd", input);
    return SyntaxRun("g.rle", "in.cgd", letters);
  }
  ScratchDir dir_;
  Grammar g_;
};

TEST_F(SyntaxRunTest, OutputNameIsCutAtTheFirstDot) {
  std::filesystem::create_directory("dir.v1");
  WriteFile("dir.v1/source.cgd", "maja\n    maja+0 //_S_ com //\n");
  ASSERT_EQ(SyntaxRun("g.rle", "dir.v1/source.cgd", "k"), 0);
  EXPECT_EQ(ReadFile("dir.snx"), "maja\n    maja+0 //_S_ com // @X\n");
  WriteFile("nodot", "maja\n    maja+0 //_S_ com //\n");
  ASSERT_EQ(SyntaxRun("g.rle", "nodot", "k"), 0);
  EXPECT_EQ(ReadFile("nodot.snx"), "maja\n    maja+0 //_S_ com // @X\n");
  EXPECT_EQ(ReadFile("synerrors.txt"), "");
}

TEST_F(SyntaxRunTest, ExtraLinesAndDelimiterCohorts) {
  ASSERT_EQ(RunInput("! before the first word\n"
                "maja\n    maja+0 //_S_ com //\n"
                "! after the readings\n"
                "$<tag>\n    raw line\n"
                "kass\n$<x>\n    y\n    kass+0 //_S_ com //\n    kass+0 //_V_ main //\n"
                "\n"
                "$LL$\n    $LL$ //_Z_ //\n    $LL$ //_Z_ second //\n"
                "koer\n    koer+0 //_S_ com //\n"),
            0);
  EXPECT_EQ(ReadFile("in.snx"),
            "! before the first word\n"
            "maja\n    maja+0 //_S_ com // @X\n"
            "! after the readings\n$<tag>\n    raw line\n$<x>\n    y\n"
            "kass\n    kass+0 //_S_ com // @X\n    kass+0 //_V_ main // @???\n"
            "$LL$\n    $LL$ //_Z_ //\n"
            // The delimiter's second reading line is the next sentence's
            // delimiter word, and the line after it its reading.
            "    $LL$ //_Z_ second //\nkoer\n    koer+0 //_S_ com //\n");
  EXPECT_EQ(ReadFile("synerrors.txt"), "");
}

TEST_F(SyntaxRunTest, WordsWithoutReadingLines) {
  ASSERT_EQ(RunInput("maja\nviga\n    maja+0 //_S_ com //\n$LL$\n    $LL$ //_Z_ //\n"), 0);
  EXPECT_EQ(ReadFile("synerrors.txt"), "Viga sisendis, pole p\xe4hivormi: viga\n");
  EXPECT_EQ(ReadFile("in.snx"), "maja\n    maja+0 //_S_ com // @X\n$LL$\n    $LL$ //_Z_ //\n");

  // The eleventh offending line after one word ends the run; what was
  // written before stays.
  std::string input = "kass\n    kass+0 //_S_ com //\n$LL$\n    $LL$ //_Z_ //\nmaja\n";
  std::string expected;
  for (int i = 0; i < 11; ++i) {
    input += "x" + std::to_string(i) + "\n";
    expected += "Viga sisendis, pole p\xe4hivormi: x" + std::to_string(i) + "\n";
  }
  input += "    maja+0 //_S_ com //\n";
  EXPECT_EQ(RunInput(input), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), expected + "Liiga palju vigu sisendis.\nViga failist lugemisel \n");
  EXPECT_EQ(ReadFile("in.snx"), "kass\n    kass+0 //_S_ com // @X\n$LL$\n    $LL$ //_Z_ //\n");
}

TEST_F(SyntaxRunTest, TheEndOfTheInput) {
  // A last line without a line end, and a last word without a delimiter.
  ASSERT_EQ(RunInput("maja\n    maja+0 //_S_ com //"), 0);
  EXPECT_EQ(ReadFile("in.snx"), "maja\n    maja+0 //_S_ com // @X\n");
  ASSERT_EQ(RunInput("maja\n    maja+0 //_S_ com //\n$LL$\n    $LL$ //_Z_ //\nkass\n"), 0);
  EXPECT_EQ(ReadFile("in.snx"), "maja\n    maja+0 //_S_ com // @X\n$LL$\n    $LL$ //_Z_ //\nkass\n");
  ASSERT_EQ(RunInput("! only a comment\n\n"), 0);
  EXPECT_EQ(ReadFile("in.snx"), "! only a comment\n");
  ASSERT_EQ(RunInput(""), 0);
  EXPECT_EQ(ReadFile("in.snx"), "");
}

TEST_F(SyntaxRunTest, LongLinesAreBrokenAndJoinedBack) {
  std::string tags;
  for (int i = 0; i < 45; ++i) tags += "t" + std::to_string(i) + " ";
  const std::string reading = "    maja+0 //_S_ " + tags + "//";  // about 200 characters
  ASSERT_GT(reading.size(), 180u);
  ASSERT_EQ(RunInput("maja\n" + reading + "\n"), 0);
  std::string whole = reading + " @X\n";
  size_t cut = whole.find(' ', 151);
  const std::string written = "maja\n" + whole.substr(0, cut) + "&\n" + whole.substr(cut + 1);
  EXPECT_EQ(ReadFile("in.snx"), written);

  // Read back, the broken line is one reading again.
  WriteFile("again.cgd", written);
  ASSERT_EQ(SyntaxRun("g.rle", "again.cgd", "k"), 0);
  EXPECT_EQ(ReadFile("again.snx"), written);

  // Only a space with text after it breaks a line; a short line ending in
  // "&" (the word "&") is not joined.
  const std::string tail = std::string(4, ' ') + std::string(156, 'a') + " \n";
  ASSERT_EQ(RunInput("&\n    & //_J_ //\nmaja\n" + tail), 0);
  EXPECT_EQ(ReadFile("in.snx"), "&\n    & //_J_ //\nmaja\n" + tail);
}

TEST_F(SyntaxRunTest, FilesThatCannotBeOpened) {
  EXPECT_EQ(SyntaxRun("nope.rle", "in.cgd", "k"), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "Reeglitefaili nope.rle avamine eba6nnestus.\n");
  EXPECT_EQ(SyntaxRun("nope.rle", "in.cgd", ""), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "Faili nope.rle avamine eba6nnestus.\n");
  EXPECT_EQ(SyntaxRun("g.rle", "nope.cgd", "k"), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "\nSisendfaili nope.cgd avamise viga\n");

  std::filesystem::create_directory("busy.snx");
  WriteFile("busy.cgd", "maja\n    maja+0 //_S_ com //\n");
  EXPECT_EQ(SyntaxRun("g.rle", "busy.cgd", "k"), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "\nV<84>ljundfaili busy.snx avamise viga\n");

  // An input that is its own output is not emptied.
  WriteFile("self.snx", "maja\n    maja+0 //_S_ com //\n");
  EXPECT_EQ(SyntaxRun("g.rle", "self.snx", "k"), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "\nV<84>ljundfaili self.snx avamise viga\n");
  EXPECT_EQ(ReadFile("self.snx"), "maja\n    maja+0 //_S_ com //\n");

  // A faulty rule file: its messages, and no output.
  WriteFile("bad.rle", "nothing\n");
  EXPECT_EQ(SyntaxRun("bad.rle", "busy.cgd", "k"), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "See pole reeglite fail\nViga s\x81ntaksis \n");

  std::filesystem::remove("synerrors.txt");
  std::filesystem::create_directory("synerrors.txt");
  EXPECT_EQ(SyntaxRun("g.rle", "busy.cgd", "k"), 1);
}

TEST_F(SyntaxRunTest, StandardErrorIsLeftAlone) {
  struct stat before, after;
  ASSERT_EQ(fstat(2, &before), 0);
  EXPECT_EQ(SyntaxRun("nope.rle", "in.cgd", "k"), 1);
  std::fputs("", stderr);
  std::fflush(stderr);
  ASSERT_EQ(fstat(2, &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(before.st_dev, after.st_dev);
  EXPECT_EQ(ReadFile("synerrors.txt"), "Reeglitefaili nope.rle avamine eba6nnestus.\n");
}

TEST_F(SyntaxRunTest, ScrambledRulesAndStandardInput) {
  std::string error;
  WriteFile("s.rle", ScrambleRuleFile(g_.Text(), RuleFileKind::kSyntax, &error));
  // "g.rle" is plain: read as scrambled its body is not understood.
  EXPECT_EQ(RunInput("maja\n    maja+0 //_S_ com //\n", ""), 1);
  EXPECT_EQ(ReadFile("synerrors.txt"), "Viga failist lugemisel \n");
  EXPECT_FALSE(std::filesystem::exists("in.snx"));
  ASSERT_EQ(SyntaxRun("s.rle", "in.cgd", "h"), 1);  // no heuristic rules to read
  ASSERT_EQ(SyntaxRun("s.rle", "in.cgd", ""), 0) << ReadFile("synerrors.txt");
  EXPECT_EQ(ReadFile("in.snx"), "maja\n    maja+0 //_S_ com // @X\n");

  WriteFile("in.cgd", "maja\n    maja+0 //_S_ com //\n");
  ASSERT_NE(std::freopen("in.cgd", "r", stdin), nullptr);
  ASSERT_EQ(SyntaxRun("g.rle", "unused", "ki"), 0);
  EXPECT_EQ(ReadFile("default.npx"), "maja\n    maja+0 //_S_ com // @X\n");
  EXPECT_FALSE(std::filesystem::exists("unused.snx"));
}

}  // namespace
}  // namespace vaarikas::syntax
