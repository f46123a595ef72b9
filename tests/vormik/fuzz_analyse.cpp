// Fuzz target: analysis of arbitrary tokens against a small dictionary.
#include <cstddef>
#include <cstdint>
#include <string>

#include "vormik/analyser.h"
#include "vormik/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static vormik::Dictionary* dict = [] {
    auto* d = new vormik::Dictionary;
    for (const char* line : {"raamat S N:raamat G:raamatu P:raamatut PG:raamatute PP:raamatuid",
                             "tulema V MA:tule B:tule D:tulla PI:tuli NUD:tul T:tuld TA:tulla",
                             // A noun for suffix derivatives on its genitive
                             // stem (lipukest, lipulised) and a first part.
                             "lipp S N:lipp G:lipu P:lippu PG:lippude PP:lippe", "vürsti S X:vürsti",
                             "Toomas H N:Toomas G:Toomase P:Toomast"}) {
      vormik::LexEntry e;
      std::string err;
      vormik::ParseLexLine(line, e, err);
      d->Add(e);
    }
    vormik::GuessRule r{1, "", 'S', 3};
    d->AddGuessRule(vormik::kGen, "tu", r);
    return d;
  }();
  vormik::Analyser a(*dict);
  std::string token(reinterpret_cast<const char*>(data), size);
  vormik::TokenContext ctx;
  ctx.guess = size % 2 == 0;
  ctx.sentence_start = size % 3 == 0;
  std::string out = a.Analyse(token, ctx);
  // Every reading line has its tag field: the first "/" opens "//_".
  std::size_t nl = out.find('\n');
  while (nl != std::string::npos && nl + 1 < out.size()) {
    std::size_t end = out.find('\n', nl + 1);
    std::string line = out.substr(nl + 1, end - nl - 1);
    if (line != "    ####") {
      std::size_t slash = line.find('/');
      if (slash == std::string::npos || line.compare(slash, 3, "//_") != 0) __builtin_trap();
    }
    nl = end;
  }
  return 0;
}
