// Analysis of one token into the analyser text: the word line, then one line
// per reading ("    lemma+ending //_P_ codes, //"), or "    ####".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vormik/dictionary.h"

namespace vormik {

struct Reading {
  std::string lemma;  // lemma with its ending marks: "raamatu_kogu+s"
  char pos;
  std::string codes;  // each followed by ", "
};

struct TokenContext {
  bool sentence_start = true;  // first token after "$LA$" (or on its own)
  bool guess = false;          // guess words the dictionary does not know
};

class Analyser {
 public:
  explicit Analyser(const Dictionary& dict) : dict_(dict) {}

  // The analyser text of one token, ending in "\n".
  std::string Analyse(std::string_view token, const TokenContext& ctx) const;
  // The readings alone (empty: no analysis).
  std::vector<Reading> Readings(std::string_view token, const TokenContext& ctx) const;

 private:
  void Lookup(std::string_view w, std::vector<Reading>& out) const;
  void LookupShortIPlural(std::string_view w, std::vector<Reading>& out) const;
  void LookupWithClitic(std::string_view w, std::vector<Reading>& out) const;
  void LookupCompound(std::string_view w, std::vector<Reading>& out) const;
  bool IsFormFirstPart(std::string_view left) const;
  void LookupWord(std::string_view w, std::vector<Reading>& out, bool compounds = true) const;
  void GuessWord(std::string_view w, bool proper, std::vector<Reading>& out) const;
  void AnalyseNumber(std::string_view w, std::vector<Reading>& out) const;
  void SuffixDerivative(std::string_view w, std::vector<Reading>& out) const;
  void CorrectSpelling(std::string_view w, std::vector<Reading>& out) const;

  const Dictionary& dict_;
};

// Joins readings that share lemma and part of speech, keeping code order.
void MergeReadings(std::vector<Reading>& rs);
// Formats word line and readings.
std::string FormatAnalysis(std::string_view word, const std::vector<Reading>& rs);

}  // namespace vormik
