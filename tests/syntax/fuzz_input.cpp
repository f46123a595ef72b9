// Fuzz target: the syntax input reader, the engine and the writer over a
// fixed grammar.
#include <cstdint>
#include <cstdio>
#include <string>

#include "syntax/engine.h"
#include "syntax/rules.h"
#include "syntax/stream.h"

namespace {
const char kGrammar[] =
    "INFORMATION-SECTION\nSENTENCE-DELIMITERS\n($LL$)\nSET-DECLARATIONS\n"
    "(N _S_)\n(V _V_)\n(FIN #FinV)\n(A _A_ \"hea\")\n(COMMA Com)\n(SUBJ @SUBJ)\n(START <<<)\n(LAST >>>)\n(X _S_&gen _P_)\n"
    "SYNTACTIC-FUNCTION-DECLARATIONS\n(@SUBJ @OBJ @X)\n"
    "MORPHOSYNTACTIC-MAPPINGS\n(_S_ nom) ((*1 FIN) **CLB) (@SUBJ @OBJ)\n(_S_) ((1 A R+1 (R+1 N)) (@X)\n"
    "(_V_) ((-1 START)) (@FMV)\n(*) ((NOT %-1 V) **CLB-C) (@X @OBJ)\n"
    "CLAUSE-BOUNDARY-CONSTRAINTS\n(@w =**CLB (Com) (1 X))\n(@w =**CLB-C (Com) (*1 FIN))\n"
    "DISAMBIGUATION-CONSTRAINTS\nSYNTACTIC-CONSTRAINTS\n(@w =s0 (@OBJ) (*1C LAST))\n(@w =s! (@SUBJ) (0 N) (-1 V W) (W FIN))\n"
    "(\"maja\" =s? (*) (1 N))\nHEURISTIC-SYNTACTIC-CONSTRAINTS\n1:(@w =s0 (@X) (NOT 1 SUBJ))\nEND\n";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::syntax;
  static FILE* sink = std::fopen("/dev/null", "w");
  static bool loaded = [] {
    std::string g = kGrammar;
    FILE* f = fmemopen(g.data(), g.size(), "r");
    bool ok = ReadSyntaxRules(f, true, 255);
    std::fclose(f);
    return ok;
  }();
  if (!loaded) __builtin_trap();
  SetErrorStream(sink);
  std::string text(reinterpret_cast<const char*>(data), size);
  FILE* in = fmemopen(text.empty() ? nullptr : text.data(), text.size(), "r");
  if (in == nullptr) return 0;
  SentenceReader reader(in);
  SyntaxSentence s;
  while (!reader.AtEnd()) {
    if (reader.Read(s) != SentenceReader::Result::kSentence) break;
    AnalyseSentence(s);
    WriteSentence(sink, s);
  }
  std::fclose(in);
  SetErrorStream(nullptr);
  return 0;
}
