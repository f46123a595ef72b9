// Lexicon entries and the readable line format shared by the lexicon sources
// (data/vormik/*.txt) and the user dictionary (eesti2.udr):
//   lemma POS item item ...
// item is CLASS:stem (CLASS one of N G P A PG PP MA B D DES PS PI NUD IMP T TA W)
// or F:form=code,code (a full form with its form codes, "_" for a blank
// inside a code). A line with no items is an uninflected word. "#" starts a
// comment line. All text here is Windows-1257.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vormik/paradigm.h"

namespace vormik {

struct Stem {
  StemClass cls = kNom;
  std::string text;
  std::string codes;  // only for kFixed: "sg n, sg g, "
};

struct LexEntry {
  std::string lemma;  // as written: "raamat", "tulema", "loe=tud"
  char pos = 'S';
  std::vector<Stem> stems;
};

// The part-of-speech letters a lexicon line may use.
bool IsPosLetter(char c);

// Parses one line. Returns true and leaves `out.lemma` empty for a blank or
// comment line; returns false and sets `error` for a malformed line.
bool ParseLexLine(std::string_view line, LexEntry& out, std::string& error);

// Writes an entry back in the same line format (no line end).
std::string FormatLexLine(const LexEntry& e);

// The lemma as it stands in an analyser text: a verb lemma loses its final
// "ma" (tulema -> tule).
std::string OutputLemma(const LexEntry& e);
std::string OutputLemma(std::string_view lemma, char pos);

}  // namespace vormik
