// Placeholder until this stage is built: it fails loudly, never silently.
#include "pipeline/mainframe.h"

namespace vaarikas {

int CMainFrame::RunSyntax() {
  UI().MessageBox("The syntactic analyser is not part of this build.");
  return 1;
}

}  // namespace vaarikas
