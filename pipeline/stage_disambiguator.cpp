// The pipeline's disambiguation stage: "grammar.rul" from the program
// directory (scrambled form), the morphological stage's output in the working
// directory, "k" or "kh" for the heuristics level.
#include <cstdio>

#include "disamb/disamb.h"
#include "pipeline/mainframe.h"

namespace vaarikas {

int CMainFrame::RunDisambiguator() {
  const std::string letters = DisambiguatorLetters();
  const std::string rules = ProgPath("grammar.rul");
  std::FILE* f = std::fopen(rules.c_str(), "r");
  if (!f) {
    UI().MessageBox("Cannot open grammar file.");
    return 1;
  }
  std::fclose(f);
  // The banner and progress text are not shown in the pipeline: standard
  // output may be carrying the analysis result.
  return disamb::Disambiguate(rules.c_str(), m_strMorfFile.c_str(), letters.c_str(), nullptr) != 0 ? 1 : 0;
}

}  // namespace vaarikas
