#include "vormik/analyser.h"

#include <algorithm>
#include <cstring>
#include <cmath>
#include <map>
#include <unordered_set>

namespace vormik {
namespace {

bool HasLetter(std::string_view s) {
  for (unsigned char c : s)
    if (IsLetter1257(c)) return true;
  return false;
}
bool HasDigit(std::string_view s) {
  for (char c : s)
    if (c >= '0' && c <= '9') return true;
  return false;
}
bool AllUpper(std::string_view s) {
  int letters = 0;
  for (unsigned char c : s) {
    if (IsLower1257(c)) return false;
    if (IsUpper1257(c)) ++letters;
  }
  return letters > 0;
}
// :) ;-) :D :P :(
bool IsEmoticon(std::string_view s) {
  if (s.size() < 2 || s.size() > 4 || (s[0] != ':' && s[0] != ';' && s[0] != '=')) return false;
  std::size_t i = 1;
  if (s[i] == '-' || s[i] == '\'') ++i;
  if (i >= s.size()) return false;
  for (; i < s.size(); ++i)
    if (std::string_view(")(DPpSs/|]").find(s[i]) == std::string_view::npos) return false;
  return true;
}

// A well-formed Roman numeral up to 3999 (MCMXCIX, XIV; not VD).
bool IsRoman(std::string_view s) {
  if (s.empty() || s.size() > 15) return false;
  std::size_t i = 0;
  auto digit = [&](char one, char five, char ten) {
    if (s.compare(i, 2, std::string{one, ten}) == 0 || s.compare(i, 2, std::string{one, five}) == 0) {
      i += 2;
      return;
    }
    if (i < s.size() && s[i] == five) ++i;
    for (int k = 0; k < 3 && i < s.size() && s[i] == one; ++k) ++i;
  };
  for (int k = 0; k < 3 && i < s.size() && s[i] == 'M'; ++k) ++i;
  digit('C', 'D', 'M');
  digit('X', 'L', 'C');
  digit('I', 'V', 'X');
  return i == s.size();
}

// A lemma in a reading line may hold neither "/" (the reading's tag field
// starts at the first "/") nor blanks.
std::string SafeLemma(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c == '/') c = '|';
    else if (c == ' ' || c == '\t') c = '_';
  }
  return r;
}

void AddReading(std::vector<Reading>& out, std::string lemma, char pos, std::string_view codes) {
  out.push_back(Reading{std::move(lemma), pos, std::string(codes)});
}

// Classes the guesser may assume for an unknown stem.
constexpr StemClass kGuessClasses[] = {kNom, kGen, kPart, kPlGen, kPlPart, kMa,
                                       kPres, kPastS, kNud, kImps, kDa};

// The word with every x written ks, as informal writing spells it the other
// way round (tulex, saxlane).
std::string XToKs(std::string_view w) {
  std::string out;
  for (char c : w) {
    if (c == 'x') out += "ks";
    else out += c;
  }
  return out;
}

}  // namespace

void MergeReadings(std::vector<Reading>& rs) {
  std::vector<Reading> merged;
  for (Reading& r : rs) {
    auto it = std::find_if(merged.begin(), merged.end(),
                           [&](const Reading& m) { return m.lemma == r.lemma && m.pos == r.pos; });
    if (it == merged.end()) {
      merged.push_back(std::move(r));
      continue;
    }
    // Append each code of r not yet present.
    std::size_t i = 0;
    while (i < r.codes.size()) {
      std::size_t e = r.codes.find(", ", i);
      if (e == std::string::npos) break;
      std::string code = r.codes.substr(i, e + 2 - i);
      bool present = false;
      std::size_t j = 0;
      while (j < it->codes.size()) {
        std::size_t f = it->codes.find(", ", j);
        if (f == std::string::npos) break;
        if (it->codes.compare(j, f + 2 - j, code) == 0) present = true;
        j = f + 2;
      }
      if (!present) it->codes += code;
      i = e + 2;
    }
  }
  rs = std::move(merged);
}

std::string FormatAnalysis(std::string_view word, const std::vector<Reading>& rs) {
  std::string out(word);
  out += '\n';
  if (rs.empty()) {
    out += "    ####\n";
    return out;
  }
  for (const Reading& r : rs) {
    out += "    ";
    out += r.lemma;
    out += " //_";
    out += r.pos;
    out += "_ ";
    out += r.codes;
    out += "//\n";
  }
  return out;
}

void Analyser::LookupShortIPlural(std::string_view w, std::vector<Reading>& out) const {
  // The short plural in -i- of literary writing, made on an -id plural
  // partitive: jumalaid -> jumalaisse, pisarais, otsinguil, riiuleist,
  // heledaina. It is tried only for a word the dictionary lacks, and
  // stems under five letters are left out: there the old form would only
  // shadow frequent words (teil, mail, neil).
  static constexpr std::string_view kEndings[] = {"sse", "s", "st", "le", "l", "lt", "ks", "na"};
  for (std::string_view ending : kEndings) {
    if (w.size() < ending.size() + 5 || w.substr(w.size() - ending.size()) != ending) continue;
    std::string partitive(w.substr(0, w.size() - ending.size()));
    if (partitive.back() != 'i') continue;
    partitive += 'd';
    for (std::uint32_t ri = dict_.Find(partitive); ri != kNoRef; ri = dict_.Ref(ri).next) {
      const StemRef& r = dict_.Ref(ri);
      if (r.cls != kPlPart) continue;
      char pos = dict_.Pos(r.lemma);
      if (pos != 'S' && pos != 'A' && pos != 'C') continue;
      for (const Ending& e : EndingsOf(kPlGen)) {
        if (ending != e.text) continue;
        std::string lemma(dict_.Lemma(r.lemma));
        lemma += '+';
        lemma += ending;
        AddReading(out, std::move(lemma), pos, e.codes);
      }
    }
  }
}

void Analyser::Lookup(std::string_view w, std::vector<Reading>& out) const {
  std::size_t n = w.size();
  std::size_t first = n > MaxEndingLength() ? n - MaxEndingLength() : 1;
  if (first < 1) first = 1;
  for (std::size_t k = first; k <= n; ++k) {
    std::uint32_t head = dict_.Find(w.substr(0, k));
    if (head == kNoRef) continue;
    std::string_view ending = w.substr(k);
    for (std::uint32_t ri = head; ri != kNoRef; ri = dict_.Ref(ri).next) {
      const StemRef& r = dict_.Ref(ri);
      if (r.cls == kFixed || r.cls == kWord) {
        if (!ending.empty()) continue;
        std::string lemma(dict_.Lemma(r.lemma));
        lemma += "+0";
        AddReading(out, std::move(lemma), dict_.Pos(r.lemma), r.cls == kFixed ? dict_.Codes(r.codes) : "");
        continue;
      }
      if (r.cls == kPlPart && !ending.empty() && k >= 2) {
        // The short plural on a vowel partitive: sõnu -> sõnul, silmi -> silmis.
        unsigned char last = static_cast<unsigned char>(w[k - 1]);
        if (last == 'a' || last == 'e' || last == 'i' || last == 'u')
          for (const Ending& e : EndingsOf(kPlGen)) {
            if (ending != e.text || ending == "ga" || ending == "na" || ending == "ta" || ending == "ni") continue;
            std::string lemma(dict_.Lemma(r.lemma));
            lemma += '+';
            lemma += ending;
            AddReading(out, std::move(lemma), dict_.Pos(r.lemma), e.codes);
          }
      }
      if (r.cls == kGen && (ending == "lt" || ending == "sti")) {
        // An adjective's -lt and -sti forms are adverbs of their own
        // (laialt, üllatavalt, odavamalt, kiiresti); the adverb comes
        // first, being the far more frequent reading.
        char pos = dict_.Pos(r.lemma);
        if (pos == 'A' || (pos == 'C' && ending == "lt")) {
          std::string lemma(w);
          lemma += "+0";
          AddReading(out, std::move(lemma), 'D', "");
        }
      }
      // A consonant supine stem makes its present participle in -ev (andev,
      // kandev, tundev), not in a bare -v; its -vat form is regular (andvat).
      const bool consonant_ma =
          r.cls == kMa && std::string_view("aeiou\xF5\xE4\xF6\xFC").find(w[k - 1]) == std::string_view::npos;
      if (consonant_ma && ending == "ev") {
        std::string lemma(dict_.Lemma(r.lemma));
        lemma += "+ev";
        AddReading(out, std::move(lemma), dict_.Pos(r.lemma), "v, ");
      }
      for (const Ending& e : EndingsOf(r.cls)) {
        if (ending != e.text || (consonant_ma && ending == "v")) continue;
        std::string lemma(dict_.Lemma(r.lemma));
        lemma += '+';
        lemma += ending.empty() ? std::string_view("0") : ending;
        AddReading(out, std::move(lemma), dict_.Pos(r.lemma), e.codes);
      }
    }
  }
}

void Analyser::LookupWithClitic(std::string_view w, std::vector<Reading>& out) const {
  Lookup(w, out);
  if (w.size() > 3 && (w.substr(w.size() - 2) == "ki" || w.substr(w.size() - 2) == "gi")) {
    std::vector<Reading> base;
    Lookup(w.substr(0, w.size() - 2), base);
    for (Reading& r : base) {
      if (r.pos == 'Z') continue;
      // The clitic takes the ending's place in the lemma field: raamat+ki.
      std::size_t plus = r.lemma.rfind('+');
      if (plus != std::string::npos) r.lemma.resize(plus);
      r.lemma += '+';
      r.lemma += w.substr(w.size() - 2);
      out.push_back(std::move(r));
    }
  }
}

bool Analyser::IsFormFirstPart(std::string_view left) const {
  // Besides the stems the dictionary marks, two forms open compounds freely:
  // the -mis stem of an action noun (õppimis_meetod, of õppimine or of any
  // verb's -mine noun), and a noun's plural genitive (laste_film,
  // naiste_arst).
  auto ends = [&](std::string_view e) { return left.size() >= e.size() + 3 && left.substr(left.size() - e.size()) == e; };
  std::vector<Reading> r;
  if (ends("mis")) {
    if (dict_.IsFirstPart(std::string(left) + "e")) return true;
    Lookup(std::string(left.substr(0, left.size() - 3)) + "ma", r);
    return std::any_of(r.begin(), r.end(), [](const Reading& x) { return x.pos == 'V'; });
  }
  if (ends("te") || ends("de")) {
    Lookup(left, r);
    return std::any_of(r.begin(), r.end(), [](const Reading& x) {
      return x.pos == 'S' && x.codes.find("pl g, ") != std::string::npos;
    });
  }
  return false;
}

void Analyser::LookupCompound(std::string_view w, std::vector<Reading>& out) const {
  // A compound: one or two known first parts, then a known nominal or verb
  // form of at least three letters. The longest last part wins. Two-letter
  // first parts are only those listed as first elements (au, öö).
  // Real compounds are far shorter than this; the bound keeps junk tokens
  // from costing quadratic time.
  if (w.size() < 6 || w.size() > 60) return;
  for (std::size_t i = 2; i + 3 <= w.size(); ++i) {
    std::string_view left = w.substr(0, i);
    bool left_ok = dict_.IsFirstPart(left) || IsFormFirstPart(left);
    std::string left_marked(left);
    if (!left_ok && left.size() >= 6 && left.size() <= 30) {
      for (std::size_t j = 3; j + 3 <= left.size(); ++j) {
        if (dict_.IsFirstPart(left.substr(0, j)) && dict_.IsFirstPart(left.substr(j))) {
          left_ok = true;
          left_marked = std::string(left.substr(0, j)) + "_" + std::string(left.substr(j));
          break;
        }
      }
    }
    if (!left_ok) continue;
    std::vector<Reading> right;
    LookupWithClitic(w.substr(i), right);
    if (right.empty()) LookupShortIPlural(w.substr(i), right);
    bool any = false;
    for (Reading& r : right) {
      if (r.pos != 'S' && r.pos != 'A' && r.pos != 'C' && r.pos != 'V') continue;
      if (r.pos == 'V' && r.lemma.find("+nud") == std::string::npos && r.lemma.find("+ud") == std::string::npos &&
          r.lemma.find("+v") == std::string::npos)
        continue;
      r.lemma = left_marked + "_" + r.lemma;
      out.push_back(std::move(r));
      any = true;
    }
    if (any) return;
  }
}

void Analyser::LookupWord(std::string_view w, std::vector<Reading>& out, bool compounds) const {
  LookupWithClitic(w, out);
  if (out.empty()) {
    // A word the dictionary lacks as it stands: a short plural, or a
    // compound, or both (elu_stiil beside a short plural of a made-up
    // stem). The short plural comes first: a compound found beside it
    // mostly ends in a short junk part (pisar_ais, hele_daina).
    LookupShortIPlural(w, out);
    if (compounds) LookupCompound(w, out);
  }
  if (out.empty()) {
    std::size_t h = w.rfind('-');
    if (h != std::string_view::npos && h > 0 && h + 1 < w.size()) {
      std::vector<Reading> last;
      LookupWithClitic(w.substr(h + 1), last);
      if (last.empty()) LookupCompound(w.substr(h + 1), last);
      for (Reading& r : last) {
        r.lemma = std::string(w.substr(0, h + 1)) + "_" + r.lemma;
        out.push_back(std::move(r));
      }
    }
  }
}

void Analyser::AnalyseNumber(std::string_view w, std::vector<Reading>& out) const {
  // 1998, 3,5, 12:30, 1.5 ; 5. (ordinal) ; 1990-ndatel, 2005-le, 5-aastane
  std::size_t i = 0;
  while (i < w.size() && ((w[i] >= '0' && w[i] <= '9') || w[i] == ',' || w[i] == '.' || w[i] == ':'))
    ++i;
  std::string_view num = w.substr(0, i);
  std::string_view rest = w.substr(i);
  // A range or a list of numbers (2-3, 1994-96, 6-7%) and a number that
  // opens a pair (6- ja 7-aastased) agree in case like a single number.
  if (!rest.empty() && rest[0] == '-') {
    std::size_t j = i;
    while (j < w.size() && ((w[j] >= '0' && w[j] <= '9') || std::string_view(",.:-").find(w[j]) != std::string_view::npos))
      ++j;
    if (j == w.size() || (j + 1 == w.size() && w[j] == '%')) {
      num = w;
      while (num.size() > 1 && num.back() == '-') num.remove_suffix(1);
      rest = {};
    }
  }
  if (rest.empty()) {
    // A number written without an ending agrees in case with the word it
    // goes with ("1997. aastal", "40 aastas", "100 eest"), so it may stand
    // in any singular case that agrees; before the terminative, essive,
    // abessive and comitative an attribute is genitive ("22 punktiga"). The
    // nominative comes first; the disambiguator picks the case from the
    // next word.
    static const char* const kCaseCodes[] = {"sg n, ",  "sg g, ",  "sg p, ",   "sg adt, ", "sg in, ",
                                             "sg el, ", "sg all, ", "sg ad, ", "sg abl, ", "sg tr, "};
    bool ordinal = num.size() > 1 && num.back() == '.';
    for (const char* codes : kCaseCodes) AddReading(out, SafeLemma(num) + "+0", ordinal ? 'O' : 'N', codes);
    return;
  }
  if (rest[0] == '-' || rest[0] == '\'' || rest[0] == '%' || IsLower1257(static_cast<unsigned char>(rest[0]))) {
    // 2005-le, 400st, 5%-ga, 3'si: the number with a case ending.
    std::string_view suffix = rest[0] == '-' || rest[0] == '\'' || rest[0] == '%' ? rest.substr(1) : rest;
    if (rest[0] == '%' && !suffix.empty() && suffix[0] == '-') suffix = suffix.substr(1);
    std::string_view base = w.substr(0, w.size() - suffix.size());
    while (!base.empty() && (base.back() == '-' || base.back() == '\'')) base.remove_suffix(1);
    std::string lower = Lower1257(suffix);
    for (const Ending& e : EndingsOf(kGen)) {
      if (lower == e.text && !lower.empty())
        AddReading(out, SafeLemma(base) + "+" + lower, 'N', e.codes);
    }
    if (lower == "t" || lower == "d") AddReading(out, SafeLemma(base) + "+" + lower, 'N', "sg p, ");
    // The plural: 5-si, 3'si (partitive), 2-de, 2-dega (on the genitive).
    if (lower == "si" || lower == "sid") AddReading(out, SafeLemma(base) + "+" + lower, 'N', "pl p, ");
    if (lower.size() >= 2 && lower.compare(0, 2, "de") == 0)
      for (const Ending& e : EndingsOf(kPlGen))
        if (lower.substr(2) == e.text) AddReading(out, SafeLemma(base) + "+" + lower, 'N', e.codes);
    // 7-nda, 1990ndatel, 10ndasse: an ordinal (the number with -s, as in
    // seitsmes) in a case of its own: -nda- carries the singular cases,
    // -ndate- the plural ones.
    if (out.empty() && lower.size() >= 3 && lower.compare(0, 3, "nda") == 0) {
      std::string lemma = SafeLemma(base) + "=s+" + lower;
      std::string_view after = std::string_view(lower).substr(3);
      for (const Ending& e : EndingsOf(kGen))
        if (after == e.text) AddReading(out, lemma, 'O', e.codes);
      if (after == "t") AddReading(out, lemma, 'O', "sg p, ");
      if (after == "id") AddReading(out, lemma, 'O', "pl p, ");
      if (after.size() >= 2 && after.compare(0, 2, "te") == 0)
        for (const Ending& e : EndingsOf(kPlGen))
          if (after.substr(2) == e.text) AddReading(out, lemma, 'O', e.codes);
    }
    if (!out.empty()) return;
    if (HasLetter(suffix)) {
      std::vector<Reading> tail;
      LookupWord(lower, tail);
      for (Reading& r : tail) {
        // 5-aastane: the number and the word make a compound (5_aastane).
        std::string_view head = w.substr(0, w.size() - suffix.size());
        while (!head.empty() && head.back() == '-') head.remove_suffix(1);
        r.lemma = SafeLemma(head) + "_" + r.lemma;
        out.push_back(std::move(r));
      }
      if (!out.empty()) return;
    }
  }
  AddReading(out, SafeLemma(w) + "+0", 'N', "?, ");
}

void Analyser::SuffixDerivative(std::string_view w, std::vector<Reading>& out) const {
  // Words made with a suffix on a noun's genitive stem that the dictionary
  // need not list: the diminutive -ke (-kene; genitive -kese, partitive
  // -kest, plural -keste/-kesi: lipukest, mullikestes) of a noun or
  // adjective, the adjective in -line (-lise, -list, -liste, -lisi:
  // neuroloogiline, tsüstiline) and the noun in -lane of a people or a
  // place (komilased). Lemma: the stem, "=" and the suffix.
  struct Form {
    const char* text;
    const char* codes;  // nullptr: the endings of a class follow
    StemClass cls;
  };
  struct Suffix {
    const char* lemma;
    char pos;  // 0: the base's own
    Form forms[8];
  };
  static const Suffix kSuffixes[] = {
      {"ke",
       0,
       {{"kene", "sg n, ", kWord},
        {"kesse", "adt, ", kWord},
        {"kesi", "pl p, ", kWord},
        {"keseid", "pl p, ", kWord},
        {"kest", "sg p, ", kWord},
        {"ke", "sg n, ", kWord},
        {"kese", nullptr, kGen},
        {"keste", nullptr, kPlGen}}},
      {"line",
       'A',
       {{"line", "sg n, ", kWord},
        {"lisse", "adt, ", kWord},
        {"lisi", "pl p, ", kWord},
        {"liseid", "pl p, ", kWord},
        {"list", "sg p, ", kWord},
        {"lise", nullptr, kGen},
        {"liste", nullptr, kPlGen},
        {"", nullptr, kWord}}},
      {"lane",
       'S',
       {{"lane", "sg n, ", kWord},
        {"lasi", "pl p, ", kWord},
        {"last", "sg p, ", kWord},
        {"lase", nullptr, kGen},
        {"laste", nullptr, kPlGen},
        {"", nullptr, kWord},
        {"", nullptr, kWord},
        {"", nullptr, kWord}}},
  };
  for (const Suffix& sx : kSuffixes) {
    for (const Form& f : sx.forms) {
      if (!*f.text) continue;
      for (std::size_t at = w.find(f.text, 3); at != std::string_view::npos; at = w.find(f.text, at + 1)) {
        std::string_view ending = w.substr(at + std::char_traits<char>::length(f.text));
        const char* codes = nullptr;
        if (!f.codes) {
          for (const Ending& e : EndingsOf(f.cls))
            if (ending == e.text) codes = e.codes;
        } else if (ending.empty()) {
          codes = f.codes;
        }
        if (!codes) continue;
        std::vector<Reading> base;
        LookupWord(w.substr(0, at), base);
        for (const Reading& b : base) {
          if ((b.pos != 'S' && (sx.pos || b.pos != 'A')) || b.codes.find("sg g, ") == std::string::npos) continue;
          std::size_t plus = b.lemma.rfind('+');
          if (plus == std::string::npos || b.lemma.compare(plus, std::string::npos, "+0") != 0) continue;
          // A compound base keeps its compound marks (vürsti_riigi=ke): the
          // lemma's first parts are spelt as in the word.
          std::size_t mark = b.lemma.rfind('_', plus);
          std::string lemma;
          if (mark != std::string::npos) {
            std::size_t marks = static_cast<std::size_t>(
                std::count(b.lemma.begin(), b.lemma.begin() + static_cast<std::ptrdiff_t>(mark), '_'));
            // The first parts must be spelt as in the word; otherwise the
            // reading is not made.
            if (mark - marks > at) continue;
            lemma = b.lemma.substr(0, mark + 1) + std::string(w.substr(mark - marks, at - (mark - marks)));
          } else {
            lemma = std::string(w.substr(0, at));
          }
          lemma += '=';
          lemma += sx.lemma;
          lemma += '+';
          lemma += ending.empty() ? std::string_view("0") : ending;
          AddReading(out, SafeLemma(lemma), sx.pos ? sx.pos : b.pos, codes);
          break;
        }
      }
    }
  }
}

void Analyser::CorrectSpelling(std::string_view w, std::vector<Reading>& out) const {
  // A word of forum writing with one slip in it: the known word one edit
  // away. The likelier slips are tried first; the first kind of slip that
  // leads to known words gives their readings, unless it leads to more
  // than two, when the word is too short or too common in shape to tell.
  // Every candidate costs a dictionary lookup, so the slips tried are the
  // frequent ones and the words are of everyday length (longer unknown
  // words are mostly compounds and names rather than slips).
  if (w.size() < 4 || w.size() > 12) return;
  for (unsigned char c : w)
    if (!IsLower1257(c)) return;
  auto is_vowel = [](char c) { return std::string_view("aeiou\xF5\xE4\xF6\xFC").find(c) != std::string_view::npos; };
  std::unordered_set<std::string> tried;
  // The readings of each known word found for one kind of slip.
  std::vector<std::vector<Reading>> found;
  auto attempt = [&](std::string cand) {
    if (found.size() > 8 || cand == w || !tried.insert(cand).second) return;
    std::vector<Reading> got;
    LookupWithClitic(cand, got);
    if (!got.empty()) found.push_back(std::move(got));
  };
  // A candidate read only as a word with a clitic (mudagi as muda+gi) is a
  // less likely intended word than one read as a word of its own (midagi).
  auto clitic_only = [](const std::vector<Reading>& rs) {
    return std::all_of(rs.begin(), rs.end(), [](const Reading& r) {
      std::size_t plus = r.lemma.rfind('+');
      return plus != std::string::npos && (r.lemma.compare(plus, std::string::npos, "+gi") == 0 ||
                                           r.lemma.compare(plus, std::string::npos, "+ki") == 0);
    });
  };
  for (int kind = 0; kind < 3 && out.empty(); ++kind) {
    if (kind > 0 && w.size() < 5) break;
    found.clear();
    std::string s(w);
    for (std::size_t i = 0; i < s.size(); ++i) {
      char c = s[i];
      if (kind == 0) {
        // A letter written without its marks (koik, zhürii).
        std::string_view to = c == 'a' ? "\xE4" : c == 'o' ? "\xF5\xF6" : c == 'u' ? "\xFC" : c == 's' ? "\xF0" : c == 'z' ? "\xFE" : "";
        for (char t : to) {
          s[i] = t;
          attempt(s);
        }
        s[i] = c;
        if (i + 1 < s.size() && s[i + 1] == 'h' && (c == 's' || c == 'z'))
          attempt(s.substr(0, i) + (c == 's' ? '\xF0' : '\xFE') + s.substr(i + 2));
      } else if (kind == 1) {
        // A consonant doubled or not (keskond, äki), two letters swapped
        // (ühsikond).
        if (!is_vowel(c) && (i == 0 || s[i - 1] != c) && (i + 1 == s.size() || s[i + 1] != c))
          attempt(s.substr(0, i + 1) + s.substr(i));
        if (i + 1 < s.size() && s[i + 1] == c && !is_vowel(c)) attempt(s.substr(0, i) + s.substr(i + 1));
        if (i + 1 < s.size() && s[i + 1] != c) {
          std::swap(s[i], s[i + 1]);
          attempt(s);
          std::swap(s[i], s[i + 1]);
        }
      } else {
        // A vowel left out (täesti, isksus) or one letter too many (jääkl).
        for (char t : std::string_view("aeiu")) attempt(s.substr(0, i) + t + s.substr(i));
        attempt(s.substr(0, i) + s.substr(i + 1));
      }
    }
    if (found.size() > 2)
      found.erase(std::remove_if(found.begin(), found.end(), clitic_only), found.end());
    if (!found.empty() && found.size() <= 2)
      for (std::vector<Reading>& rs : found)
        for (Reading& r : rs) out.push_back(std::move(r));
  }
}

void Analyser::GuessWord(std::string_view w, bool proper, std::vector<Reading>& out) const {
  // Every split into a stem and an ending that some class allows is scored
  // by how often stems ending like this one lead to a given lemma.
  struct Hyp {
    double score = 0;
    std::vector<Reading> readings;
  };
  std::map<std::pair<std::string, char>, Hyp> hyps;
  std::string lw = Lower1257(w);
  std::string key;  // scratch for the rule lookups
  std::size_t n = lw.size();
  for (std::size_t k = 2; k <= n; ++k) {
    std::string_view stem = std::string_view(lw).substr(0, k);
    std::string_view ending = std::string_view(lw).substr(k);
    if (ending.size() > MaxEndingLength()) continue;
    for (StemClass c : kGuessClasses) {
      if (proper && IsVerbClass(c)) continue;
      for (const Ending& e : EndingsOf(c)) {
        if (ending != e.text) continue;
        const std::vector<GuessRule>* rules = nullptr;
        for (std::size_t len = std::min<std::size_t>(4, stem.size()); len >= 2 && !rules; --len)
          rules = dict_.Guess(c, stem.substr(stem.size() - len), key);
        if (!rules) continue;
        double total = 0;
        for (const GuessRule& r : *rules) total += r.count;
        for (const GuessRule& r : *rules) {
          if (r.strip >= stem.size()) continue;
          if (proper && r.pos != 'S') continue;
          std::string lemma(stem.substr(0, stem.size() - r.strip));
          lemma += r.add;
          if (lemma.size() < 2) continue;
          double p = r.count / total;
          double weight = (1.0 + 0.35 * static_cast<double>(ending.size())) * std::log(2.0 + total);
          char pos = proper ? 'H' : r.pos;
          if (proper) {
            // A proper name keeps the capitals it is written with.
            for (std::size_t q = 0; q < lemma.size() && q < w.size(); ++q)
              if (IsUpper1257(static_cast<unsigned char>(w[q]))) lemma[q] = static_cast<char>(ToUpper1257(static_cast<unsigned char>(lemma[q])));
          }
          Hyp& h = hyps[{lemma, pos}];
          h.score = std::max(h.score, p * weight);
          std::string shown = SafeLemma(lemma) + "+" + (ending.empty() ? std::string("0") : std::string(ending));
          h.readings.push_back(Reading{shown, pos, e.codes});
        }
      }
    }
  }
  // The short illative of -us and -is nouns (teadusse, ehitisse): the
  // nominative with -se; of -mine nouns, -misse.
  if (!proper && n >= 7 && (lw.compare(n - 4, 4, "usse") == 0 || lw.compare(n - 4, 4, "isse") == 0)) {
    // -mine nouns too: tootmisse from tootmine.
    std::string lemma = lw.compare(n - 5, 5, "misse") == 0 ? lw.substr(0, n - 4) + "ine" : lw.substr(0, n - 2);
    Hyp& h = hyps[{lemma, 'S'}];
    h.score += 10.0;
    h.readings.insert(h.readings.begin(), Reading{SafeLemma(lemma) + "+0", 'S', "adt, "});
  }
  // Foreign -ne adjectives decline on -se after v, t, l or r (kognitiivne
  // kognitiivse, heterokromaatne, normaalne, elementaarne): the -ne lemma
  // goes first for an unknown word with such a stem.
  if (!proper && n >= 8) {
    auto ne_adjective = [&](std::size_t s_at, StemClass cls, const char* codes) {
      if (s_at < 4 || std::string_view("vtlr").find(lw[s_at - 1]) == std::string_view::npos) return;
      std::string lemma = lw.substr(0, s_at) + "ne";
      std::string_view ending = std::string_view(lw).substr(s_at);
      Hyp& h = hyps[{lemma, 'A'}];
      auto add = [&](std::string_view end, const char* c) {
        h.readings.insert(h.readings.begin(),
                          Reading{SafeLemma(lemma) + "+" + (end.empty() ? std::string("0") : std::string(end)), 'A', c});
      };
      if (codes) {
        add("", codes);
      } else {
        std::string_view after = ending.substr(cls == kPlGen ? 4 : 2);  // after "sete" or "se"
        for (const Ending& e : EndingsOf(cls))
          if (after == e.text) add(after, e.codes);
      }
      if (!h.readings.empty()) h.score += 10.0;
    };
    // The nominative itself (kortikaalne, atraktiivne).
    if (lw.compare(n - 2, 2, "ne") == 0) {
      std::size_t at = n - 2;
      if (at >= 4 && std::string_view("vtlr").find(lw[at - 1]) != std::string_view::npos) {
        Hyp& h = hyps[{lw, 'A'}];
        h.readings.insert(h.readings.begin(), Reading{SafeLemma(lw) + "+0", 'A', "sg n, "});
        h.score += 10.0;
      }
    }
    for (std::size_t at = n >= 6 ? n - 6 : 0; at + 2 <= n; ++at) {
      std::string_view rest = std::string_view(lw).substr(at);
      if (rest == "set") ne_adjective(at, kWord, "sg p, ");
      else if (rest == "seid") ne_adjective(at, kWord, "pl p, ");
      else if (rest.substr(0, 4) == "sete") ne_adjective(at, kPlGen, nullptr);
      else if (rest.substr(0, 2) == "se" && rest.substr(0, 4) != "seid") ne_adjective(at, kGen, nullptr);
    }
  }
  // A foreign noun in -ia (hüperlipideemia, kategooria) is its own
  // nominative and genitive, not a verb form in -a.
  if (!proper && n >= 6 && lw.compare(n - 2, 2, "ia") == 0) {
    Hyp& h = hyps[{lw, 'S'}];
    h.readings.insert(h.readings.begin(), Reading{SafeLemma(lw) + "+0", 'S', "sg n, sg g, "});
    h.score += 10.0;
  }
  // An unknown word in -nud, -tud or -dud is a past participle
  // (krüpteeritud, fastsineerinud): the adjective first, then the verb.
  if (!proper && n >= 7) {
    for (const char* suffix : {"nud", "tud", "dud"}) {
      if (lw.compare(n - 3, 3, suffix) != 0) continue;
      std::string stem = lw.substr(0, n - 3);
      std::string adj = SafeLemma(stem + "=" + suffix);
      Hyp& a = hyps[{stem + "=" + suffix, 'A'}];
      a.readings.insert(a.readings.begin(), {Reading{adj + "+0", 'A', "sg n, "}, Reading{adj + "+d", 'A', "pl n, "}});
      a.score += 20.0;
      Hyp& v = hyps[{stem, 'V'}];
      if (v.readings.empty()) v.readings.push_back(Reading{SafeLemma(stem) + "+" + suffix, 'V', std::string(suffix) + ", "});
      v.score += 15.0;
    }
  }
  // Adverb-forming endings: an unknown word in -likult, -sti, -misi,
  // -pidi, -moodi or -kesi, or an -alt/-ult form of some length
  // (järjekindlalt, siiralt), is first of all an adverb.
  if (!proper) {
    static const char* const kAdverbEndings[] = {"likult", "sti", "misi", "pidi", "moodi", "kesi"};
    bool adverb = false;
    for (const char* e : kAdverbEndings) {
      std::size_t len = std::char_traits<char>::length(e);
      adverb = adverb || (n >= len + 3 && lw.compare(n - len, len, e) == 0);
    }
    adverb = adverb || (n >= 7 && lw.compare(n - 2, 2, "lt") == 0 &&
                        std::string_view("au").find(lw[n - 3]) != std::string_view::npos);
    if (adverb) out.push_back(Reading{SafeLemma(lw) + "+0", 'D', ""});
  }
  std::vector<std::pair<double, const Hyp*>> ranked;
  for (const auto& [hyp_key, h] : hyps) {
    (void)hyp_key;
    ranked.push_back({h.score, &h});
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < ranked.size() && i < 4; ++i) {
    if (i > 0 && ranked[i].first < ranked[0].first * 0.2) break;
    for (const Reading& r : ranked[i].second->readings) out.push_back(r);
  }
  if (out.empty()) AddReading(out, SafeLemma(proper ? w : std::string_view(lw)) + "+0", proper ? 'H' : 'S', "sg n, ");
  if (proper) {
    // A name that ends in a vowel has its genitive equal to the nominative
    // (Tartu, Greenaway).
    unsigned char last = static_cast<unsigned char>(lw.back());
    bool vowel = std::string_view("aeiouy\xF5\xE4\xF6\xFC").find(static_cast<char>(last)) != std::string_view::npos;
    if (vowel)
      for (Reading& r : out)
        if (r.lemma == SafeLemma(w) + "+0" && r.codes == "sg n, ") r.codes += "sg g, ";
  }
}

// A Roman numeral (II maailmasõda, XIV sajandi) is mostly an ordinal
// before its noun, in the nominative or the genitive.
constexpr const char* kRomanCodes = "sg n, sg g, ";

std::vector<Reading> Analyser::Readings(std::string_view token, const TokenContext& ctx) const {
  std::vector<Reading> out;
  if (token.empty()) return out;
  if (token == "$LA$" || token == "$LL$") {
    AddReading(out, std::string(token), 'Z', "");
    return out;
  }
  if (IsEmoticon(token)) {
    AddReading(out, SafeLemma(token) + "+0", 'I', "");
    return out;
  }
  if (!HasLetter(token) && !HasDigit(token)) {
    AddReading(out, SafeLemma(token), 'Z', "");
    return out;
  }
  unsigned char first = static_cast<unsigned char>(token[0]);
  if (first >= '0' && first <= '9') {
    // Digits followed by capitals name a model (350D, 5D, 4G): like a name
    // without an ending, in the nominative, genitive or partitive.
    std::size_t d = 0;
    while (d < token.size() && token[d] >= '0' && token[d] <= '9') ++d;
    if (d < token.size() && std::all_of(token.begin() + static_cast<std::ptrdiff_t>(d), token.end(), [](char c) {
          return IsUpper1257(static_cast<unsigned char>(c));
        })) {
      AddReading(out, SafeLemma(token) + "+0", 'H', "sg n, sg g, sg p, ");
      return out;
    }
    AnalyseNumber(token, out);
    MergeReadings(out);
    return out;
  }
  std::string lower = Lower1257(token);
  bool capital = IsUpper1257(first);
  std::string informal;  // the word with its letters restored, for guessing
  // Words written with capitals: entries stored with capitals (names,
  // abbreviations) first, then the lower-case word.
  if (lower != token) LookupWord(token, out);
  if (lower != token && AllUpper(token) && token.size() > 1 && out.empty()) {
    // A name written in capitals (TOOMAS, ÜLLE in a heading or a byline)
    // comes first, as the name it is.
    std::string title = lower;
    title[0] = token[0];
    std::vector<Reading> names;
    LookupWord(title, names, false);
    for (Reading& r : names)
      if (r.pos == 'H') out.push_back(std::move(r));
    // An acronym: never read as a common word unless it is one.
    LookupWord(lower, out);
    if (out.empty()) {
      if (IsRoman(token)) AddReading(out, SafeLemma(token) + "+0", 'N', kRomanCodes);
      // Capitals with digits name a model or a product (L1, E-330); like a
      // name in its nominative, genitive or partitive, the cases a name
      // without an ending stands in.
      else if (HasDigit(token)) AddReading(out, SafeLemma(token) + "+0", 'H', "sg n, sg g, sg p, ");
      else {
        // A longer word in capitals with vowels to pronounce it (ZAHHAROV,
        // TAAGEPERA in a byline) is rather a name than an acronym.
        std::size_t vowels = 0;
        for (char c : lower) vowels += std::string_view("aeiou\xF5\xE4\xF6\xFC").find(c) != std::string_view::npos;
        if (token.size() >= 4 && vowels >= 2) AddReading(out, SafeLemma(title) + "+0", 'H', "sg n, ");
        AddReading(out, SafeLemma(token) + "+0", 'Y', "?, ");
      }
    }
  } else {
    // A capitalised word in mid sentence that is no known word is rather a
    // name than a compound of common words.
    LookupWord(lower, out, !capital || ctx.sentence_start);
  }
  if (out.empty() && !capital) {
    // Informal spelling without the Estonian letters: 2 for ä, 6 for õ,
    // y for ü (k2tte, t6siselt, yldse), and x for ks. The word is read as
    // written with them, when that is a known word.
    std::string fixed = lower;
    bool changed = false;
    for (char& c : fixed) {
      char to = c == '2' ? '\xE4' : c == '6' ? '\xF5' : c == 'y' ? '\xFC' : c;
      changed = changed || to != c;
      c = to;
    }
    if (changed && HasLetter(lower)) LookupWord(fixed, out);
    // A digit between letters (d2xz) stands for its letter in guessing too.
    for (std::size_t i = 1; changed && i + 1 < lower.size(); ++i)
      if ((lower[i] == '2' || lower[i] == '6') && HasLetter(lower.substr(i - 1, 1)) && HasLetter(lower.substr(i + 1, 1)))
        informal = fixed;
    // x for ks (tulex, saax, autox, saxlane).
    if (out.empty() && fixed.find('x') != std::string::npos) {
      LookupWord(XToKs(fixed), out);
    }
  }
  if (out.empty() && capital && !AllUpper(token) && token.find('x') != std::string_view::npos) {
    // x for ks in a capitalised word too (Saxamaa, Saxast), when that gives
    // a known word or name.
    std::string ks = XToKs(token);
    LookupWord(ks, out, false);
    if (out.empty()) LookupWord(Lower1257(ks), out, false);
  }
  if (out.empty() && !capital && HasLetter(lower.substr(0, 1))) {
    // A name written in lower case, as forum writing often has them
    // (samsungi, tallinnas): the name's readings.
    std::string title = lower;
    title[0] = static_cast<char>(ToUpper1257(static_cast<unsigned char>(title[0])));
    std::vector<Reading> names;
    LookupWord(title, names, false);
    for (Reading& r : names)
      if (r.pos == 'H') out.push_back(std::move(r));
  }
  if (out.empty() && !capital && lower.size() >= 4 && lower.compare(lower.size() - 2, 2, "nd") == 0) {
    // The spoken short -nud participle (läind, saand, tekkind): the readings
    // of the -nud form.
    std::vector<Reading> nud;
    LookupWord(lower.substr(0, lower.size() - 2) + "nud", nud, false);
    for (Reading& r : nud)
      if (r.pos == 'V' || r.pos == 'A') out.push_back(std::move(r));
  }
  if (out.empty() && !capital) {
    // A letter drawn out for emphasis (vääääga, nii pikkkk): three or more
    // in a row stand for one or two, whichever gives a known word.
    std::string one, two;
    bool drawn = false;
    for (std::size_t i = 0; i < lower.size();) {
      std::size_t j = i;
      while (j < lower.size() && lower[j] == lower[i]) ++j;
      drawn = drawn || (j - i >= 3 && HasLetter(lower.substr(i, 1)));
      one += lower[i];
      two.append(std::min<std::size_t>(j - i, 2), lower[i]);
      i = j;
    }
    if (drawn) {
      LookupWord(one, out);
      if (out.empty()) LookupWord(two, out);
    }
  }
  if (lower.size() >= 5 && std::all_of(out.begin(), out.end(), [](const Reading& r) { return r.lemma.find('_') != std::string::npos; })) {
    // A diminutive or -line adjective (lipukest, neuroloogilise) that the
    // dictionary does not list goes before a compound that merely looks
    // like it (lipu_kest, neuroloogi_lisa).
    std::vector<Reading> dim;
    SuffixDerivative(lower, dim);
    out.insert(out.begin(), dim.begin(), dim.end());
  }
  if (out.empty() && token.size() > 2 && token.back() == '-') {
    // The first part of a pair such as "teadus- ja arendustegevus".
    std::vector<Reading> part = Readings(token.substr(0, token.size() - 1), ctx);
    for (Reading& r : part) out.push_back(std::move(r));
  }
  if (out.empty() && capital) {
    // An acronym with a case ending: USAs, NATOsse.
    std::size_t k = 0;
    while (k < token.size() && IsUpper1257(static_cast<unsigned char>(token[k]))) ++k;
    if (k >= 2 && k < token.size()) {
      std::string_view ending = token.substr(k);
      if (ending[0] == '-') ending.remove_prefix(1);  // CMOS-ga
      for (const Ending& e : EndingsOf(kGen))
        if (ending == e.text && !std::string_view(e.text).empty() && ending != "d")
          AddReading(out, SafeLemma(token.substr(0, k)) + "+" + std::string(ending), 'H', e.codes);
      if (ending == "d" || ending == "t") AddReading(out, SafeLemma(token.substr(0, k)) + "+" + std::string(ending), 'H', "sg p, ");
    }
  }
  if (out.empty() && !capital) {
    // A lower-case abbreviation with a case ending after a hyphen (kr-ga,
    // jpg-na, km-le).
    std::size_t k = lower.find('-');
    if (k >= 1 && k <= 4 && k + 1 < lower.size() && lower.find('-', k + 1) == std::string::npos &&
        std::all_of(lower.begin(), lower.begin() + static_cast<std::ptrdiff_t>(k),
                    [](char c) { return IsLower1257(static_cast<unsigned char>(c)); })) {
      std::vector<Reading> word;
      LookupWord(lower.substr(0, k), word, false);
      std::string_view ending = std::string_view(lower).substr(k + 1);
      bool is_ending = std::any_of(EndingsOf(kGen).begin(), EndingsOf(kGen).end(), [&](const Ending& e) {
        return ending == e.text && !ending.empty();
      });
      if (is_ending && std::none_of(word.begin(), word.end(), [](const Reading& r) { return r.pos != 'Y'; }))
        AddReading(out, SafeLemma(lower.substr(0, k)) + "+" + std::string(ending), 'Y', "");
    }
  }
  if (out.empty() && token.size() >= 2 && token.back() == '.' && HasLetter(token)) {
    // The tokenizer keeps the dot with a word only when the word is an
    // abbreviation it knows (min., ptk., Dr.): one the dictionary lacks is
    // an abbreviation all the same.
    AddReading(out, SafeLemma(token.substr(0, token.size() - 1)) + "+0", 'Y', "");
  }
  if (out.empty()) {
    // A foreign word or name with its case ending after an apostrophe
    // (Hemingway'd, Malle'iga, corvette'i) or, for a name, a hyphen
    // (Lada-ga): the word as written is the lemma; "i" before the ending is
    // the genitive stem vowel.
    std::size_t k = token.find_last_of(capital ? "'-" : "'");
    if (k != std::string_view::npos && k >= 2 && k + 1 < token.size() && HasLetter(token.substr(0, k))) {
      std::string head(token.substr(0, k));
      std::string ending = Lower1257(token.substr(k + 1));
      char pos = capital ? 'H' : 'S';
      auto add = [&](const std::string& end, const char* codes) {
        AddReading(out, SafeLemma(head) + "+" + (end.empty() ? std::string("0") : end), pos, codes);
      };
      for (const std::string& end : {ending, ending[0] == 'i' ? ending.substr(1) : std::string("-")})
        for (const Ending& e : EndingsOf(kGen))
          if (end == e.text && (end != "d" || ending == "id")) add(end, e.codes);
      if (ending == "d" || ending == "t") add(ending, "sg p, ");
      if (ending == "i") add("", "sg p, ");
    }
  }
  if (out.empty() && IsRoman(token)) AddReading(out, SafeLemma(token) + "+0", 'N', kRomanCodes);
  if (out.empty() && capital && (!ctx.sentence_start || ctx.guess)) {
    GuessWord(token, true, out);
    // At the start of a sentence an unknown word may as well be a common one.
    if (ctx.guess && ctx.sentence_start && !AllUpper(token)) {
      std::vector<Reading> common;
      GuessWord(token, false, common);
      for (std::size_t i = 0; i < common.size() && i < 2; ++i) out.push_back(std::move(common[i]));
    }
  }
  std::vector<Reading> corrected;
  if (out.empty() && ctx.guess && !capital) CorrectSpelling(informal.empty() ? std::string_view(lower) : std::string_view(informal), corrected);
  if (out.empty() && ctx.guess) GuessWord(informal.empty() ? token : std::string_view(informal), false, out);
  for (Reading& r : corrected) out.push_back(std::move(r));
  // Adverbs the dictionary cannot list: the -mini adverb of a known
  // comparative (kiiremini, paremini; the word list may make a compound of
  // it), and the -lt form of an adjective known only as a compound or a
  // participle (lühiajaliselt, kõrvulukustavalt). The ordering below puts
  // them first.
  auto ends = [&](std::string_view e) { return lower.size() >= e.size() + 3 && lower.compare(lower.size() - e.size(), e.size(), e) == 0; };
  if ((ends("mini") || ends("lt")) && std::none_of(out.begin(), out.end(), [](const Reading& r) { return r.pos == 'D'; })) {
    bool adverb = false;
    if (ends("mini")) {
      std::vector<Reading> comp;
      LookupWord(lower.substr(0, lower.size() - 3), comp);
      adverb = std::any_of(comp.begin(), comp.end(), [](const Reading& r) { return r.pos == 'C' || r.pos == 'A'; });
    } else {
      adverb = std::any_of(out.begin(), out.end(), [](const Reading& r) {
        return r.pos == 'A' && r.codes.find("sg abl, ") != std::string::npos;
      });
    }
    if (adverb) out.push_back(Reading{lower + "+0", 'D', ""});
  }
  // The abessive supine is also an adjective (lõpetamata töö, rääkimata
  // asjad): an adjective reading in the abessive after the verb's.
  if (ends("mata")) {
    std::vector<Reading> adj;
    for (const Reading& r : out)
      if (r.pos == 'V' && r.codes == "mata, " && r.lemma.size() > 5 &&
          r.lemma.compare(r.lemma.size() - 5, 5, "+mata") == 0)
        adj.push_back(Reading{r.lemma.substr(0, r.lemma.size() - 5) + "=mata+0", 'A', "sg ab, "});
    for (Reading& r : adj) out.push_back(std::move(r));
  }
  // The stem of a past participle adjective's lemma (paku of paku=tud+0),
  // or "".
  auto participle_stem = [](const Reading& r) {
    std::size_t eq = r.lemma.rfind('=');
    if (r.pos != 'A' || eq == std::string::npos) return std::string();
    for (const char* p : {"=nud+", "=tud+", "=dud+"})
      if (r.lemma.compare(eq, std::strlen(p), p) == 0) return r.lemma.substr(0, eq);
    return std::string();
  };
  // A past participle of a verb whose participle adjective the dictionary
  // lacks (mõeldud, kureeritud, emigreerunud: verbs written by hand, and
  // verbs the word list gives without it) is that adjective too, as the
  // participles of the other verbs are.
  if (lower.size() >= 6 && std::none_of(out.begin(), out.end(), [&](const Reading& r) { return !participle_stem(r).empty(); })) {
    for (const char* suffix : {"nud", "tud", "dud"}) {
      if (!ends(suffix)) continue;
      std::string codes = std::string(suffix == std::string_view("nud") ? "nud" : "tud") + ", ";
      bool participle = std::any_of(out.begin(), out.end(), [&](const Reading& r) { return r.pos == 'V' && r.codes == codes; });
      if (!participle) continue;
      std::string adj = lower.substr(0, lower.size() - 3) + "=" + suffix;
      out.push_back(Reading{adj + "+0", 'A', "sg n, "});
      out.push_back(Reading{adj + "+d", 'A', "pl n, "});
    }
  }
  // A past participle in a case of its own (pakutut, kannatanutele,
  // ülejäänute) mostly stands for a person or thing: the noun in -nu/-tu
  // after the adjective. The nominative stays the adjective's alone.
  {
    auto plain = [](std::string l) {
      l.erase(std::remove(l.begin(), l.end(), '='), l.end());
      return l;
    };
    std::vector<Reading> nouns;
    for (const Reading& r : out) {
      if (participle_stem(r).empty() || r.codes == "sg n, " || r.codes == "pl n, " || r.codes == "sg n, pl n, ") continue;
      std::string lemma = r.lemma;
      lemma.erase(lemma.rfind('=') + 3, 1);  // paku=tud+0 -> paku=tu+0
      if (std::none_of(out.begin(), out.end(), [&](const Reading& o) { return o.pos == 'S' && plain(o.lemma) == plain(lemma); }))
        nouns.push_back(Reading{lemma, 'S', r.codes});
    }
    for (Reading& r : nouns) out.push_back(std::move(r));
  }
  // A participle whose stem is not its verb's (teh=tud beside tege+ud,
  // tul=nud beside tule+nud) keeps both readings through disambiguation;
  // the adjective, the more frequent use, goes first.
  std::string astem;
  for (const Reading& r : out)
    if (astem.empty()) astem = participle_stem(r);
  if (!astem.empty() && !out.empty() && out.front().pos == 'V') {
    bool same = std::any_of(out.begin(), out.end(), [&](const Reading& r) {
      return r.pos == 'V' && r.lemma.compare(0, astem.size() + 1, astem + "+") == 0;
    });
    if (!same) std::stable_partition(out.begin(), out.end(), [&](const Reading& r) { return !participle_stem(r).empty(); });
  }
  // The ablative of a pronoun or numeral (ühelt, teiselt poolt) is no -lt
  // adverb, whatever adjective the word list makes of its stem.
  const std::string self = lower + "+0";  // a reading of the word as itself
  if (ends("lt") && std::any_of(out.begin(), out.end(), [](const Reading& r) {
        return (r.pos == 'P' || r.pos == 'N') && r.codes.find("sg abl, ") != std::string::npos;
      }))
    out.erase(std::remove_if(out.begin(), out.end(), [&](const Reading& r) { return r.pos == 'D' && r.lemma == self; }),
              out.end());
  // A pronoun that is also a numeral, cardinal or ordinal (üks, teine), is
  // more often the pronoun: its readings go first.
  if (std::any_of(out.begin(), out.end(), [](const Reading& r) { return r.pos == 'N' || r.pos == 'O'; }) &&
      std::any_of(out.begin(), out.end(), [](const Reading& r) { return r.pos == 'P'; }))
    std::stable_partition(out.begin(), out.end(), [](const Reading& r) { return r.pos == 'P'; });
  // A noun in -us (nimetus, ettekujutus) goes before the inessive of a -u
  // adjective spelt the same (nimetu+s), which is far rarer. The past tense
  // of a -u verb (selgus, kuulus) is as frequent as the noun and keeps its
  // place. Only the noun moves, to just after the name readings: a name read
  // first (Lõhmus) stays first.
  if (ends("us") && std::none_of(out.begin(), out.end(), [](const Reading& r) { return r.pos == 'V'; })) {
    auto noun = std::find_if(out.begin(), out.end(), [](const Reading& r) {
      return r.pos == 'S' && r.lemma.size() > 4 && r.lemma.compare(r.lemma.size() - 4, 4, "us+0") == 0;
    });
    auto after_names = std::find_if(out.begin(), noun, [](const Reading& r) { return r.pos != 'H'; });
    if (noun != out.end() && after_names != noun) std::rotate(after_names, noun, noun + 1);
  }
  // An adverb made from an adjective (laialt, kiiresti) goes before the
  // adjective's and nouns' case readings of the same form.
  std::stable_partition(out.begin(), out.end(), [&](const Reading& r) { return r.pos == 'D' && r.lemma == self; });
  for (Reading& r : out) r.lemma = SafeLemma(r.lemma);
  MergeReadings(out);
  // A form listed whole beside the stem that makes it (see+le and see+0 for
  // sellele, mine+b and mine+0 for läheb) is one analysis: the first
  // reading stays.
  // The same holds for a word read once as listed and once as derived or
  // compounded by rule (õpetaja+0 beside õpeta=ja+0): the marks of
  // derivation and compounding aside, the lemmas are one, and the reading
  // with the marks stays, since the derivation tag made of them is what the
  // grammars test. A participle (huvita=v beside the adjective huvitav)
  // stays a reading of its own: the grammars treat participles apart.
  auto base = [](const std::string& lemma) {
    std::string b = lemma.substr(0, lemma.rfind('+'));
    for (const char* p : {"=v", "=tav", "=nud", "=tud", "=dud", "=nu", "=tu", "=du", "=mata"})
      if (b.size() > std::strlen(p) && b.compare(b.size() - std::strlen(p), std::string::npos, p) == 0) return b;
    b.erase(std::remove_if(b.begin(), b.end(), [](char c) { return c == '=' || c == '_'; }), b.end());
    return b;
  };
  for (std::size_t i = 1; i < out.size();) {
    auto twin = std::find_if(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(i), [&](const Reading& r) {
      return r.pos == out[i].pos && r.codes == out[i].codes && base(r.lemma) == base(out[i].lemma);
    });
    if (twin == out.begin() + static_cast<std::ptrdiff_t>(i)) {
      ++i;
      continue;
    }
    auto marks = [](const std::string& l) { return std::count(l.begin(), l.end(), '=') + std::count(l.begin(), l.end(), '_'); };
    if (marks(out[i].lemma) > marks(twin->lemma)) twin->lemma = std::move(out[i].lemma);
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return out;
}

std::string Analyser::Analyse(std::string_view token, const TokenContext& ctx) const {
  // The word line may neither begin with a blank nor hold a line break;
  // control bytes are shown as "?" rather than dropped.
  while (!token.empty() && (token.front() == ' ' || token.front() == '\t')) token.remove_prefix(1);
  std::string word(token);
  for (char& c : word)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return FormatAnalysis(word, Readings(word, ctx));
}

}  // namespace vormik
