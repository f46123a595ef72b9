// Stem classes: every dictionary stem belongs to one class, and the class
// says which endings may follow that stem and which form codes they give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vormik {

enum StemClass : std::uint8_t {
  kNom,      // N:  nominative singular, the whole word
  kGen,      // G:  genitive singular stem, carries the singular cases
  kPart,     // P:  partitive singular, whole word
  kAdt,      // A:  short illative, whole word
  kPlGen,    // PG: genitive plural, carries the plural cases
  kPlPart,   // PP: partitive plural, whole word
  kMa,       // MA: supine stem (tule-): ma mas mast maks mata, v vat
  kPres,     // B:  present stem (loe-): n d b me te vad, o, ks...
  kDa,       // D:  da-infinitive, whole word
  kDes,      // DES: gerund, whole word
  kPastS,    // PS: past stem taking -s -sin -sid ...
  kPastI,    // PI: past form without -s (tuli): 0 n d me te
  kNud,      // NUD: stem before -nud -nuks -nuvat
  kImp,      // IMP: imperative stem before -e -u -em (tulg-, tehk-)
  kImps,     // T:  impersonal stem (tuld-, loet-): ud i aks agu av ...
  kTa,       // TA: impersonal negative (tulla): 0 kse
  kWord,     // W:  uninflected word, no form codes
  kFixed,    // F:  one full form with the codes stored beside it
  kFirst,    // X:  a compound's first element only (kesk-, eba-): no forms
  kClassCount
};

struct Ending {
  const char* text;   // the ending as written after the stem
  const char* codes;  // form codes, each followed by ", " (may be empty)
};

// The short name used in the lexicon sources ("G", "PG", "MA", ...).
const char* ClassName(StemClass c);
// Parses a short class name; returns kClassCount when unknown.
StemClass ClassFromName(std::string_view name);
// The endings a stem of the class takes (for kFixed: one empty ending whose
// codes come from the dictionary entry).
const std::vector<Ending>& EndingsOf(StemClass c);
// True for the classes of verbs.
bool IsVerbClass(StemClass c);
// Longest ending of any class, in bytes.
std::size_t MaxEndingLength();

// Windows-1257 letter tests and case mapping.
bool IsUpper1257(unsigned char c);
bool IsLower1257(unsigned char c);
bool IsLetter1257(unsigned char c);
unsigned char ToLower1257(unsigned char c);
unsigned char ToUpper1257(unsigned char c);
std::string Lower1257(std::string_view s);

}  // namespace vormik
