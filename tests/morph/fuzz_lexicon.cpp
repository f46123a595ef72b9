// Fuzz target: arbitrary bytes as "lexicon.lex" and as "verblex.lx", then a
// few readings through the verb lexicon read from it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "morph/lexicon.h"
#include "morph/tagger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::string path;
  if (path.empty()) {
    std::FILE* saved = std::freopen("/dev/null", "w", stdout);
    (void)saved;
    path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/vaarikas_fuzz_lexicon." +
           std::to_string(::getpid());
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  vaarikas::morph::ReadLexiconLists(path);
  vaarikas::morph::ReadVerbLexicon(path);
  vaarikas::morph::CohortTagger tagger;
  std::string text = "x\n    x+0 //_K_ //\n    x+0 //_P_ sg n, //\n    . //_Z_ //\n";
  std::string firstLine(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
  firstLine = firstLine.substr(0, firstLine.find('\n'));
  text += "    " + firstLine + "+b //_V_ main indic //\n";
  vaarikas::morph::ApplyVerbLexicon(tagger.Tag(text));
  vaarikas::morph::FreeVerbLexicon();
  std::remove(path.c_str());
  return 0;
}
