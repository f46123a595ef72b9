// vaarikas: the console front end of the analysis pipeline.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"

namespace vaarikas::cli {

int Fail(const char* fmt, ...) {
  std::fputs("vaarikas: ", stderr);
  va_list ap;
  va_start(ap, fmt);
  std::vfprintf(stderr, fmt, ap);
  va_end(ap);
  std::fputc('\n', stderr);
  return 1;
}

}  // namespace vaarikas::cli

namespace {

const char kHelp[] =
    "Usage: vaarikas COMMAND [ARGUMENTS]\n"
    "\n"
    "Analyses Estonian text: tokens and sentences, morphological readings,\n"
    "disambiguation and syntactic function tags (@SUBJ, @OBJ, @AN>, ...).\n"
    "\n"
    "Commands:\n"
    "  analyse [OPTIONS] FILE|DIR...\n"
    "      Runs the whole pipeline over each text file (directories are searched\n"
    "      recursively) and prints the results in input order.\n"
    "      --list FILE           also analyse the files named in FILE, one per\n"
    "                            line (\"-\": standard input)\n"
    "      --output-dir DIR      write each result to DIR/<relative name>.snx\n"
    "                            instead of standard output\n"
    "      -j N                  N worker processes (default: number of cores)\n"
    "      --workdir DIR         keep the working files in DIR (with several files\n"
    "                            in DIR/<relative name>/; default: a fresh\n"
    "                            temporary directory per file, removed afterwards)\n"
    "      --no-progress         no progress bar (it is shown on a terminal only)\n"
    "      --verbose             show the stages' console text on standard error\n"
    "      --encoding ENC        encoding of the input and of the printed result:\n"
    "                            utf-8 (default) or windows-1257\n"
    "      --heuristics 0|1|2    0 no heuristics, 1 best heuristics (default),\n"
    "                            2 all heuristics\n"
    "      --grammar NAME        syntax grammar in the program directory\n"
    "                            (default grammar.rle; pgrammar.rle marks noun\n"
    "                            phrases only)\n"
    "      A file that fails is reported and the others go on. Exit status 0\n"
    "      when every stage succeeded for every file, 1 otherwise.\n"
    "\n"
    "  disamb RULES INPUT [LETTERS]\n"
    "      Disambiguates the cohort stream INPUT with the rule file RULES and\n"
    "      writes INPUT's name up to its first \".\" plus \".cgd\"; messages go to\n"
    "      derrors.txt. LETTERS: k scrambled rule file, h use heuristics.\n"
    "\n"
    "  syntax RULES INPUT [LETTERS]\n"
    "      Adds syntactic function tags to the disambiguated stream INPUT and\n"
    "      writes INPUT's name up to its first \".\" plus \".snx\"; messages go\n"
    "      to synerrors.txt. LETTERS: k plain rule file, H best heuristics,\n"
    "      h all heuristics, i see the syntax run's own description.\n"
    "\n"
    "  scramble --disamb|--syntax PLAIN OUT\n"
    "      Writes the scrambled form of a plain rule file, as the pipeline\n"
    "      reads it.\n"
    "\n"
    "  morph-tag LEXICON VERBLEX INPUT OUTPUT [--second]\n"
    "      Rewrites analyser texts (INPUT) into cohort stream lines with the\n"
    "      rule files' tags, as the morphological stage does.\n"
    "\n"
    "  --help\n"
    "      This text.\n";

}  // namespace

int main(int argc, char** argv) {
  using namespace vaarikas::cli;
  if (argc < 2) {
    std::fputs(kHelp, stderr);
    return 2;
  }
  std::string cmd = argv[1];
  if (cmd == "--help" || cmd == "-h" || cmd == "help") {
    std::fputs(kHelp, stdout);
    return 0;
  }
  // Each subcommand sees its own arguments with argv[0] = the command name.
  int sub_argc = argc - 1;
  char** sub_argv = argv + 1;
  if (cmd == "analyse" || cmd == "analyze") return CmdAnalyse(sub_argc, sub_argv);
  if (cmd == "disamb") return CmdDisamb(sub_argc, sub_argv);
  if (cmd == "syntax") return CmdSyntax(sub_argc, sub_argv);
  if (cmd == "scramble") return CmdScramble(sub_argc, sub_argv);
  if (cmd == "morph-tag") return CmdMorphTag(sub_argc, sub_argv);
  Fail("unknown command '%s' (see 'vaarikas --help')", cmd.c_str());
  return 2;
}
