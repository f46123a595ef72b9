// vaarikas syntax RULES INPUT [LETTERS]
#include "cli/commands.h"
#include "syntax/syntax.h"

namespace vaarikas::cli {

int CmdSyntax(int argc, char** argv) {
  if (argc != 3 && argc != 4) return Fail("usage: vaarikas syntax RULES INPUT [LETTERS]");
  return SyntaxRun(argv[1], argv[2], argc == 4 ? argv[3] : "");
}

}  // namespace vaarikas::cli
