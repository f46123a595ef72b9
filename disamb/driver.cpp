// The disambiguator's run: error file, rule file, banner, input and output,
// the sentence loop, and the close step.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "disamb/disamb.h"
#include "disamb/state.h"

namespace vaarikas::disamb {
namespace {

using detail::Report;
using detail::S;

bool IsDirectory(const char* path) {
  struct stat sb;
  return ::stat(path, &sb) == 0 && S_ISDIR(sb.st_mode);
}

// Opens a file for reading; a directory counts as a file that cannot be
// opened (reading it would only fail later).
std::FILE* OpenForReading(const char* path) {
  if (IsDirectory(path)) return nullptr;
  return std::fopen(path, "rb");
}

// Closes a stream; false when it could not be written or closed cleanly.
bool Close(std::FILE*& f) {
  if (!f) return true;
  bool ok = std::ferror(f) == 0;
  ok = std::fclose(f) == 0 && ok;
  f = nullptr;
  return ok;
}

}  // namespace

std::string OutputName(const std::string& input) {
  size_t slash = input.rfind('/');
  size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t dot = input.find('.', nameStart);
  return (dot == std::string::npos ? input : input.substr(0, dot)) + ".cgd";
}

void CloseAll(int code) {
  auto& st = S();
  FreeRules();
  if (code == 0 && !Close(st.rules)) Report("Viga reeglite faili sulgemisel");
  if (code == 2) {
    if (!Close(st.in)) Report("Viga sisendfaili sulgemisel");
    if (!Close(st.out)) Report("Viga v\x84ljundfaili sulgemisel");
  }
  if (code == 1 && !Close(st.in)) Report("Viga sisendfaili sulgemisel");
  // Whatever the code, nothing of this run stays open.
  Close(st.rules);
  Close(st.in);
  Close(st.out);
  if (st.err) std::fclose(st.err);
  st.err = nullptr;
}

int Disambiguate(const char* rules, const char* input, const char* letters, std::FILE* console) {
  auto& st = S();
  // Anything left by an earlier call that was interrupted is released first.
  FreeSentence();
  if (!letters) letters = "";
  st.scrambled = std::strchr(letters, 'k') != nullptr;
  st.heuristic = std::strchr(letters, 'h') != nullptr;
  st.dropDuplicates = true;

  st.err = std::fopen("derrors.txt", "w");
  if (!st.err) {
    std::fputs("\nFaili derrors.txt avamise viga\n", console ? console : stderr);
    return 1;
  }
  st.rules = OpenForReading(rules);
  if (!st.rules) {
    Report("Reeglite faili lugemise viga");
    std::fclose(st.err);
    st.err = nullptr;
    return 1;
  }
  if (ReadRuleFile(st.rules) != 0) {
    CloseAll(0);
    return 1;
  }
  if (!Close(st.rules)) {
    Report("Viga reeglite faili sulgemisel");
    CloseAll(-1);
    return 1;
  }
  if (console) {
    std::fputs("\n\n", console);
    std::fputs("\t  Constraint Grammar Disambiguator\n", console);
    std::fputs("\n", console);
    std::fputs("\t Eesti keele morfoloogiline \x81hestaja\n", console);
    std::fprintf(console, "\n Reeglite fail %s:", rules);
    std::fprintf(console, "\n\t Osalausete piiride m\x84\x84ramise reegleid: %d   ",
                 ConstraintCount(detail::kClauseBoundary));
    std::fprintf(console, "\n\t \x9ahestamise reegleid: %d   \n", ConstraintCount(detail::kDisambiguation));
    if (st.heuristic)
      std::fprintf(console, "\t Heuristilisi \x81hestamise reegleid: %d   \n", ConstraintCount(detail::kHeuristic));
  }
  st.outName = OutputName(input);
  st.in = OpenForReading(input);
  if (!st.in) {
    Report("\nSisendfaili %s avamise viga\n", input);
    CloseAll(-1);
    return 1;
  }
  st.out = std::fopen(st.outName.c_str(), "wb");
  if (!st.out) {
    Report("\nV\xe4ljundfaili %s avamise viga\n", st.outName.c_str());
    CloseAll(1);
    return 1;
  }
  if (console) {
    std::fprintf(console, "-> %s:     ", st.outName.c_str());
    std::fflush(console);
  }
  int state;
  do {
    bool error = false;
    state = ReadSentence(st.in, st.out, &error);
    if (error) return 1;
    RunPasses();
    WriteSentence(st.out);
    FreeSentence();
  } while (state != 0);
  if (!Close(st.in)) {
    Report("Viga sisendfaili sulgemisel\n");
    CloseAll(-1);
    return 1;
  }
  if (!Close(st.out)) {
    Report("Viga valjundfaili sulgemisel\n");
    CloseAll(-1);
    return 1;
  }
  CloseAll(-1);
  return 0;
}

}  // namespace vaarikas::disamb
