// The syntax run: options, files, the sentence loop.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "syntax/engine.h"
#include "syntax/rules.h"
#include "syntax/stream.h"
#include "syntax/syntax.h"

namespace vaarikas {
namespace {

using namespace syntax;

// Files of one run; whatever is open is closed on every way out.
struct RunFiles {
  FILE* err = nullptr;
  FILE* rules = nullptr;
  FILE* in = nullptr;
  FILE* out = nullptr;
  bool inIsStdin = false;
  std::string outName;

  // Closes everything; false when the output could not be written whole.
  bool Close() {
    bool ok = true;
    if (out != nullptr) {
      if (std::fflush(out) != 0 || std::ferror(out)) ok = false;
      if (std::fclose(out) != 0) ok = false;
      out = nullptr;
    }
    if (in != nullptr && !inIsStdin) std::fclose(in);
    in = nullptr;
    if (rules != nullptr) std::fclose(rules);
    rules = nullptr;
    return ok;
  }
  void CloseErrors() {
    SetErrorStream(nullptr);
    if (err != nullptr) std::fclose(err);
    err = nullptr;
  }
  int ErrorExit() {
    FreeSyntaxRules();
    Close();
    CloseErrors();
    return 1;
  }
};

bool SameFile(FILE* a, const std::string& path) {
  struct stat sa, sb;
  if (fstat(fileno(a), &sa) != 0 || stat(path.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

int SyntaxRun(const char* rules, const char* input, const char* letters) {
  RunFiles f;
  f.err = std::fopen("synerrors.txt", "w");
  if (f.err == nullptr) {
    std::fputs("Vigade faili avamine eba\xf5nnestus.\n", stdout);
    std::fflush(stdout);
    return 1;
  }
  SetErrorStream(f.err);
  if (letters == nullptr) letters = "";
  const bool fromStdin = std::strchr(letters, 'i') != nullptr;
  const bool plain = std::strchr(letters, 'k') != nullptr;
  int maxLevel = 0;
  if (std::strchr(letters, 'H') != nullptr) maxLevel = 10;
  if (std::strchr(letters, 'h') != nullptr) maxLevel = 255;

  f.rules = std::fopen(rules, plain ? "r" : "rb");
  if (f.rules == nullptr) {
    std::fprintf(f.err, plain ? "Reeglitefaili %s avamine eba6nnestus.\n" : "Faili %s avamine eba6nnestus.\n", rules);
    return f.ErrorExit();
  }
  if (!ReadSyntaxRules(f.rules, plain, maxLevel)) return f.ErrorExit();

  try {
    if (fromStdin) {
      f.in = stdin;
      f.inIsStdin = true;
      f.outName = "default.npx";
      f.out = std::fopen("default.npx", "w");
      if (f.out == nullptr) {
        std::fputs("\nV\xe4ljundfaili default.npx avamise viga\n", f.err);
        return f.ErrorExit();
      }
    } else {
      std::printf("opening files...\n");
      std::printf("input: %s\n", input);
      f.outName = input;
      size_t dot = f.outName.find('.');
      if (dot != std::string::npos) f.outName.resize(dot);
      f.outName += ".snx";
      std::printf("output: %s\n", f.outName.c_str());
      std::fflush(stdout);
      f.in = std::fopen(input, "r");
      if (f.in == nullptr) {
        std::fprintf(f.err, "\nSisendfaili %s avamise viga\n", input);
        return f.ErrorExit();
      }
      // Opening the output would empty the input when both are one file.
      if (SameFile(f.in, f.outName) || (f.out = std::fopen(f.outName.c_str(), "w")) == nullptr) {
        std::fprintf(f.err, "\nV<84>ljundfaili %s avamise viga\n", f.outName.c_str());
        return f.ErrorExit();
      }
    }
  } catch (const std::bad_alloc&) {
    std::fputs("M<84>lu v<84>he...\n", f.err);
    return f.ErrorExit();
  }

  try {
    SentenceReader reader(f.in);
    SyntaxSentence sentence;
    while (!reader.AtEnd()) {
      SentenceReader::Result r = reader.Read(sentence);
      if (r == SentenceReader::Result::kTooManyErrors) {
        std::fputs("Liiga palju vigu sisendis.\n", f.err);
        std::fputs("Viga failist lugemisel \n", f.err);
        return f.ErrorExit();
      }
      if (r == SentenceReader::Result::kNone) break;
      AnalyseSentence(sentence);
      WriteSentence(f.out, sentence);
    }
  } catch (const std::bad_alloc&) {
    std::fputs("M\x84lu ei j\x84tku \n", f.err);
    return f.ErrorExit();
  }

  FreeSyntaxRules();
  if (!f.Close()) {
    std::fprintf(f.err, "\nV<84>ljundfaili %s kirjutamise viga\n", f.outName.c_str());
    f.CloseErrors();
    return 1;
  }
  f.CloseErrors();
  return 0;
}

}  // namespace vaarikas
