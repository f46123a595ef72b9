#include <gtest/gtest.h>

#include <string>

#include "common/scramble.h"
#include "disamb/disamb.h"
#include "disamb/state.h"
#include "tests/disamb/helpers.h"

namespace vaarikas::disamb {
namespace {

using detail::S;
using test::LoadRules;

const char kHead[] =
    "SENTENCE-DELIMITERS\n"       // 1
    "( . ! ? )\n"                 // 2
    "SET-DECLARATIONS\n"          // 3
    "(NOUN S (S sg) N)\n"         // 4
    "(DET det)\n"                 // 5
    "(ADV _D_)\n";                // 6
const char kCb[] = "CLAUSE-BOUNDARY-CONSTRAINTS\n";   // 7
const char kDa[] = "DISAMBIGUATION-CONSTRAINTS\n";    // 8 when no CB rule

// A file made of the head, the clause-boundary header, cb, the
// disambiguation header and da.
std::string File(const std::string& cb, const std::string& da) { return kHead + std::string(kCb) + cb + kDa + da; }

// The message for a file whose only disambiguation constraint is rule (line 9).
std::string DaError(const std::string& rule) {
  std::string m;
  EXPECT_EQ(LoadRules(File("", rule + "\n"), &m), 1) << rule;
  return m;
}

class RuleFile : public ::testing::Test {
 protected:
  void TearDown() override { FreeRules(); }
};

TEST_F(RuleFile, ReadsEverySection) {
  std::string m;
  ASSERT_EQ(LoadRules(File("(@w=**CLB (*) (-1 DET))\n(\"ja\"=**CLB-C (S) )\n",
                           "(@w =0 (S) (-1 DET R1) (R1 ADV))\n(\"et\" =!! (J sub) CLB-C (*1C NOUN))\n") +
                          "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n(@w =! (S) (NOT 1 ADV) )\n",
                      &m, false, true),
            0)
      << m;
  EXPECT_EQ(m, "");
  auto& st = S();
  EXPECT_EQ(st.delimiters, (std::vector<std::string>{".", "!", "?"}));
  ASSERT_EQ(st.sets.size(), 3u);
  ASSERT_EQ(st.sets[0].members.size(), 3u);
  EXPECT_EQ(st.sets[0].members[0].text, " S ");
  EXPECT_EQ(st.sets[0].members[1].text, " S sg ");
  EXPECT_EQ(st.sets[0].members[2].text, " N ");
  ASSERT_EQ(ConstraintCount(0), 2);
  ASSERT_EQ(ConstraintCount(1), 2);
  ASSERT_EQ(ConstraintCount(2), 1);
  const auto& cb = st.lists[0];
  EXPECT_EQ(cb[0].domain, "@w");
  EXPECT_EQ(cb[0].op, 1);
  EXPECT_TRUE(cb[0].anyTarget);
  EXPECT_EQ(cb[1].domain, "ja");
  EXPECT_EQ(cb[1].op, 2);
  EXPECT_EQ(cb[1].target.text, " S ");
  const auto& da = st.lists[1];
  ASSERT_EQ(da[0].conditions.size(), 2u);
  EXPECT_EQ(da[0].conditions[0].offset, -1);
  EXPECT_EQ(da[0].conditions[0].link, 0);
  EXPECT_EQ(da[0].conditions[1].link, 1);  // R
  EXPECT_EQ(da[0].conditions[1].offset, 1);
  EXPECT_EQ(da[1].op, 2);
  EXPECT_EQ(da[1].clauseMode, 2);
  EXPECT_EQ(da[1].target.text, " J sub ");
  EXPECT_TRUE(da[1].conditions[0].scan);
  EXPECT_TRUE(da[1].conditions[0].careful);
  EXPECT_TRUE(st.lists[2][0].conditions[0].negated);
}

TEST_F(RuleFile, ScrambledFileReadsLikeThePlainOne) {
  std::string plain = File("(@w=**CLB (*) (-1 DET))\n", "(@w =0 (S) (-1 DET) \\\n   (1 ADV))\n");
  std::string err;
  std::string scrambled = ScrambleRuleFile(plain, RuleFileKind::kDisamb, &err);
  ASSERT_EQ(err, "");
  std::string m;
  ASSERT_EQ(LoadRules(scrambled, &m, true), 0) << m;
  EXPECT_EQ(ConstraintCount(1), 1);
  EXPECT_EQ(S().lists[1][0].conditions.size(), 2u);
  // The plain file read in scrambled mode is garbage after the header.
  EXPECT_EQ(LoadRules(plain, &m, true), 1);
  // The scrambled file read in plain mode has no line ends after the header.
  EXPECT_EQ(LoadRules(scrambled, &m, false), 1);
  EXPECT_EQ(m, "\nRida nr. 4 liiga pikk!\n");
}

TEST_F(RuleFile, ContinuationsJoinWithOneBlank) {
  ASSERT_EQ(LoadRules(File("", "(@w =0 (S)   \\\n\t (-1 DET)\t\\\n(1 ADV))\n(@w =0 (N) (1 DET))\n")), 0);
  ASSERT_EQ(ConstraintCount(1), 2);
  EXPECT_EQ(S().lists[1][0].conditions.size(), 2u);
  // Line numbers go on counting the continuation lines.
  std::string m = DaError("(@w =0 (S) \\\n (-1 DET) \\\n (1 XYZ))");
  EXPECT_EQ(m, "\nViga tingimuses (tundmatu hulga nimi XYZ) kitsenduste reeglis reas 11\n");
}

TEST_F(RuleFile, CommentsShortLinesAndSectionsWithoutRules) {
  std::string f =
      ";; comment before\nSENTENCE-DELIMITERS ;; x\n\n  ;; only a comment\n($LL$) ;; marker\n"
      "SET-DECLARATIONS\n;(NOT A SET)\n()\n\n"
      "CLAUSE-BOUNDARY-CONSTRAINTS\nDISAMBIGUATION-CONSTRAINTS\n";
  std::string m;
  ASSERT_EQ(LoadRules(f, &m), 0) << m;
  EXPECT_EQ(S().delimiters, (std::vector<std::string>{"$LL$"}));
  EXPECT_TRUE(S().sets.empty());
  // Without "h" nothing after the disambiguation section is needed.
  EXPECT_EQ(ConstraintCount(2), 0);
  // With "h" the heuristic section is required.
  EXPECT_EQ(LoadRules(f, &m, false, true), 1);
  EXPECT_EQ(m, "\nPuudub sektsioon HEURISTIC-DISAMBIGUATION-CONSTRAINTS");
}

TEST_F(RuleFile, DelimiterMessages) {
  std::string m;
  EXPECT_EQ(LoadRules("SET-DECLARATIONS\n", &m), 1);
  EXPECT_EQ(m, "\nReeglite failis puudub sektsioon SENTENCE-DELIMITERS");
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\n(   )\nSET-DECLARATIONS\n", &m), 1);
  EXPECT_EQ(m, "\nPuudub eraldajate definitsioon!\n");
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\n( . ) x\nSET-DECLARATIONS\n", &m), 1);
  EXPECT_EQ(m, "Viga eraldajate defineerimisel reas 2\n");
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\n\n( . !\nSET-DECLARATIONS\n", &m), 1);
  EXPECT_EQ(m, "\nViga eraldajate definitsioonis real 3! \n");
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\n(" + std::string(300, 'x') + ")\n", &m), 1);
  EXPECT_EQ(m, "\nRida nr. 2 liiga pikk!\n");
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\n( . )\n", &m), 1);
  EXPECT_EQ(m, "\nPuudub sektsioon SET-DECLARATIONS");
  // Windows line ends read the same.
  EXPECT_EQ(LoadRules("SENTENCE-DELIMITERS\r\n( . )\r\nSET-DECLARATIONS\r\nCLAUSE-BOUNDARY-CONSTRAINTS\r\n"
                      "DISAMBIGUATION-CONSTRAINTS\r\n",
                      &m),
            0)
      << m;
  EXPECT_EQ(S().delimiters, (std::vector<std::string>{"."}));
}

TEST_F(RuleFile, SetMessages) {
  auto setError = [](const std::string& line) {
    std::string m;
    EXPECT_EQ(LoadRules(std::string("SENTENCE-DELIMITERS\n(.)\nSET-DECLARATIONS\n(A a)\n") + line + "\n" + kCb + kDa,
                        &m),
              1)
        << line;
    return m;
  };
  EXPECT_EQ(setError("(NAME)"), "Viga hulga defineerimisel reas 5\n");
  EXPECT_EQ(setError("(NAME a () b)"), "Viga hulga defineerimisel reas 5\n");
  EXPECT_EQ(setError("(NAME \"\"x)"), "Viga hulga defineerimisel reas 5\n");
  EXPECT_EQ(setError("(A b)"), "\nHulga nimi A kordub! \n");
  EXPECT_EQ(setError("(NAME a) b"), "Viga hulga definitsioonis reas 5\n");
  EXPECT_EQ(setError("(NAME a b"), "\nViga hulga definitsioonis reas 5! \n");
  EXPECT_EQ(setError("(NAME a (b c"), "\nViga hulga definitsioonis (puudub ')') reas 5! \n");
  EXPECT_EQ(setError("(NAME " + std::string(250, 'a') + ")"), "\nRida nr. 5 liiga pikk!\n");
  std::string longRule = "(NAME";
  for (int i = 0; i < 5; ++i) longRule += " " + std::string(200, 'a') + " \\\n";
  EXPECT_EQ(setError(longRule + ")"), "\nReegel real 8 liiga pikk!\n");
  // A name followed by a blank and ")" declares an empty set.
  std::string m;
  ASSERT_EQ(LoadRules(std::string("SENTENCE-DELIMITERS\n(.)\nSET-DECLARATIONS\n(EMPTY )\n(Q \"maja\" (a,b)(c))\n") +
                          kCb + kDa,
                      &m),
            0)
      << m;
  EXPECT_TRUE(S().sets[0].members.empty());
  ASSERT_EQ(S().sets[1].members.size(), 3u);
  EXPECT_EQ(S().sets[1].members[0].text, " \"maja\" ");
  EXPECT_EQ(S().sets[1].members[1].text, " a b ");
  EXPECT_EQ(S().sets[1].members[2].text, " c ");
}

TEST_F(RuleFile, ConstraintMessages) {
  EXPECT_EQ(DaError("(@w =0 (S"), "\nViga kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S))"), "\nViga kitsenduste reeglis (tingimused) reas 9\n");
  EXPECT_EQ(DaError("(@x =0 (S) )"), "\nViga kitsenduste reeglis (doomen) reas 9\n");
  EXPECT_EQ(DaError("(maja =0 (S) )"), "\nViga kitsenduste reeglis (doomen) reas 9\n");
  EXPECT_EQ(DaError("(@w =1 (S) )"), "\nViga kitsenduste reeglis (operaator) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 S (1 DET))"), "\nViga kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S sg pl"), "\nViga kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 DET)"), "\nViga kitsenduste reeglis (tingimused) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 DET) (-1 ADV"), "\nViga kitsenduste reeglis (tingimused) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 DET) XYZ)"), "\nViga kitsenduste reeglis (tingimused) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) CLB (1 DET) CLB)"), "\nViga kitsenduste reeglis (tingimused) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (12 DET))"), "\nViga tingimuses (positsioon) kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (x1 DET))"), "\nViga tingimuses (positsioon) kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 NOPE))"),
            "\nViga tingimuses (tundmatu hulga nimi NOPE) kitsenduste reeglis reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (R1 DET))"), "\nViga kitsenduste reeglis (link) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 DET R1) (L1 ADV))"), "\nViga kitsenduste reeglis (link) reas 9\n");
  EXPECT_EQ(DaError("(@w =0 (S) (1 DET R1234567))"), "\nViga tingimuses (link?) kitsenduste reeglis reas 9\n");
  // Clause-boundary section: the operator follows the domain directly.
  std::string m;
  EXPECT_EQ(LoadRules(File("(@w =**CLB (*) (1 DET))\n", ""), &m), 1);
  EXPECT_EQ(m, "\nViga kitsenduste reeglis (doomen) reas 8\n");
  EXPECT_EQ(LoadRules(File("(@w=**CLB(*) (1 DET))\n", ""), &m), 1);
  EXPECT_EQ(m, "\nViga kitsenduste reeglis reas 8\n");
  EXPECT_EQ(LoadRules(File("(@w =0 (*) (1 DET))\n", ""), &m), 1);
  EXPECT_EQ(m, "\nViga kitsenduste reeglis reas 8\n");
  EXPECT_EQ(LoadRules(File("(@w=**CLB (*) CLB (1 DET))\n", ""), &m), 1);
  EXPECT_EQ(m, "\nViga kitsenduste reeglis (tingimused) reas 8\n");
}

TEST_F(RuleFile, PositionForms) {
  std::string m;
  ASSERT_EQ(LoadRules(File("", "(@w =0 (S) (NOT *-2C DET W) (W ADV) (0 DET *W+1C) (*W+1C NOUN R))\n"), &m), 0)
      << m;
  const auto& c = S().lists[1][0].conditions;
  ASSERT_EQ(c.size(), 4u);
  EXPECT_TRUE(c[0].negated && c[0].scan && c[0].careful);
  EXPECT_EQ(c[0].offset, -2);
  EXPECT_EQ(c[1].link, 3);
  EXPECT_EQ(c[1].offset, 0);
  EXPECT_EQ(c[2].link, 0);
  EXPECT_EQ(c[3].link, 3);
  EXPECT_TRUE(c[3].scan && c[3].careful);
  EXPECT_EQ(c[3].offset, 1);
}

TEST_F(RuleFile, BodyLineLimitAndMissingLineEnd) {
  std::string m;
  EXPECT_EQ(LoadRules(File("", "(@w =0 (S) (1 DET))"), &m), 1);
  EXPECT_EQ(m, "\nRida nr. 9 liiga pikk!\n");
  std::string ok = "(@w =0 (S) (1 DET)" + std::string(238 - 19, ' ') + ")\n";  // 238 bytes and "\n"
  ASSERT_EQ(ok.size(), 239u);
  EXPECT_EQ(LoadRules(File("", ok), &m), 0) << m;
  std::string okCrLf = ok.substr(0, ok.size() - 1) + "\r\n";
  EXPECT_EQ(LoadRules(File("", okCrLf), &m), 0) << m;
  EXPECT_EQ(LoadRules(File("", " " + ok), &m), 1);
  EXPECT_EQ(m, "\nRida nr. 9 liiga pikk!\n");
}

TEST_F(RuleFile, ContinuationAtTheEndOfTheFile) {
  std::string m;
  EXPECT_EQ(LoadRules(File("", "(@w =0 (S) (1 DET) \\\n"), &m), 1);
  EXPECT_EQ(m, "\nViga kitsenduste reeglis (tingimused) reas 9\n");
}

TEST_F(RuleFile, ShippedGrammarReads) {
  std::FILE* f = std::fopen(VAARIKAS_SOURCE_DIR "/data/grammar.rul", "rb");
  ASSERT_NE(f, nullptr);
  std::string text;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  std::string m;
  ASSERT_EQ(LoadRules(text, &m, false, true), 0) << m;
  EXPECT_EQ(S().delimiters, (std::vector<std::string>{"$LL$"}));
  EXPECT_GE(ConstraintCount(0) + ConstraintCount(1) + ConstraintCount(2), 30);
  std::string err;
  ASSERT_EQ(LoadRules(ScrambleRuleFile(text, RuleFileKind::kDisamb, &err), &m, true, true), 0) << m;
}

}  // namespace
}  // namespace vaarikas::disamb
