#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "disamb/disamb.h"
#include "tests/disamb/helpers.h"

namespace vaarikas::disamb {
namespace {

using test::InStream;
using test::OutStream;
using test::RunStream;

class CohortStream : public ::testing::Test {
 protected:
  void SetUp() override {
    FreeRules();
    SetOptions(false, false, nullptr);
    SetDelimiters({"$LL$"});
  }
  void TearDown() override {
    FreeSentence();
    FreeRules();
  }
  // Reads one sentence and returns the reader state.
  int ReadOne(const std::string& text, std::string* comments = nullptr) {
    InStream in(text);
    OutStream out;
    bool error = true;
    int state = ReadSentence(in.get(), out.get(), &error);
    EXPECT_FALSE(error);
    if (comments) *comments = out.str();
    return state;
  }
};

const char kTwoSentences[] =
    "$LA$\n"
    "    $LA$ //_Z_ //\n"
    "Maja\n"
    "    maja+0 //_S_ com sg nom #cap //\n"
    "    maja+0 //_S_ com sg gen #cap //\n"
    "on\n"
    "    ole+0 //_V_ aux indic pres ps3 sg ps af #FinV //\n"
    "    ole+0 //_V_ main indic pres ps3 sg ps af #FinV //\n"
    "suur\n"
    "    suur+0 //_A_ pos sg nom //\n"
    "$.\n"
    "    . //_Z_ //\n"
    "$LL$\n"
    "    $LL$ //_Z_ //\n"
    "$LA$\n"
    "    $LA$ //_Z_ //\n"
    "Tulen\n"
    "    tule+n //_V_ main indic pres ps1 sg ps af #FinV #cap //\n"
    "$LL$\n"
    "    $LL$ //_Z_ //\n";

// The writer puts the analysis back with one blank after the closing "//".
std::string WithTrailingBlanks(const std::string& s) {
  std::string out;
  size_t p = 0;
  while (p < s.size()) {
    size_t nl = s.find('\n', p);
    std::string line = s.substr(p, nl - p);
    if (!line.empty() && line[0] == ' ') line += ' ';
    out += line + "\n";
    p = nl + 1;
  }
  return out;
}

TEST_F(CohortStream, RoundTripOfARealisticStream) {
  std::vector<int> states;
  EXPECT_EQ(RunStream(kTwoSentences, false, &states), WithTrailingBlanks(kTwoSentences));
  EXPECT_EQ(states, (std::vector<int>{2, 2, 0}));
  // A second pass over the output changes nothing more.
  std::string once = RunStream(kTwoSentences, false);
  EXPECT_EQ(RunStream(once, false), once);
}

TEST_F(CohortStream, SentenceModel) {
  EXPECT_EQ(ReadOne(kTwoSentences), 2);
  const Sentence& s = CurrentSentence();
  ASSERT_EQ(s.cohorts.size(), 8u);  // <<< $LA$ Maja on suur $. $LL$ >>>
  EXPECT_EQ(s.cohorts.front().word, "<<<");
  EXPECT_EQ(s.cohorts.front().readings[0].text, " <<< ");
  EXPECT_EQ(s.cohorts.front().readings[0].mark, 1);
  EXPECT_EQ(s.cohorts.back().word, ">>>");
  EXPECT_EQ(s.cohorts.back().readings[0].text, " >>> ");
  EXPECT_EQ(s.wordCount, 3);  // Maja, on, suur; "$" cohorts are not counted
  const Cohort& maja = s.cohorts[2];
  EXPECT_EQ(maja.word, "Maja");
  EXPECT_EQ(maja.lower, "maja");
  EXPECT_EQ(maja.count, 2);
  EXPECT_EQ(maja.readings[0].text, "maja+0 / _S_ com sg nom #cap // \"maja\" ");
  // The punctuation reading has no "+": its base form is the rest of the line.
  EXPECT_EQ(s.cohorts[5].readings[0].text, ". / _Z_ // \". / _Z_ //\" ");
}

TEST_F(CohortStream, WordCountCountsCompletedNonMarkerCohorts) {
  ReadOne("$LA$\n    $LA$ //_Z_ //\nyks\n    yks+0 //_N_ card sg nom l //\nkaks\n    kaks+0 //_N_ card sg nom l //\n");
  EXPECT_EQ(CurrentSentence().wordCount, 1);  // "kaks" is the last cohort: never completed
}

TEST_F(CohortStream, BaseFormRules) {
  ReadOne(
      "x\n"
      "    kodu_maja+des //_S_ com pl in //\n"   // "+" before the marker: stem only
      "    -maja+0 //_S_ com sg nom //\n"        // start after "-"
      "    jne //_Y_ //\n"                       // no "+": rest of the line
      "    +0 //_S_ //\n");                      // "+" before the start: rest of the line
  const Cohort& c = CurrentSentence().cohorts[1];
  ASSERT_EQ(c.readings.size(), 4u);
  EXPECT_EQ(c.readings[0].text, "kodu_maja+des / _S_ com pl in // \"kodu_maja\" ");
  EXPECT_EQ(c.readings[1].text, "maja+0 / _S_ com sg nom // \"maja\" ");
  EXPECT_EQ(c.readings[2].text, "jne / _Y_ // \"jne / _Y_ //\" ");
  EXPECT_EQ(c.readings[3].text, "0 / _S_ // \"0 / _S_ //\" ");
}

// The "-" or "+" the text skips is written back: a dash keeps its lemma.
TEST_F(CohortStream, SkippedLeadCharacterIsWrittenBack) {
  EXPECT_EQ(RunStream("-\n    - //_Z_ Dsh //\nx\n    -maja+0 //_S_ com sg nom //\n    +0 //_S_ //\nz\n", false),
            "-\n    - //_Z_ Dsh // \nx\n    -maja+0 //_S_ com sg nom // \n    +0 //_S_ // \nz\n");
}

TEST_F(CohortStream, ClauseBoundaryMarksAreReadAndWrittenBack) {
  const char in[] =
      "et\n"
      "    et+0 //_J_ sub // **CLB\n"
      "kui\n"
      "    kui+0 //_J_ crd sub // **CLB-C\n"
      "    kui+0 //_D_ //\n"
      "z\n";
  ReadOne(in);
  const Sentence& s = CurrentSentence();
  EXPECT_EQ(s.cohorts[1].readings[0].mark, 1);
  EXPECT_EQ(s.cohorts[1].readings[0].text, "et+0 / _J_ sub //  \"et\" ");
  EXPECT_EQ(s.cohorts[2].readings[0].mark, 2);
  FreeSentence();
  EXPECT_EQ(RunStream(in, false),
            "et\n    et+0 //_J_ sub //  **CLB \n"
            "kui\n    kui+0 //_J_ crd sub //  **CLB-C \n    kui+0 //_D_ // \n"
            "z\n");
}

TEST_F(CohortStream, DuplicatesDifferingAfterTheAnalysisAreDropped) {
  ReadOne("maja\n    maja+0 //_S_ com sg nom //\n    maja+0 //_S_ com sg nom // **CLB\n"
          "     maja+0 //_S_ com sg nom //\nx\n");
  const Cohort& c = CurrentSentence().cohorts[1];
  ASSERT_EQ(c.readings.size(), 1u);
  EXPECT_EQ(c.readings[0].mark, 0);
  EXPECT_EQ(c.count, 1);
}

TEST_F(CohortStream, DistinctReadingsAreKept) {
  // A reading whose analysis ends like another one's, and a counted reading
  // after a blank one, are not duplicates.
  ReadOne("kodumaja\n    maja+0 //_S_ com sg nom //\n    kodu_maja+0 //_S_ com sg nom //\n"
          "x\n    ####\n    x+0 //_S_ com sg nom //\ny\n");
  const Sentence& s = CurrentSentence();
  EXPECT_EQ(s.cohorts[1].readings.size(), 2u);
  EXPECT_EQ(s.cohorts[1].count, 2);
  ASSERT_EQ(s.cohorts[2].readings.size(), 2u);
  EXPECT_EQ(s.cohorts[2].count, 1);
  EXPECT_FALSE(s.cohorts[2].readings[0].counted);
  EXPECT_EQ(s.cohorts[2].readings[0].text, " ");
}

TEST_F(CohortStream, BlankReadings) {
  // Only "####" lines: count 0 and one "####" per line read.
  EXPECT_EQ(RunStream("xyz\n    ####\n    foo\nabc\n    abc+0 //_S_ com sg nom //\n", false),
            "xyz\n    ####\n    ####\nabc\n    abc+0 //_S_ com sg nom // \n");
  // A marker too close to the line start makes a blank reading.
  ReadOne("q\n   //_Z_ //\nr\n");
  EXPECT_EQ(CurrentSentence().cohorts[1].count, 0);
  EXPECT_FALSE(CurrentSentence().cohorts[1].readings[0].counted);
}

TEST_F(CohortStream, LastCohortKeepsProvisionalCount) {
  ReadOne("zz\n    zz //_Z_ //\n    zz //_Y_ //\n");
  const Cohort& last = CurrentSentence().cohorts[1];
  EXPECT_EQ(last.count, 1);
  EXPECT_EQ(last.readings.size(), 2u);
  FreeSentence();
  ReadOne("abc\n    ####\n");
  EXPECT_EQ(CurrentSentence().cohorts[1].count, 0);
}

TEST_F(CohortStream, ReaderStates) {
  // A delimiter ends the sentence after its first reading line.
  std::vector<int> states;
  std::string out = RunStream("a\n    a+0 //_S_ //\n$LL$\n    $LL$ //_Z_ //\n    $LL$ //_Y_ //\nb\n    b+0 //_S_ //\n",
                        false, &states);
  EXPECT_EQ(states, (std::vector<int>{2, 0}));
  // The second reading line of the delimiter belongs to the next sentence's
  // start cohort, which is never written.
  EXPECT_EQ(out, "a\n    a+0 //_S_ // \n$LL$\n    $LL$ //_Z_ // \nb\n    b+0 //_S_ // \n");
  // A delimiter word at the very end: state 1, then an empty sentence.
  states.clear();
  out = RunStream("a\n    a+0 //_S_ //\n$LL$\n", false, &states);
  EXPECT_EQ(states, (std::vector<int>{1, 0}));
  EXPECT_EQ(out, "a\n    a+0 //_S_ // \n$LL$\n");
  // No delimiter at all: one sentence.
  states.clear();
  RunStream("a\n    a+0 //_S_ //\nb\n    b+0 //_S_ //\n", false, &states);
  EXPECT_EQ(states, (std::vector<int>{0}));
}

TEST_F(CohortStream, SentenceWithoutReadingsEndsAtTheDelimiterWord) {
  std::vector<int> states;
  std::string out = RunStream("a\n    ####\n$LL$\n    $LL$ //_Z_ //\nb\n    b+0 //_S_ //\n", false, &states);
  EXPECT_EQ(states, (std::vector<int>{2, 0}));
  EXPECT_EQ(out, "a\n    ####\n$LL$\nb\n    b+0 //_S_ // \n");
}

TEST_F(CohortStream, CommentsStatisticsAndEmptyLines) {
  const char in[] =
      "a\n"
      "    a+0 //_S_ //\n"
      "! a comment  \n"
      "\n"
      "   \t\n"
      "LAUSE 3: keskmiselt t\xe4lgendusi s\xe4na kohta 1.5\n"
      "b\n"
      "    b+0 //_S_ //\n"
      "!last";
  EXPECT_EQ(RunStream(in, false), "! a comment  \n!last\na\n    a+0 //_S_ // \nb\n    b+0 //_S_ // \n");
}

TEST_F(CohortStream, ReadingBeforeTheFirstWordIsLost) {
  EXPECT_EQ(RunStream("    x+0 //_S_ //\na\n    a+0 //_S_ //\n", false), "a\n    a+0 //_S_ // \n");
}

TEST_F(CohortStream, AnnotationsOfEarlierRuns) {
  ReadOne("maja   D:S-sg-n C:1\nx C: foo\ny VIGA! z\nD:ab\nX:D:\nq\n");
  const Sentence& s = CurrentSentence();
  EXPECT_EQ(s.cohorts[1].word, "maja");
  EXPECT_EQ(s.cohorts[2].word, "x");
  EXPECT_EQ(s.cohorts[3].word, "y");
  EXPECT_EQ(s.cohorts[4].word, "D:ab");  // no blank: never cut
  EXPECT_EQ(s.cohorts[5].word, "X:D:");
}

TEST_F(CohortStream, LineEndsAndLastLineWithoutEnd) {
  EXPECT_EQ(RunStream("a\r\n    a+0 //_S_ //\r\nbcd\n    bcd+0 //_S_ //", false),
            "a\n    a+0 //_S_ // \nbcd\n    bcd+0 //_S_ // \n");
  EXPECT_EQ(RunStream("a\n    a+0 //_S_ //\nlast", false), "a\n    a+0 //_S_ // \nlast\n");
  EXPECT_EQ(RunStream("", false), "");
}

TEST_F(CohortStream, LongLinesLoseNothing) {
  std::string word(300, 'K');
  std::string stem(400, 'k');
  std::string tags;
  for (int i = 0; i < 60; ++i) tags += "tag" + std::to_string(i) + " ";
  std::string in = word + " \n    " + stem + "+0 //_S_ com sg nom " + tags + "//\n    " + stem +
                   " //_Y_ //\n" + word + "x\n";
  std::string out = RunStream(in, false);
  EXPECT_EQ(out, word + "\n    " + stem + "+0 //_S_ com sg nom " + tags + "// \n    " + stem + " //_Y_ // \n" +
                     word + "x\n");
  ReadOne(in);
  const Cohort& c = CurrentSentence().cohorts[1];
  EXPECT_EQ(c.lower, std::string(300, 'k'));
  EXPECT_NE(c.readings[0].text.find(" \"" + stem + "\" "), std::string::npos);
  EXPECT_NE(c.readings[1].text.find(" \"" + stem + " / _Y_ //\" "), std::string::npos);
}

TEST_F(CohortStream, WriterCutsAtPaaris) {
  EXPECT_EQ(RunStream("a\n    a+0 //_S_ com #P\x84ris sg //\nb\n", false), "a\n    a+0 //_S_ com \nb\n");
}

TEST_F(CohortStream, TokensThatLookLikeTheEndCohortAreOrdinary) {
  EXPECT_EQ(RunStream(">>>\n    >>> //_Z_ //\n<<<\n    <<< //_Z_ //\nx\n", false),
            ">>>\n    >>> //_Z_ // \n<<<\n    <<< //_Z_ // \nx\n");
}

TEST(LowerCase, Mapping) {
  EXPECT_EQ(LowerCaseForm("MAJA"), "maja");
  EXPECT_EQ(LowerCaseForm("\xC4\xD6\xDC\xD5\xD0\xDE"), "\xE4\xF6\xFC\xF5\xF0\xFE");
  EXPECT_EQ(LowerCaseForm("O^O~S^s^Z^z^"), "\xF5\xF5\xF0\xF0\xFE\xFE");
  EXPECT_EQ(LowerCaseForm("\x8E\x99\x9A\x84\x94\x81\x93"), "\xE4\xF6\xFC\xE4\xF6\xFC\xF5");
  EXPECT_EQ(LowerCaseForm("o^A^\xC0\xE4z"), "o^a^\xC0\xE4z");  // only the listed pairs and bytes change
  EXPECT_EQ(LowerCaseForm("O"), "o");
  EXPECT_EQ(LowerCaseForm(""), "");
}

}  // namespace
}  // namespace vaarikas::disamb
