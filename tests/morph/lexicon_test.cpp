// Lexicon files: the three tables of lexicon.lex, the verb lexicon and its
// rewrite of verb readings.
#include <gtest/gtest.h>

#include "morph/lexicon.h"
#include "morph_test_util.h"

namespace vaarikas::morph {
namespace {

using testing::TempDir;
using testing::WriteFile;

int ReadLexiconQuiet(const std::string& path, std::string* out = nullptr) {
  ::testing::internal::CaptureStdout();
  int rc = ReadLexiconLists(path);
  std::string o = ::testing::internal::GetCapturedStdout();
  if (out) *out = o;
  return rc;
}

int ReadVerbsQuiet(const std::string& path, std::string* out = nullptr) {
  ::testing::internal::CaptureStdout();
  int rc = ReadVerbLexicon(path);
  std::string o = ::testing::internal::GetCapturedStdout();
  if (out) *out = o;
  return rc;
}

std::string ApplyQuiet(const std::string& text, std::string* out = nullptr, std::string* err = nullptr) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  std::string r = ApplyVerbLexicon(text);
  std::string o = ::testing::internal::GetCapturedStdout();
  std::string e = ::testing::internal::GetCapturedStderr();
  if (out) *out = o;
  if (err) *err = e;
  return r;
}

TEST(LexiconListsTest, ReadsTheThreeTables) {
  TempDir d;
  WriteFile(d / "l.lex", testing::kTestLexicon);
  ASSERT_EQ(ReadLexiconQuiet(d / "l.lex"), 0);
  ASSERT_EQ(Punctuation().count, 5);
  EXPECT_EQ(Punctuation().Key(0), ".");
  EXPECT_EQ(Punctuation().Value(0), "Fst");
  EXPECT_EQ(Punctuation().Key(3), "\xAE");
  ASSERT_EQ(Adpositions().count, 3);
  EXPECT_EQ(Adpositions().Key(1), "\xFCle");
  EXPECT_EQ(Adpositions().Value(1), " #Post & #Preg");
  ASSERT_EQ(Pronouns().count, 2);
  EXPECT_EQ(Pronouns().Value(0), " pers ps1");
}

TEST(LexiconListsTest, ShortLinesDollarLinesAndMissingHeaders) {
  TempDir d;
  // "x" and its line feed (2 characters) is skipped; "$ not a header" ends
  // the first table; a line without a space is no entry; the adposition
  // header never comes, so the later tables stay empty.
  WriteFile(d / "l.lex",
            "$$$ ####\r\nx\r\n. => Fst\r\nnospace\n$ not a header\n, => Com\n$$$ _P_\nmina => pers\n$\n");
  ASSERT_EQ(ReadLexiconQuiet(d / "l.lex"), 0);
  ASSERT_EQ(Punctuation().count, 1);
  EXPECT_EQ(Punctuation().Value(0), "Fst");  // "\r" of a Windows line end dropped
  EXPECT_EQ(Adpositions().count, 0);
  EXPECT_EQ(Pronouns().count, 0);
}

TEST(LexiconListsTest, SlotsAndCapacityAreNeverOverrun) {
  TempDir d;
  std::string text = "$$$ ####\n";
  for (int i = 0; i < 20; ++i) text += "ab" + std::to_string(i) + " => LongValue\n";
  text += "$\n$$$ _K_\n" + std::string(100, 'k') + " => " + std::string(100, 'v') + "\n$\n$$$ _P_\n";
  for (int i = 0; i < 200; ++i) text += "p" + std::to_string(i) + " => x\n";
  WriteFile(d / "l.lex", text);
  ASSERT_EQ(ReadLexiconQuiet(d / "l.lex"), 0);
  EXPECT_EQ(Punctuation().count, 12);
  EXPECT_EQ(Punctuation().Key(0), "ab");
  EXPECT_EQ(Punctuation().Value(0), "Long");
  ASSERT_EQ(Adpositions().count, 1);
  EXPECT_EQ(Adpositions().Key(0), std::string(14, 'k'));
  EXPECT_EQ(Adpositions().Value(0), " " + std::string(45, 'v'));
  EXPECT_EQ(Pronouns().count, 160);
  EXPECT_EQ(Pronouns().Key(159), "p159");
}

TEST(LexiconListsTest, MissingFileMessage) {
  std::string out;
  EXPECT_EQ(ReadLexiconQuiet("/nonexistent/lexicon.lex", &out), 1);
  EXPECT_EQ(out, "\nlexicon.lex : open failed\n");
}

TEST(LexiconListsTest, ShippedLexiconReads) {
  ASSERT_EQ(ReadLexiconQuiet(std::string(VAARIKAS_SOURCE_DIR) + "/data/lexicon.lex"), 0);
  EXPECT_EQ(Punctuation().count, 12);
  EXPECT_GT(Adpositions().count, 80);
  EXPECT_GT(Pronouns().count, 30);
  int ule = Adpositions().Find("\xFCle");
  ASSERT_GE(ule, 0);
  EXPECT_EQ(Adpositions().Value(ule), " #Post & #Preg");
}

TEST(VerbLexiconTest, HashIsTheDocumentedOne) {
  EXPECT_EQ(VerbLexiconBucket(""), 0u);
  EXPECT_EQ(VerbLexiconBucket("a"), 97u);
  EXPECT_EQ(VerbLexiconBucket("ole"), (111u * 37 * 37 + 108u * 37 + 101u) % 2003);
  // Bytes from 0x80 up count as negative numbers, with 32-bit wrap-around.
  uint32_t h = static_cast<uint32_t>(-28);  // 0xE4 as a signed byte
  h = h * 37u + 'r';
  EXPECT_EQ(VerbLexiconBucket("\xE4r"), h % 2003);
  h = 0;
  for (char c : std::string("teineteisest_pikemast_veel_pikem"))
    h = h * 37u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  EXPECT_EQ(VerbLexiconBucket("teineteisest_pikemast_veel_pikem"), h % 2003);
}

TEST(VerbLexiconTest, ReadCountsPairsAndLaterEntryWins) {
  TempDir d;
  WriteFile(d / "v.lx", "ole\nmain > #A\nole\nmain > #B\r\ntege\nmain > #Obj\n");
  std::string out;
  ASSERT_EQ(ReadVerbsQuiet(d / "v.lx", &out), 0);
  EXPECT_EQ(out, "S6nu loetud:  3\n");
  ASSERT_NE(LookupVerb("ole"), nullptr);
  EXPECT_EQ(*LookupVerb("ole"), "main > #B");
  EXPECT_EQ(LookupVerb("ol"), nullptr);
  ::testing::internal::CaptureStdout();
  FreeVerbLexicon();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "L~opp\n");
  EXPECT_EQ(LookupVerb("ole"), nullptr);
}

TEST(VerbLexiconTest, EmptyOddAndMissingFiles) {
  TempDir d;
  WriteFile(d / "empty.lx", "");
  std::string out;
  ASSERT_EQ(ReadVerbsQuiet(d / "empty.lx", &out), 0);
  EXPECT_EQ(out, "S6nu loetud:  0\n");
  // The last lemma has no rule line: it is not entered.
  WriteFile(d / "odd.lx", "ole\nmain > #A\ntege");
  ASSERT_EQ(ReadVerbsQuiet(d / "odd.lx", &out), 0);
  EXPECT_EQ(out, "S6nu loetud:  1\n");
  EXPECT_EQ(LookupVerb("tege"), nullptr);
  EXPECT_EQ(ReadVerbsQuiet(d / "none.lx", &out), 1);
  EXPECT_EQ(out, "Ei leidnud faili.\n");
  EXPECT_EQ(VerbLexiconSize(), 0);
}

TEST(VerbLexiconTest, LongLinesAreKeptWhole) {
  TempDir d;
  std::string rule = "main > " + std::string(400, 'x');
  WriteFile(d / "v.lx", "ole\n" + rule + "\ntege\nmain > #Obj\n");
  ASSERT_EQ(ReadVerbsQuiet(d / "v.lx"), 0);
  ASSERT_NE(LookupVerb("ole"), nullptr);
  EXPECT_EQ(*LookupVerb("ole"), rule);
  ASSERT_NE(LookupVerb("tege"), nullptr);
}

class ApplyTest : public ::testing::Test {
 protected:
  void Load(const std::string& text) {
    WriteFile(dir / "v.lx", text);
    ASSERT_EQ(ReadVerbsQuiet(dir / "v.lx"), 0);
  }
  TempDir dir;
};

TEST_F(ApplyTest, OneReadingPerMissingAlternative) {
  Load("ei\nneg > A | B\n");
  EXPECT_EQ(ApplyQuiet("ei\n    ei+0 //_V_ neg, //\n"), "ei\n    ei+0 //_V_ neg, A //\n    ei+0 //_V_ neg, B //\n");
  EXPECT_EQ(ApplyQuiet("ei\n    ei+0 //_V_ neg, A //\n"), "ei\n    ei+0 //_V_ neg, A B //\n");
  EXPECT_EQ(ApplyQuiet("ei\n    ei+0 //_V_ neg, B A //\n"), "ei\n    ei+0 //_V_ neg, B A //\n");
  // Condition not met, reading without "+", word line: unchanged.
  EXPECT_EQ(ApplyQuiet("ei\n    ei+0 //_V_ aux //\n    ei //_V_ neg //\n"),
            "ei\n    ei+0 //_V_ aux //\n    ei //_V_ neg //\n");
}

TEST_F(ApplyTest, RulesActOneAfterAnotherOnTheUnchangedTags) {
  Load("tege\nmain > #Obj & indic > #Fin | #X & sg > #Sg\n");
  EXPECT_EQ(ApplyQuiet("teeb\n    tege+b //_V_ main indic pres ps3 sg ps af #FinV //\n"),
            "teeb\n"
            "    tege+b //_V_ main indic pres ps3 sg ps af #FinV #Obj //\n"
            "    tege+b //_V_ main indic pres ps3 sg ps af #FinV #X //\n"
            "    tege+b //_V_ main indic pres ps3 sg ps af #FinV #Sg //\n");
  // Only the word start is tested: "sg" is satisfied by "sgx".
  Load("tege\nsg > T\n");
  EXPECT_EQ(ApplyQuiet("    tege+b //_V_ sgx //\n"), "    tege+b //_V_ sgx T //\n");
  // An empty condition always holds; a value without a closing space gets one.
  Load("tege\n > T\n");
  EXPECT_EQ(ApplyQuiet("    tege+b //_V_ x//\n"), "    tege+b //_V_ xT //\n");
}

TEST_F(ApplyTest, SyntaxErrors) {
  std::string out, err;
  Load("tege\nmain #Obj\nole\nmain > A & B\n");
  EXPECT_EQ(ApplyQuiet("    tege+b //_V_ main //\n", &out, &err), "    tege+b //_V_ main //\n");
  EXPECT_EQ(err, "Syntax error in lexicon: main #Obj\n");
  EXPECT_EQ(ApplyQuiet("    ole+b //_V_ main //\n", &out, &err), "    ole+b //_V_ main //\n");
  EXPECT_EQ(err, "Syntax error in lexicon: main > A & B\n");
  Load("tege\nmain > T\n");
  // No "/" after the tags: the tags run to the end of the line.
  EXPECT_EQ(ApplyQuiet("    tege+b //_V_ main \n", &out, &err), "    tege+b //_V_ main T \n");
  EXPECT_EQ(out, "Syntax error in input:     tege+b //_V_ main \n");
  // No "/" at all: passed on unchanged.
  EXPECT_EQ(ApplyQuiet("    tege+b main\n", &out, &err), "    tege+b main\n");
  EXPECT_EQ(out, "Syntax error in input:     tege+b main\n");
}

TEST_F(ApplyTest, LongReadingsAreHandledWhole) {
  Load("tege\nmain > T\n");
  std::string tags(600, 'x');
  EXPECT_EQ(ApplyQuiet("    tege+b //_V_ main " + tags + " //\n"), "    tege+b //_V_ main " + tags + " T //\n");
}

TEST_F(ApplyTest, TextAfterTheLastLineFeedIsNotCarried) {
  Load("tege\nmain > T\n");
  EXPECT_EQ(ApplyQuiet("a\n    tege+b //_V_ main //"), "a\n");
}

TEST(WordStartTest, Cases) {
  EXPECT_TRUE(OccursAtWordStart("sg n", "sg"));
  EXPECT_TRUE(OccursAtWordStart("a sgx", "sg"));
  EXPECT_FALSE(OccursAtWordStart("xsg", "sg"));
  EXPECT_TRUE(OccursAtWordStart("xsg sg", "sg"));
  EXPECT_FALSE(OccursAtWordStart("", "sg"));
}

}  // namespace
}  // namespace vaarikas::morph
