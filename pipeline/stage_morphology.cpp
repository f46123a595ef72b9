// Second stage: the morphological analysis of the token stream into the
// cohort stream.
#include <cstdio>

#include "common/platform.h"
#include "morph/stage.h"
#include "pipeline/mainframe.h"

namespace vaarikas {

int CMainFrame::RunMorphology() {
  morph::MorphStageSettings s;
  s.workDir = m_strWorkDir;
  s.progDir = m_strProgDir;
  s.libraryPath = ProgPath(plat::kAnalyserLibName);
  s.lalFile = m_strLalFile;
  s.morfFile = m_strMorfFile;
  // The readers' console messages go to standard output, like every stage's
  // console text; a front end that prints results there redirects it.
  s.diagnostics = stdout;
  return morph::RunMorphologyStage(s, UI());
}

}  // namespace vaarikas
