#include <gtest/gtest.h>

#include "common/scramble.h"
#include "syntax/rules.h"
#include "tests/syntax/test_util.h"

namespace vaarikas::syntax {
namespace {

using test::Grammar;
using test::ReadResult;
using test::ReadRulesText;

const std::string kSyntaxErr = "Viga s\x81ntaksis \n";
std::string InSection(const char* name) { return kSyntaxErr + "Sektsioon: " + name + "  \n"; }

TEST(SyntaxRules, ReadsEverySection) {
  Grammar g;
  g.sets += "\n(PAIR _S_&gen \"maja\" <<< >>>)";
  g.mappings = "(_S_ nom) ((1 FIN) (-1 START) **CLB-C) (@SUBJ @OBJ)\n(_V_) (@FMV)\n(_A_) () (@AN>)";
  g.boundaries = "(@w =**CLB-C (Com) (1 SUB))\n(\"ja\" =**CLB (*) (*-1 FIN) **CLB)";
  g.syntactic = "(@w =s! (@SUBJ) (NOT *1 SUBJ))\n(@w =s? (*) (0C N))";
  ReadResult r = ReadRulesText(g.Text());
  ASSERT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(r.messages, "");
  ASSERT_EQ(g_rules.delimiters, std::vector<std::string>{"$LL$"});
  const SyntaxSet* pair = LookUpSet("PAIR");
  ASSERT_NE(pair, nullptr);
  EXPECT_EQ(pair->members, (std::vector<std::string>{"_S_&gen", "\"maja\"", "<<<", ">>>"}));
  ASSERT_EQ(pair->conjunctions[0].size(), 2u);
  EXPECT_EQ(pair->conjunctions[1][0].kind, TagPattern::kQuoted);
  EXPECT_EQ(pair->conjunctions[1][0].text, "maja");
  EXPECT_EQ(pair->conjunctions[2][0].kind, TagPattern::kStart);

  ASSERT_EQ(g_rules.mappings.size(), 3u);
  const SyntaxMapping& m = g_rules.mappings[0];
  EXPECT_EQ(m.number, 1);
  EXPECT_EQ(m.target, (std::vector<std::string>{"_S_", "nom"}));
  EXPECT_EQ(m.tags, (std::vector<std::string>{"@SUBJ", "@OBJ"}));
  EXPECT_EQ(m.window, 1);
  ASSERT_EQ(m.conditions.size(), 2u);
  EXPECT_EQ(m.conditions[0].position, 1);
  EXPECT_TRUE(m.conditions[0].right);
  EXPECT_EQ(m.conditions[1].position, 1);
  EXPECT_FALSE(m.conditions[1].right);
  EXPECT_EQ(m.conditions[1].set, LookUpSet("START"));
  EXPECT_TRUE(g_rules.mappings[1].conditions.empty());
  EXPECT_EQ(g_rules.mappings[2].tags, std::vector<std::string>{"@AN>"});

  ASSERT_EQ(g_rules.clauseBoundaries.size(), 2u);
  EXPECT_EQ(g_rules.clauseBoundaries[0].op, kOpPossibleBoundary);
  EXPECT_EQ(g_rules.clauseBoundaries[1].op, kOpCertainBoundary);
  EXPECT_EQ(g_rules.clauseBoundaries[1].domain, "\"ja\"");
  EXPECT_EQ(g_rules.clauseBoundaries[1].window, 2);
  EXPECT_EQ(g_rules.clauseBoundaries[1].conditions[0].scan, 1);
  EXPECT_EQ(g_rules.clauseBoundaries[1].kind, "C:");

  ASSERT_EQ(g_rules.constraints.size(), 2u);
  EXPECT_EQ(g_rules.constraints[0].op, kOpSelectTags);
  EXPECT_FALSE(g_rules.constraints[0].conditions[0].positive);
  EXPECT_EQ(g_rules.constraints[1].op, kOpRemoveReading);
  EXPECT_TRUE(g_rules.constraints[1].conditions[0].careful);
  EXPECT_EQ(g_rules.constraints[1].number, 2);
  EXPECT_EQ(g_rules.functions.size(), 7u);
  FreeSyntaxRules();
  EXPECT_TRUE(g_rules.mappings.empty());
  EXPECT_EQ(LookUpSet("PAIR"), nullptr);
}

TEST(SyntaxRules, LinksAndTheirRepeatedHeaders) {
  Grammar g;
  g.mappings =
      "(_S_) ((1 N R+1 (R+1 V)) (@X)\n"
      "(_S_) ((-2C N *L-1C (*L-1C V L-1 (NOT L-1 A)) **CLB) (@X)\n"
      "(_S_) ((1 N W) (W V WC (WC A)) (@X)\n";
  ReadResult r = ReadRulesText(g.Text());
  ASSERT_TRUE(r.ok) << r.messages;
  const SyntaxCondition& c0 = g_rules.mappings[0].conditions[0];
  ASSERT_EQ(c0.links.size(), 1u);
  EXPECT_EQ(c0.links[0].letter, 'R');
  EXPECT_EQ(c0.links[0].position, 1);
  EXPECT_EQ(c0.links[0].set, LookUpSet("V"));
  const SyntaxMapping& m1 = g_rules.mappings[1];
  EXPECT_EQ(m1.window, 2);
  ASSERT_EQ(m1.conditions[0].links.size(), 2u);
  EXPECT_EQ(m1.conditions[0].links[0].scan, 1);
  EXPECT_TRUE(m1.conditions[0].links[0].careful);
  EXPECT_FALSE(m1.conditions[0].links[0].right);
  EXPECT_FALSE(m1.conditions[0].links[1].positive);
  const SyntaxCondition& c2 = g_rules.mappings[2].conditions[0];
  ASSERT_EQ(c2.links.size(), 2u);
  EXPECT_EQ(c2.links[0].position, 0);
  EXPECT_FALSE(c2.links[0].careful);
  EXPECT_TRUE(c2.links[1].careful);
  FreeSyntaxRules();
}

TEST(SyntaxRules, MessagesOfTheHead) {
  ReadResult r = ReadRulesText("SENTENCE-DELIMITERS\n($LL$)\nINFORMATION-SECTION\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.messages, "See pole reeglite fail\n" + kSyntaxErr);

  r = ReadRulesText("");
  EXPECT_EQ(r.messages, "See pole reeglite fail\n" + kSyntaxErr);

  // The delimiter line must follow its header directly.
  Grammar g;
  g.delimiters = "\n($LL$)";
  r = ReadRulesText(g.Text());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.messages, "Peab leiduma v\x84hemalt \x81ks eraldaja!\n" + InSection("SENTENCE-DELIMITERS"));

  g = Grammar();
  g.sets += "\n(ABCDEFGHIJKLMNO _S_)";
  r = ReadRulesText(g.Text());
  EXPECT_EQ(r.messages, "Hulga nimi liiga pikk: ABCDEFGHIJKLMNO _S_)\n\n" + InSection("SET-DECLARATIONS"));
  g = Grammar();
  g.sets += "\n(ABCDEFGHIJKLMN _S_)";
  g.mappings = "(_S_) ((1 ABCDEFGHIJKLMN)) (@X)";
  EXPECT_TRUE(ReadRulesText(g.Text()).ok);
}

TEST(SyntaxRules, MessagesOfSectionSearches) {
  Grammar g;
  std::string text = g.Text();
  text.erase(text.find("CLAUSE-BOUNDARY-CONSTRAINTS\n"), 28);
  ReadResult r = ReadRulesText(text);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.messages, "Puudub sektsioon CLAUSE-BOUNDARY-CONSTRAINTS.\n" + kSyntaxErr);

  // "END" anywhere, also inside a tag, ends a search.
  g.sets += "\n(X ENDING)";
  r = ReadRulesText(g.Text());
  EXPECT_EQ(r.messages, "Puudub sektsioon CLAUSE-BOUNDARY-CONSTRAINTS.\n" + kSyntaxErr);

  // A section name behind ";;" is no header.
  g = Grammar();
  g.boundaries = "(@w =**CLB (Com) (1 SUB)) ;; DISAMBIGUATION-CONSTRAINTS follow";
  r = ReadRulesText(g.Text());
  EXPECT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.clauseBoundaries.size(), 1u);

  // The file ends inside the set declarations.
  r = ReadRulesText("INFORMATION-SECTION\nSENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n(N _S_)\n");
  EXPECT_EQ(r.messages, "Viga failist lugemisel \n");
}

TEST(SyntaxRules, MessagesOfEmptySections) {
  Grammar g;
  g.boundaries = "";
  EXPECT_EQ(ReadRulesText(g.Text()).messages,
            "Osalause piire m\x84\x84ravaid reegleid ei leidunud!\n" + InSection("CLAUSE-BOUNDARY-CONSTRAINTS"));
  g = Grammar();
  g.mappings = "";
  EXPECT_EQ(ReadRulesText(g.Text()).messages,
            "Morfos\x81ntaktilisi kujutusi ei leidunud\n" + InSection("MORPHOSYNTACTIC-MAPPINGS"));
  g = Grammar();
  g.syntactic = "";
  EXPECT_EQ(ReadRulesText(g.Text()).messages,
            "S\x81ntaktilisi kitsendusi ei leidunud!\n" + InSection("SYNTACTIC-CONSTRAINTS"));
  g = Grammar();
  g.functions = "nothing here";
  EXPECT_EQ(ReadRulesText(g.Text()).messages, InSection("SYNTACTIC-FUNCTION-DECLARATIONS"));
  g.functions = "PRINCIPAL-FUNCTION-DECLARATIONS\n(@SUBJ)\n(@SUBJ @OBJ)";
  ReadResult r = ReadRulesText(g.Text());
  EXPECT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.functions, std::vector<std::string>{"@SUBJ"});
}

TEST(SyntaxRules, MessagesOfRuleLines) {
  struct Case {
    std::string mapping;
    std::string expected;
  };
  const Case cases[] = {
      {"(_S_) ((1000 N)) (@X)", "Positsiooni number liiga suur:1000 N)) (@X)\n\n"},
      {"(_S_) ((1 NOPE)) (@X)", "Tundmatu hulga nimi: NOPE\nViga real: NOPE)) (@X)\n\n"},
      {"(_S_) ((1 N)", "Ootamatu rea l\x93pp! \n\n"},
      {"(_S_) @X", "Viga real: @X\n\n"},
      {"(_S_) ((1 N) (@X)", "Tundmatu hulga nimi: \nViga real: )\n\n"},
      {"(_S_) ((NOT 1 N R+1 (R+1 V)) (@X)", "Eitavas reeglis ei saa viidata.\nR+1 (R+1 V)) (@X)\n\n"},
      {"(_S_) ((1 N L+1 (L+1 V)) (@X)", "Viga real: L+1 (L+1 V)) (@X)\n\nViide ei ole korrektne\n"},
      {"(_S_) ((1 N R-1 (R-1 V)) (@X)", "Viga real: R-1 (R-1 V)) (@X)\n\nViide ei ole korrektne\n"},
      {"(_S_) ((1 N R) (R V)) (@X)", "Viga real: R) (R V)) (@X)\n\nViide ei ole korrektne\n"},
      {"(_S_) ((1 N Rx (R V)) (@X)", "Puuduv sulg x (R V)) (@X)\n\n"},
      {"(_S_) ((1 N *R+1 (R+1 V)) (@X)", "Viide ei ole t\x84pne, * puudub.\n R+1 V)) (@X)\n"},
      {"(_S_) ((1 N %R+1 (R+1 V)) (@X)", "Viide ei ole t\x84pne, % puudub.\n R+1 V)) (@X)\n"},
      {"(_S_) ((1 N R+1 (W+1 V)) (@X)", "Viide ei ole t\x84pne, R puudub.\nW+1 V)) (@X)\n"},
      {"(_S_) ((1 N R+1 (R1 V)) (@X)", "Viide ei ole t\x84pne, '+' puudub.\n1 V)) (@X)\n"},
      {"(_S_) ((1 N L-1 (L+1 V)) (@X)", "Viide ei ole t\x84pne, '-' puudub.\n+1 V)) (@X)\n"},
      {"(_S_) ((1 N R+1 (R+2 V)) (@X)", "Viide ei ole t\x84pne, positsioon on vale\n2 V)) (@X)\n"},
      {"(_S_) ((1 N R+1C (R+1 V)) (@X)", "Viide ei ole t\x84pne, puudub 'C'.\n V)) (@X)\n"},
      {"(_S_) ((1 N W) (WV)) (@X)", "Viide ei ole t\x84pne, positsioon on vale\nV)) (@X)\n"},
  };
  for (const Case& c : cases) {
    Grammar g;
    g.mappings = c.mapping;
    ReadResult r = ReadRulesText(g.Text());
    EXPECT_FALSE(r.ok) << c.mapping;
    EXPECT_EQ(r.messages, c.expected + InSection("MORPHOSYNTACTIC-MAPPINGS")) << c.mapping;
  }
  // A three-digit position is accepted.
  Grammar g;
  g.mappings = "(_S_) ((*-999 N)) (@X)";
  ReadResult r = ReadRulesText(g.Text());
  ASSERT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.mappings[0].conditions[0].position, 999);
}

TEST(SyntaxRules, MessagesOfConstraintLines) {
  struct Case {
    std::string rule;
    std::string expected;
  };
  const Case cases[] = {
      {"(@w =sx (@X) (1 N))", "Viga operaatoris:=sx (@X) (1 N))\n\n"},
      {"(@w =0 (@X) (1 N))", "Viga operaatoris: =0 (@X) (1 N))\n\n"},
      {"(@w =s0 (@X) 1 N)", "Viga real: 1 N)\n\n"},
      {"(@w =s0 (@X) (1 N)", "Ootamatu rea l\x93pp! \n\n"},
  };
  for (const Case& c : cases) {
    Grammar g;
    g.syntactic = c.rule;
    ReadResult r = ReadRulesText(g.Text());
    EXPECT_FALSE(r.ok) << c.rule;
    EXPECT_EQ(r.messages, c.expected + InSection("SYNTACTIC-CONSTRAINTS")) << c.rule;
  }
}

TEST(SyntaxRules, ContinuationLines) {
  Grammar g;
  g.mappings = "(_S_ \\\n\n   ;; comment only\n   nom) ((1 N) \\\n  \\\n (-1 V)) \\\n(@SUBJ)";
  ReadResult r = ReadRulesText(g.Text());
  ASSERT_TRUE(r.ok) << r.messages;
  ASSERT_EQ(g_rules.mappings.size(), 1u);
  EXPECT_EQ(g_rules.mappings[0].target, (std::vector<std::string>{"_S_", "nom"}));
  EXPECT_EQ(g_rules.mappings[0].conditions.size(), 2u);
  EXPECT_EQ(g_rules.mappings[0].tags, std::vector<std::string>{"@SUBJ"});

  g.mappings = "(_S_) ((1 N) \\";
  r = ReadRulesText(g.Text());
  EXPECT_EQ(r.messages, "Ootamatu uue sektsiooni algus: CLAUSE-BOUNDARY-CONSTRAINTS\n\n"
                        "Viga real: CLAUSE-BOUNDARY-CONSTRAINTS\n\n" +
                            InSection("MORPHOSYNTACTIC-MAPPINGS"));
}

TEST(SyntaxRules, HeuristicLevels) {
  Grammar g;
  g.heuristic =
      "5:(@w =s0 (@A) (1 N))\n"
      "2: (@w =s0 (@B) (1 N))\n"
      "11:(@w =s0 (@C) (1 N))\n"
      "2:(@w =s0 (@D) (1 N))\n"
      "not a rule\n";
  auto order = [] {
    std::string s;
    for (const SyntaxConstraint& c : g_rules.constraints)
      s += c.kind + std::to_string(c.number) + c.target[0] + "/" + std::to_string(c.level) + " ";
    return s;
  };
  ASSERT_TRUE(ReadRulesText(g.Text(), true, 255).ok);
  EXPECT_EQ(order(), "S:1@OBJ/0 H:1@B/2 H:2@D/2 H:3@A/5 H:4@C/11 ");
  ASSERT_TRUE(ReadRulesText(g.Text(), true, 10).ok);
  EXPECT_EQ(order(), "S:1@OBJ/0 H:1@B/2 H:2@D/2 H:3@A/5 ");
  ASSERT_TRUE(ReadRulesText(g.Text(), true, 0).ok);
  EXPECT_EQ(order(), "S:1@OBJ/0 ");

  // Without rules the section is only an error when it is read.
  g.heuristic = "";
  EXPECT_TRUE(ReadRulesText(g.Text(), true, 0).ok);
  EXPECT_EQ(ReadRulesText(g.Text(), true, 10).messages,
            "Heuristilisi s\x81ntaktilisi kitsendusi ei leidunud!\n" + InSection("HEURISTIC-SYNTACTIC-CONSTRAINTS"));
  g.heuristic = "11:(@w =s0 (@C) (1 N))";
  EXPECT_FALSE(ReadRulesText(g.Text(), true, 10).ok);

  g.heuristic = "1000:(@w =s0 (@A) (1 N))";
  EXPECT_EQ(ReadRulesText(g.Text(), true, 255).messages,
            "Heuristiline tase liiga suur:1000:(@w =s0 (@A) (1 N))\n\n" + InSection("HEURISTIC-SYNTACTIC-CONSTRAINTS"));
  g.heuristic = "3: x(@w =s0 (@A) (1 N))";
  EXPECT_EQ(ReadRulesText(g.Text(), true, 255).messages,
            "Vigane reegli algus: x(@w =s0 (@A) (1 N))\n\n" + InSection("HEURISTIC-SYNTACTIC-CONSTRAINTS"));
  FreeSyntaxRules();
}

TEST(SyntaxRules, ScrambledFileReadsLikeItsPlainSource) {
  Grammar g;
  g.mappings = "(_S_ nom) ((1 FIN) **CLB) (@SUBJ)\n(_S_) ((1 N R+1 (R+1 V)) (@X)";
  g.heuristic = "3:(@w =s! (@SUBJ) (1 N))";
  std::string error;
  std::string scrambled = ScrambleRuleFile(g.Text(), RuleFileKind::kSyntax, &error);
  ASSERT_EQ(error, "");
  ReadResult r = ReadRulesText(scrambled, false, 10);
  ASSERT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.mappings.size(), 2u);
  EXPECT_EQ(g_rules.mappings[1].conditions[0].links.size(), 1u);
  EXPECT_EQ(g_rules.constraints.size(), 2u);
  EXPECT_EQ(g_rules.delimiters, std::vector<std::string>{"$LL$"});

  // Read as plain text, the scrambled body is not understood.
  EXPECT_FALSE(ReadRulesText(scrambled, true, 10).ok);

  // Plain files written with "\r\n" read the same.
  std::string crlf;
  for (char c : g.Text()) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  r = ReadRulesText(crlf, true, 10);
  ASSERT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.mappings[0].tags, std::vector<std::string>{"@SUBJ"});
  FreeSyntaxRules();
}

TEST(SyntaxRules, LongLinesAreReadWhole) {
  Grammar g;
  std::string tags;
  for (int i = 0; i < 50; ++i) tags += " @T" + std::to_string(i);
  g.mappings = "(_S_) (" + tags.substr(1) + ")";
  ASSERT_GT(g.mappings.size(), 200u);
  ReadResult r = ReadRulesText(g.Text());
  ASSERT_TRUE(r.ok) << r.messages;
  EXPECT_EQ(g_rules.mappings[0].tags.size(), 50u);
  FreeSyntaxRules();
}

}  // namespace
}  // namespace vaarikas::syntax
