// vaarikas morph-tag: analyser texts through the cohort tagger and the verb
// lexicon, as the morphological stage rewrites them.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "morph/lexicon.h"
#include "morph/stage.h"
#include "morph/tagger.h"
#include "morph/textio.h"

namespace vaarikas::cli {

int CmdMorphTag(int argc, char** argv) {
  std::vector<std::string> args;
  bool second = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--second") == 0)
      second = true;
    else
      args.push_back(argv[i]);
  }
  if (args.size() != 4) return Fail("morph-tag: usage: vaarikas morph-tag LEXICON VERBLEX INPUT OUTPUT [--second]");
  const std::string& lexicon = args[0];
  const std::string& verblex = args[1];
  const std::string& input = args[2];
  const std::string& output = args[3];

  std::string text;
  bool opened = false;
  if (!morph::ReadWholeFile(input, true, &text, &opened))
    return Fail("morph-tag: %s: cannot read: %s", input.c_str(), std::strerror(errno));
  if (morph::ReadLexiconLists(lexicon) != 0) return 1;
  if (morph::ReadVerbLexicon(verblex) != 0) return 1;

  std::FILE* out = std::fopen(output.c_str(), "wb");
  if (!out) {
    morph::FreeVerbLexicon();
    return Fail("morph-tag: %s: cannot create: %s", output.c_str(), std::strerror(errno));
  }
  // Each analyser text begins at a line that does not begin with a space.
  morph::CohortTagger tagger;
  size_t start = 0;
  bool ok = true;
  while (start < text.size()) {
    size_t end = start;
    do {
      size_t nl = text.find('\n', end);
      end = nl == std::string::npos ? text.size() : nl + 1;
    } while (end < text.size() && text[end] == ' ');
    std::string t = morph::TagToken(tagger, text.substr(start, end - start), second);
    if (std::fwrite(t.data(), 1, t.size(), out) != t.size()) ok = false;
    start = end;
  }
  if (std::fclose(out) != 0) ok = false;
  morph::FreeVerbLexicon();
  if (!ok) return Fail("morph-tag: %s: write error", output.c_str());
  return 0;
}

}  // namespace vaarikas::cli
