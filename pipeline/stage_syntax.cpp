// The syntax stage: runs the syntactic analyser over the disambiguated
// cohort stream with the chosen grammar from the program directory.
#include <cstdio>
#include <string>

#include "pipeline/mainframe.h"
#include "syntax/syntax.h"

namespace vaarikas {

int CMainFrame::RunSyntax() {
  const std::string letters = SyntaxLetters();
  const std::string grammar = ProgPath(m_strGrammarFile);
  FILE* f = std::fopen(grammar.c_str(), "r");
  if (f == nullptr) {
    UI().MessageBox("Cannot open grammar file.");
    return 1;
  }
  std::fclose(f);
  return SyntaxRun(grammar.c_str(), m_strCgdFile.c_str(), letters.c_str()) != 0 ? 1 : 0;
}

}  // namespace vaarikas
