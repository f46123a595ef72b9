// Lexicon files of the morphological stage.
//
// "lexicon.lex" holds three small tables that the cohort tagger consults
// (punctuation, adpositions with their government, pronouns with their
// subclass). "verblex.lx" is the verb lexicon: for a verb lemma a rule text
// that adds tags to that verb's readings; ApplyVerbLexicon rewrites one
// token's cohort text with it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace vaarikas::morph {

// One lexicon table: fixed capacity, fixed slot widths (in characters,
// without the terminating zero of the stored form). Keys and values longer
// than their slot are cut to the slot; entries beyond the capacity are
// ignored.
template <int Capacity, int KeyWidth, int ValueWidth>
struct LexiconTable {
  static constexpr int kCapacity = Capacity;
  static constexpr int kKeyWidth = KeyWidth;
  static constexpr int kValueWidth = ValueWidth;
  char key[Capacity][KeyWidth + 1] = {};
  char value[Capacity][ValueWidth + 1] = {};
  int count = 0;

  std::string_view Key(int i) const { return key[i]; }
  std::string_view Value(int i) const { return value[i]; }
  // Index of the entry whose key equals k exactly, or -1.
  int Find(std::string_view k) const {
    for (int i = 0; i < count; ++i)
      if (Key(i) == k) return i;
    return -1;
  }
};

using PunctuationTable = LexiconTable<12, 2, 4>;
using AdpositionTable = LexiconTable<310, 14, 46>;
using PronounTable = LexiconTable<160, 15, 16>;

// The tables filled by ReadLexiconLists (program-wide, like the files they
// come from).
PunctuationTable& Punctuation();
AdpositionTable& Adpositions();
PronounTable& Pronouns();

// Reads "lexicon.lex". 0 on success, 1 on failure (message on stdout).
int ReadLexiconLists(const std::string& path);

// Empties and fills the verb lexicon. 0 on success, 1 on failure (messages
// on stdout).
int ReadVerbLexicon(const std::string& path);
// Releases the verb lexicon and writes "L~opp\n" to stdout.
void FreeVerbLexicon();
// Rewrites the reading lines of one token's cohort text by the verb lexicon.
std::string ApplyVerbLexicon(const std::string& text);

// Bucket of a key in the 2003-bucket verb lexicon.
uint32_t VerbLexiconBucket(std::string_view key);
inline constexpr uint32_t kVerbLexiconBuckets = 2003;
// The rule text stored for lemma, or null when the lemma is not listed.
const std::string* LookupVerb(std::string_view lemma);
// Number of entries currently held.
int VerbLexiconSize();

// The stream that takes the readers' and the rewrite's standard-output
// messages; standard output unless set. The pipeline sends them to standard
// error, since its standard output may carry the analysis result.
std::FILE* Diagnostics();
void SetDiagnosticStream(std::FILE* f);  // null: standard output again

// True when a occurs in b at b's start or right after a space.
bool OccursAtWordStart(std::string_view b, std::string_view a);

}  // namespace vaarikas::morph
