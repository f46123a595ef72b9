// The sentence model and the engine that marks clause boundaries, maps
// syntactic function tags and narrows them by constraints.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vaarikas::syntax {

struct SyntaxReading {
  std::string text;  // the reading line with its line end
  int number = 0;
};

struct SyntaxCohort {
  int index = 0;
  std::string word;    // word line with its line end ("<<<" / ">>>" for the ends)
  std::string active;  // the reading the engine is looking at
  int activeNumber = 0;
  std::deque<SyntaxReading> others;  // the rest of the reading ring
  std::vector<std::string> extra;    // "!" and "$<" lines written after the cohort
};

// A sentence: start cohort, the words, end cohort. A cohort's index equals
// its position in the vector.
struct SyntaxSentence {
  std::vector<SyntaxCohort> cohorts;
};

// Moves the active reading to the end of the ring and makes the next one
// active.
void RotateCohort(SyntaxCohort& c);

void MarkClauseBoundaries(SyntaxSentence& s, int op);
void MapSentence(SyntaxSentence& s);
void ConstrainSentence(SyntaxSentence& s);
// Clause boundaries ("**CLB", then "**CLB-C"), mappings, then five passes of
// the syntactic and heuristic constraints.
void AnalyseSentence(SyntaxSentence& s);

// Number of passes of the constraints over each sentence.
inline constexpr int kConstraintPasses = 5;

// Whether the line contains one of the rule file's delimiters.
bool ContainsDelimiter(std::string_view line);

}  // namespace vaarikas::syntax
