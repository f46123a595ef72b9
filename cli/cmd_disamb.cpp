// vaarikas disamb RULES INPUT [LETTERS]
#include "cli/commands.h"
#include "disamb/disamb.h"

namespace vaarikas::cli {

int CmdDisamb(int argc, char** argv) {
  if (argc < 3 || argc > 4) return Fail("usage: vaarikas disamb RULES INPUT [LETTERS]");
  return disamb::Disambiguate(argv[1], argv[2], argc == 4 ? argv[3] : "");
}

}  // namespace vaarikas::cli
