// The morphological stage: the token stream through the analyser library,
// the cohort tagger and the verb lexicon into the cohort stream.
#pragma once

#include <cstdio>
#include <string>

#include "common/ui.h"

namespace vaarikas::morph {

struct MorphStageSettings {
  std::string workDir;
  std::string progDir;
  std::string libraryPath;  // the analyser library, normally progDir/libvormik.so
  std::string lalFile = "source.lal";
  std::string morfFile = "source.txt";
  // How often in a row the library may report neither room nor a result
  // before the stage gives up instead of waiting forever.
  int stallLimit = 10000;
  // Where the lexicon readers' and the stage's console messages go (null:
  // standard output).
  std::FILE* diagnostics = nullptr;
};

// Runs the stage with the current directory as the working directory.
// Returns 0 on success, 1 on failure; messages go to ui. Throws FileError when
// the cohort stream cannot be opened for its size check.
int RunMorphologyStage(const MorphStageSettings& s, IUserInterface& ui);

// Tags one analyser text as the stage does: cohort tagger, verb lexicon and,
// for a token analysed a second time, the "#? " marking.
class CohortTagger;
std::string TagToken(CohortTagger& tagger, const std::string& analyserText, bool secondAnalysis);

inline constexpr const char* kMsgAnalyserInit = "Failed to initialise morphological analyser.";
inline constexpr const char* kMsgNoLexicon = "Cannot open lexicon.lex.";
inline constexpr const char* kMsgNoVerbLexicon = "Cannot open verblex.lx.";
inline constexpr const char* kMsgPreprocessingFailed = "Preprocessing failed.";
inline constexpr const char* kMsgOutputFailed = "Failed creating output file.";
inline constexpr const char* kMsgAnalyserStalled =
    "The morphological analyser neither accepts input nor returns results.";

}  // namespace vaarikas::morph
