// Fuzz target: arbitrary analyser texts through the cohort tagger, the verb
// lexicon step and the second-analysis marking.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "morph/lexicon.h"
#include "morph/tagger.h"
#include "morph/textio.h"

namespace {

void Setup() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string dir = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
  std::string lex = dir + "/vaarikas_fuzz_tagger.lex";
  std::string vlx = dir + "/vaarikas_fuzz_tagger.lx";
  if (std::FILE* f = std::fopen(lex.c_str(), "wb")) {
    std::fputs("$$$ ####\n. => Fst\n- => Dsh\n\xAE => Oqu\n$\n$$$ _K_\nalla => #Post & #Preg\n$\n$$$ _P_\nsee => dem\n$\n",
               f);
    std::fclose(f);
  }
  if (std::FILE* f = std::fopen(vlx.c_str(), "wb")) {
    std::fputs("tege\nmain > #Obj | #X & indic > #Y\nole\nmain #bad\n", f);
    std::fclose(f);
  }
  std::FILE* saved = std::freopen("/dev/null", "w", stdout);
  (void)saved;
  vaarikas::morph::ReadLexiconLists(lex);
  vaarikas::morph::ReadVerbLexicon(vlx);
  std::remove(lex.c_str());
  std::remove(vlx.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Setup();
  static vaarikas::morph::CohortTagger tagger;
  std::string text(reinterpret_cast<const char*>(data), size);
  std::string t = tagger.Tag(text);
  std::string v = vaarikas::morph::ApplyVerbLexicon(t);
  std::string m = vaarikas::morph::MarkSecondAnalysis(v);
  (void)m;
  return 0;
}
