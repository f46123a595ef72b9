// Placeholder until the subcommand is built.
#include "cli/commands.h"

namespace vaarikas::cli {

int CmdDisamb(int, char** argv) { return Fail("%s: not part of this build", argv[0]); }

}  // namespace vaarikas::cli
