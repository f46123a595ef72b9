#include "common/scramble.h"

#include <gtest/gtest.h>

namespace vaarikas {
namespace {

TEST(Scramble, DisambKeepsHeaderLinePlainAndRotatesBody) {
  std::string plain = "DELIMITERS\n\"$LL$\"\nSET-DECLARATIONS\n(N S)\n";
  std::string err;
  std::string s = ScrambleRuleFile(plain, RuleFileKind::kDisamb, &err);
  ASSERT_TRUE(err.empty());
  const std::string head = "DELIMITERS\n\"$LL$\"\nSET-DECLARATIONS\n";
  ASSERT_EQ(s.substr(0, head.size()), head);
  EXPECT_EQ(UnscrambleBody(s.substr(head.size())), "(N S)\n");
  EXPECT_EQ(static_cast<unsigned char>(s[head.size()]), RotateRight1('('));
}

TEST(Scramble, SyntaxKeepsTheDelimiterLinePlain) {
  std::string plain = "x\nSENTENCE-DELIMITERS\n\"$LL$\"\nSETS\n";
  std::string s = ScrambleRuleFile(plain, RuleFileKind::kSyntax, nullptr);
  const std::string head = "x\nSENTENCE-DELIMITERS\n\"$LL$\"\n";
  ASSERT_EQ(s.substr(0, head.size()), head);
  EXPECT_EQ(UnscrambleBody(s.substr(head.size())), "SETS\n");
}

TEST(Scramble, BodyLineEndsBecomeBareNewlines) {
  std::string s = ScrambleRuleFile("SET-DECLARATIONS\r\nA\r\nB\n", RuleFileKind::kDisamb, nullptr);
  EXPECT_EQ(UnscrambleBody(s.substr(18)), "A\nB\n");
}

TEST(Scramble, MissingHeaderIsAnError) {
  std::string err;
  EXPECT_TRUE(ScrambleRuleFile("nothing here\n", RuleFileKind::kDisamb, &err).empty());
  EXPECT_EQ(err, "no SET-DECLARATIONS header line");
}

TEST(Scramble, RotationsAreInverse) {
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(RotateLeft1(RotateRight1(static_cast<unsigned char>(b))), b);
  EXPECT_EQ(RotateRight1(0x01), 0x80);
}

}  // namespace
}  // namespace vaarikas

namespace vaarikas {
namespace {

TEST(Scramble, HeaderFoundAnywhereInItsLineAndLastLineEnded) {
  std::string s = ScrambleRuleFile(";; x\n== SET-DECLARATIONS ==\nLIST A = x ;", RuleFileKind::kDisamb, nullptr);
  const std::string head = ";; x\n== SET-DECLARATIONS ==\n";
  ASSERT_EQ(s.substr(0, head.size()), head);
  EXPECT_EQ(UnscrambleBody(s.substr(head.size())), "LIST A = x ;\n");
}

}  // namespace
}  // namespace vaarikas
