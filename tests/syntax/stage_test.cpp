// The pipeline's syntax stage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/scramble.h"
#include "pipeline/mainframe.h"
#include "tests/support/recording_ui.h"
#include "tests/syntax/test_util.h"

namespace vaarikas {
namespace {

using syntax::test::Grammar;
using syntax::test::ReadFile;
using syntax::test::ScratchDir;
using syntax::test::WriteFile;

using vaarikas::test::RecordingUI;

TEST(SyntaxStage, RunsTheGrammarFromTheProgramDirectory) {
  ScratchDir dir;
  std::filesystem::create_directory("prog");
  RecordingUI ui;
  CMainFrame frame(ui, dir.path(), dir.path() + "/prog");
  EXPECT_EQ(frame.RunSyntax(), 1);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Cannot open grammar file."});

  Grammar g;
  g.mappings = "(_S_) (@X)";
  g.heuristic = "1:(@w =s! (@Y) (0 N))";
  std::string error;
  WriteFile("prog/grammar.rle", ScrambleRuleFile(g.Text(), RuleFileKind::kSyntax, &error));
  WriteFile("source.cgd", "maja\n    maja+0 //_S_ com // @X @Y\n");
  ui.messages.clear();
  ASSERT_EQ(frame.RunSyntax(), 0) << ReadFile("synerrors.txt");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadFile("source.snx"), "maja\n    maja+0 //_S_ com // @Y\n");

  // Heuristics off: the heuristic rule is not read.
  frame.m_nHeuristics = 0;
  ASSERT_EQ(frame.RunSyntax(), 0);
  EXPECT_EQ(ReadFile("source.snx"), "maja\n    maja+0 //_S_ com // @X @Y\n");

  // A rule file that the run refuses fails the stage.
  frame.m_nHeuristics = 1;
  frame.m_strGrammarFile = "plain.rle";
  WriteFile("prog/plain.rle", g.Text());
  EXPECT_EQ(frame.RunSyntax(), 1);
  EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace vaarikas
