// Subcommands of the console front end. Each returns the process exit status.
#pragma once

namespace vaarikas::cli {

int CmdAnalyse(int argc, char** argv);
int CmdDisamb(int argc, char** argv);
int CmdSyntax(int argc, char** argv);
int CmdScramble(int argc, char** argv);
int CmdMorphTag(int argc, char** argv);

// Prints "vaarikas: <what>\n" to standard error and returns 1.
int Fail(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vaarikas::cli
