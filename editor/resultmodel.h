// Reading the syntactic analyser's result file (".snx") into words with their
// function tags, for the coloured result view. Toolkit-free: it works on the
// Windows-1257 bytes of the file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vaarikas::sirel {

// The groups the result view colours.
enum class Function {
  kSubject,
  kObject,
  kPredicative,
  kAdverbial,
  kPremodifier,
  kPostmodifier,
  kAdpComplement,  // head of a phrase governed by an adposition
  kVerb,
  kConjunction,
  kOther,
  kNone,  // no function tag at all (punctuation, or no syntax result)
};
inline constexpr int kFunctionCount = static_cast<int>(Function::kNone) + 1;

struct ResultWord {
  std::string word;               // the word line, Windows-1257 bytes
  std::vector<std::string> tags;  // distinct "@" tags over all its readings, in order
  Function function = Function::kNone;
};

struct ResultSentence {
  std::vector<ResultWord> words;
};

// The group of one "@" tag.
Function ClassifyTag(std::string_view tag);
// English name of a group, for the legend.
const char* FunctionName(Function f);

// Splits the result text into sentences and words. Sentence markers ("$LA$",
// "$LL$"), the engine's "<<<"/">>>" lines, comment lines ("!") and
// pass-through "$<" pairs are not words; a line ending in "&" continues on the
// next line. Never fails: anything it cannot place is left out.
std::vector<ResultSentence> ParseResult(std::string_view text);

}  // namespace vaarikas::sirel
