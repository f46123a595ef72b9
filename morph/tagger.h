// Cohort tagging: rewrites the analyser text of one token into cohort stream
// lines carrying the rule files' tags (case, number, verb form, chain roles,
// adposition government, conjunction type, punctuation, derivation and
// capitalisation marks).
#pragma once

#include <string>
#include <vector>

namespace vaarikas::morph {

class CohortTagger {
 public:
  // Tags one analyser text. The cohort word and the capital and hyphen flags
  // set by a word line stay in force for the reading lines that follow, also
  // in later calls, until the next word line.
  std::string Tag(const std::string& text);

  const std::string& CohortWord() const { return word_; }
  bool Capital() const { return capital_; }
  bool Hyphen() const { return hyphen_; }

 private:
  void WordLine();
  void ReadingLine();
  void NominalReading(std::string& r);
  void PronounSubclass(std::string& r);
  void AdpositionReading();
  void ConjunctionReading();
  void PunctuationReading();
  // Verb readings: readings written out before the last one go to out_;
  // the last one stays in r.
  void VerbReading(std::string& r);
  void NegativeConversions(std::string& r);
  void Finish(std::string& r);
  void FiniteMark(std::string& r);
  void ChainRole(std::string& r);
  void AddCapital(std::string& r);
  std::string LemmaToPlus(bool restWhenNone) const;

  std::string out_;
  std::string line_;  // the current line, without its line feed
  std::string w_;     // the working reading
  std::string word_;
  bool capital_ = false;
  bool hyphen_ = false;
  // Lemmas of the current cohort's verb readings (tege of tege+ud).
  std::vector<std::string> verb_lemmas_;
};

// Default insertion point of a reading: before its first "*", else before the
// first "/" after the part-of-speech letter, else before "#Correct!", else
// before the first "@", else before the line feed, else the end.
size_t DefaultInsertionPoint(const std::string& r);
// Deletes count bytes at pos (npos: the default insertion point) and puts
// text there.
void InsertTag(std::string& r, size_t pos, size_t count, const std::string& text);

// Marks the readings of a token that the analyser knew only on its second,
// word-by-word attempt: "#? " before the closing "//" of every reading, up
// to the first reading whose part-of-speech code begins with "Z".
std::string MarkSecondAnalysis(const std::string& text);

}  // namespace vaarikas::morph
