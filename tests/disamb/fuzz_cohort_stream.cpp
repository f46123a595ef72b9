// Fuzz target: the cohort stream reader, the constraint passes and the writer
// over arbitrary input, with a small fixed grammar.
#include <cstddef>
#include <cstdint>
#include <string>

#include "disamb/disamb.h"
#include "tests/disamb/helpers.h"

namespace {

const char kRules[] =
    "SENTENCE-DELIMITERS\n($LL$ .)\nSET-DECLARATIONS\n(DET det)\n(S _S_)\n(V _V_)\n(SUB sub)\n(COMMA \",)\n"
    "(END >>>)\n(START <<<)\n(CLB **CLB)\n(CLBC **CLB-C)\n"
    "CLAUSE-BOUNDARY-CONSTRAINTS\n(@w=**CLB (*) (-1 COMMA) (0 SUB))\n(@w=**CLB-C (*) (-1 COMMA))\n"
    "(@w=**CLB (*) (0 CLBC) (*1 V))\n"
    "DISAMBIGUATION-CONSTRAINTS\n(@w =0 (_V_) (-1 DET))\n(@w =! (_S_) CLB (*1C V))\n"
    "(@w =!! (gen) CLB-C (NOT *-1 START))\n(@w =0 (sg) (-1 DET *R1) (*R1 END))\n"
    "(@w =0 (_S_ nom) (-2C S W) (W CLB))\n"
    "HEURISTIC-DISAMBIGUATION-CONSTRAINTS\n(@w =0 (_V_) )\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::disamb;
  static bool loaded = [] { return test::LoadRules(kRules, nullptr, false, true) == 0; }();
  if (!loaded) __builtin_trap();
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string once = test::RunStream(text, true);
  // Written output reads again without trouble.
  test::RunStream(once, true);
  return 0;
}
