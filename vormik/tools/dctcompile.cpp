// Dictionary compiler: reads the lexicon sources (lemma, part of speech and
// stems, UTF-8), optionally extends them with lemmas derived from a
// spelling word list (affix file + word file), computes the guesser's
// ending statistics and writes the compiled main dictionary.
//
//   vormik-dctc OUT.dct SRCDIR [WORDLIST.aff WORDLIST.dic]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/encoding.h"
#include "vormik/dictionary.h"
#include "vormik/lexicon.h"
#include "vormik/paradigm.h"

namespace fs = std::filesystem;
using namespace vormik;

namespace {

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::size_t p = 0;
  while (p < s.size()) {
    std::size_t e = s.find('\n', p);
    if (e == std::string::npos) e = s.size();
    std::string l = s.substr(p, e - p);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out.push_back(std::move(l));
    p = e + 1;
  }
  return out;
}

// ---- the spelling word list -------------------------------------------

// ISO-8859-15 to Windows-1257 for the letters the word list uses.
std::string Latin9To1257(std::string s) {
  for (char& ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case 0xA6: c = 0xD0; break;  // S caron
      case 0xA8: c = 0xF0; break;  // s caron
      case 0xB4: c = 0xDE; break;  // Z caron
      case 0xB8: c = 0xFE; break;  // z caron
      default: break;
    }
    ch = static_cast<char>(c);
  }
  return s;
}

struct CondElem {
  bool negate = false;
  std::string chars;
};

struct Rule {
  std::string strip, add;
  std::vector<CondElem> cond;
};

std::vector<CondElem> ParseCond(const std::string& c) {
  std::vector<CondElem> out;
  if (c == ".") return out;
  for (std::size_t i = 0; i < c.size(); ++i) {
    CondElem e;
    if (c[i] == '[') {
      std::size_t j = c.find(']', i);
      if (j == std::string::npos) j = c.size();
      std::string inner = c.substr(i + 1, j - i - 1);
      if (!inner.empty() && inner[0] == '^') {
        e.negate = true;
        inner = inner.substr(1);
      }
      e.chars = inner;
      i = j;
    } else if (c[i] == '.') {
      e.negate = true;  // any: negation of nothing
    } else {
      e.chars = std::string(1, c[i]);
    }
    out.push_back(e);
  }
  return out;
}

bool CondMatches(const std::vector<CondElem>& cond, const std::string& w) {
  if (cond.size() > w.size()) return false;
  std::size_t off = w.size() - cond.size();
  for (std::size_t i = 0; i < cond.size(); ++i) {
    bool in = cond[i].chars.find(w[off + i]) != std::string::npos;
    if (in == cond[i].negate) return false;
  }
  return true;
}

std::uint64_t H(std::string_view s) { return Fnv1a64(s); }

class WordList {
 public:
  bool Load(const std::string& aff_path, const std::string& dic_path) {
    std::string aff, dic;
    if (!ReadFile(aff_path, aff) || !ReadFile(dic_path, dic)) return false;
    aff = Latin9To1257(aff);
    dic = Latin9To1257(dic);
    std::map<char, std::vector<Rule>> rules;
    for (const std::string& l : Lines(aff)) {
      std::istringstream ls(l);
      std::string tag, flag, strip, add, cond;
      if (!(ls >> tag >> flag >> strip >> add >> cond) || tag != "SFX") continue;
      Rule r;
      r.strip = strip == "0" ? "" : strip;
      r.add = add == "0" ? "" : add;
      r.cond = ParseCond(cond);
      rules[flag[0]].push_back(std::move(r));
    }
    std::vector<std::string> dl = Lines(dic);
    hashes_.reserve(16000000);
    for (std::size_t i = 1; i < dl.size(); ++i) {
      const std::string& l = dl[i];
      std::size_t slash = l.find('/');
      std::string w = l.substr(0, slash);
      std::string flags = slash == std::string::npos ? "" : l.substr(slash + 1);
      if (w.empty()) continue;
      entries_.push_back(w);
      if (w.size() > 3 && w.back() == 'b') present_entries_.push_back(H(std::string_view(w).substr(0, w.size() - 1)));
      Form(w);
      for (char f : flags) {
        auto it = rules.find(f);
        if (it == rules.end()) continue;
        for (const Rule& r : it->second) {
          if (!CondMatches(r.cond, w)) continue;
          if (w.size() < r.strip.size() || w.compare(w.size() - r.strip.size(), r.strip.size(), r.strip) != 0)
            continue;
          if (r.strip.empty() && r.add == "b") present_entries_.push_back(H(w));
          Form(w.substr(0, w.size() - r.strip.size()) + r.add);
        }
      }
    }
    std::sort(present_entries_.begin(), present_entries_.end());
    sorted_entries_ = entries_;
    std::sort(sorted_entries_.begin(), sorted_entries_.end());
    std::sort(hashes_.begin(), hashes_.end());
    hashes_.erase(std::unique(hashes_.begin(), hashes_.end()), hashes_.end());
    return true;
  }
  // How many word-list entries are `p` followed by another word of three
  // letters or more: compounds with `p` as their first part.
  long PrefixCount(const std::string& p) const {
    auto it = std::lower_bound(sorted_entries_.begin(), sorted_entries_.end(), p);
    long n = 0;
    for (int seen = 0; it != sorted_entries_.end() && it->compare(0, p.size(), p) == 0 && seen < 5000; ++it, ++seen)
      if (it->size() >= p.size() + 3 && Has(std::string_view(*it).substr(p.size()))) ++n;
    return n;
  }
  bool Has(std::string_view w) const { return std::binary_search(hashes_.begin(), hashes_.end(), H(w)); }
  // Whether `w` is an entry of its own that the affix rules inflect in the
  // present tense (teki -> tekib), or `w`-b is an entry (laob). The list
  // also makes present forms on every -nud entry (tekkinud -> tekkib,
  // märganud -> märgab), which are right only for verbs without gradation.
  bool IsPresentEntry(std::string_view w) const {
    return std::binary_search(present_entries_.begin(), present_entries_.end(), H(w));
  }
  const std::vector<std::string>& Entries() const { return entries_; }
  const std::vector<std::string>& MaForms() const { return ma_forms_; }
  std::size_t FormCount() const { return hashes_.size(); }

 private:
  void Form(const std::string& w) {
    hashes_.push_back(H(w));
    if (w.size() >= 4 && w.compare(w.size() - 2, 2, "ma") == 0) ma_forms_.push_back(w);
  }
  std::vector<std::uint64_t> hashes_, present_entries_;
  std::vector<std::string> entries_, sorted_entries_;
  std::vector<std::string> ma_forms_;
};

// ---- deriving lemmas from the word list ---------------------------------

bool IsVowel(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || u == 0xF5 || u == 0xE4 || u == 0xF6 ||
         u == 0xFC;
}
bool EndsWith(std::string_view s, std::string_view e) {
  return s.size() >= e.size() && s.substr(s.size() - e.size()) == e;
}
bool AllLower(std::string_view s) {
  for (unsigned char c : s)
    if (!IsLower1257(c)) return false;
  return true;
}
std::string Cut(std::string_view s, std::size_t n) { return std::string(s.substr(0, s.size() >= n ? s.size() - n : 0)); }

// The weak grade of a stem: a doubled stop or the stop after a consonant
// softens (kapp -> kap, pank -> pang, hakka -> haka).
std::vector<std::string> WeakGrades(const std::string& s) {
  std::vector<std::string> out;
  for (std::size_t i = s.size(); i-- > 1;) {
    char a = s[i - 1], b = s[i];
    if (a == b && (b == 'k' || b == 'p' || b == 't' || b == 'g' || b == 'b' || b == 'd' || b == 's' ||
                   b == 'l' || b == 'm' || b == 'n' || b == 'r')) {
      out.push_back(s.substr(0, i) + s.substr(i + 1));
      break;
    }
    if ((a == 's' && b == 'k') || (a == 'h' && (b == 't' || b == 'k')) || ((a == 'l' || a == 'r') && b == 'g')) {
      out.push_back(s.substr(0, i) + s.substr(i + 1));  // usku usu, juht juhi, puhka puha, jalg jala
      break;
    }
    if ((a == 'n' || a == 'l' || a == 'r') && b == 'd') {
      out.push_back(s.substr(0, i) + a + s.substr(i + 1));  // sünd -> sünn
      break;
    }
    if (!IsVowel(a) && (b == 'k' || b == 'p' || b == 't') && (a == 'n' || a == 'l' || a == 'r' || a == 'm')) {
      char soft = b == 'k' ? 'g' : b == 'p' ? 'b' : 'd';
      out.push_back(s.substr(0, i) + soft + s.substr(i + 1));
      break;
    }
    if ((b == 'k' || b == 'p' || b == 't') && IsVowel(a) && i >= 2 && IsVowel(s[i - 2]) &&
        (i + 1 == s.size() || IsVowel(s[i + 1]))) {
      char soft = b == 'k' ? 'g' : b == 'p' ? 'b' : 'd';  // liiku -> liigu
      out.push_back(s.substr(0, i) + soft + s.substr(i + 1));
      break;
    }
    if (IsVowel(a) && IsVowel(b)) continue;
    if (s.size() - i > 3) break;
  }
  return out;
}

// The strong grade of a stem whose nominative has the weak one: the last
// consonant of the stem hardens or doubles (teade teate, tõke tõkke, kanne
// kande, haare haarde, nihe nihke, hammas hamba, ratas ratta).
std::vector<std::string> StrongGrades(const std::string& s) {
  std::vector<std::string> out;
  std::size_t n = s.size();
  if (n < 2 || IsVowel(s[n - 1])) return out;
  char b = s[n - 1], a = s[n - 2];
  std::string head = s.substr(0, n - 1);
  if (IsVowel(a)) {
    if (b == 'k' || b == 'p' || b == 't') out.push_back(s + b);          // tõke tõkke
    if (b == 'g') out.push_back(head + 'k');                             // lõige lõike
    if (b == 'b') out.push_back(head + 'p');
    if (b == 'd') out.push_back(head + 't');                             // teade teate
    if (b == 'h') out.push_back(s + 'k');                                // nihe nihke
    if ((b == 'r' || b == 'l' || b == 'n') && n >= 3 && IsVowel(s[n - 3])) out.push_back(s + 'd');  // haare haarde
    return out;
  }
  if (a == b && (b == 'm' || b == 'n' || b == 'l' || b == 'r')) {
    out.push_back(head + (b == 'm' ? 'b' : 'd'));  // hammas hamba, kanne kande, kallas kalda
    return out;
  }
  if ((a == 'n' || a == 'l' || a == 'r' || a == 'm') && (b == 'g' || b == 'b' || b == 'd'))
    out.push_back(head + (b == 'g' ? 'k' : b == 'b' ? 'p' : 't'));  // hange hanke
  return out;
}

std::string PlGenOf(const std::string& p) {
  if (EndsWith(p, "t") || EndsWith(p, "d")) return p + "e";
  return p + "de";
}

// A nominal declined on a vowel genitive stem G with -t in the partitive,
// -te in the plural genitive and -id in the plural partitive (suurem
// suurema, mahukas mahuka, nõme nõmeda).
LexEntry OnGenitiveStem(const std::string& lemma, char pos, const std::string& g) {
  LexEntry e;
  e.lemma = lemma;
  e.pos = pos;
  e.stems = {Stem{kNom, lemma, {}}, Stem{kGen, g, {}}, Stem{kPart, g + "t", {}}, Stem{kPlGen, g + "te", {}},
             Stem{kPlPart, g + "id", {}}};
  return e;
}

struct Derived {
  std::vector<LexEntry> entries;
};

class Deriver {
 public:
  explicit Deriver(const WordList& wl) : wl_(wl) {}

  bool Nominal(const std::string& L, LexEntry& out, LexEntry& comp, LexEntry& sup) const {
    std::vector<std::string> gens;
    char last = L.back();
    if (IsVowel(last)) gens.push_back(L);
    if (EndsWith(L, "ne")) gens.push_back(Cut(L, 2) + "se");
    if (EndsWith(L, "is")) gens.push_back(Cut(L, 2) + "i");
    for (const char* v : {"a", "e", "i", "u"}) gens.push_back(L + v);
    if (EndsWith(L, "i"))
      for (const char* v : {"e", "a", "u"}) gens.push_back(Cut(L, 1) + v);  // suvi suve, kiri kirja
    // küünal küünla, kohver kohvri: the last vowel drops after a consonant.
    if (L.size() >= 5 && !IsVowel(L[L.size() - 3]) &&
        (EndsWith(L, "el") || EndsWith(L, "al") || EndsWith(L, "ar") || EndsWith(L, "er")))
      for (const char* v : {"a", "e", "i"}) gens.push_back(Cut(L, 2) + L.back() + v);
    // kiri kirja, põhi põhja, vari varju: -i nouns whose stem adds j.
    std::size_t j_begin = gens.size();
    if (L.size() >= 4 && EndsWith(L, "i") && !IsVowel(L[L.size() - 2]))
      for (const char* v : {"ja", "ju"}) gens.push_back(Cut(L, 1) + v);
    std::size_t j_end = gens.size();
    // tore toreda, tige tigeda, hele heleda; only when no plainer stem
    // qualifies (vahe vahe, mure mure are nouns beside the adjectives).
    std::size_t eda = gens.size();
    if (L.size() >= 4 && EndsWith(L, "e") && !IsVowel(L[L.size() - 2])) gens.push_back(L + "da");
    std::size_t regular = gens.size();
    for (const std::string& w : WeakGrades(L))
      for (const char* v : {"a", "e", "i", "u"}) gens.push_back(w + v);
    if (EndsWith(L, "d") && L.size() > 3) gens.push_back(Cut(L, 1) + "a");
    if (L.size() >= 4 && EndsWith(L, "s") && IsVowel(L[L.size() - 2])) {
      gens.push_back(Cut(L, 1));  // rahvas rahva
      if (!IsVowel(L[L.size() - 3]))
        for (const char* v : {"a", "e"}) gens.push_back(Cut(L, 2) + "s" + v);  // tähtis tähtsa
    }
    // Nominatives in the weak grade with a strong genitive: teade teate,
    // tõke tõkke, haare haarde; with -me: ese eseme, liige liikme, aste
    // astme; -el/-er with a softened stem: artikkel artikli, kannel kandle;
    // -as/-es: hammas hamba, ratas ratta, rikas rikka; -s with -ne: kaas
    // kaane.
    std::size_t weak_end = gens.size();
    if (EndsWith(L, "e") && L.size() >= 3) {
      std::string core = Cut(L, 1);
      gens.push_back(L + "me");
      if (!IsVowel(core.back())) gens.push_back(core + "me");
      for (const std::string& st : StrongGrades(core)) {
        gens.push_back(st + "e");
        gens.push_back(st + "me");
      }
    }
    if (L.size() >= 6 && !IsVowel(L[L.size() - 3]) &&
        (EndsWith(L, "el") || EndsWith(L, "al") || EndsWith(L, "er") || EndsWith(L, "ar"))) {
      std::string core = Cut(L, 2);
      std::vector<std::string> grades = WeakGrades(core);
      for (const std::string& st : StrongGrades(core)) grades.push_back(st);
      for (const std::string& g : grades)
        for (const char* v : {"a", "e", "i"}) gens.push_back(g + L.back() + v);
    }
    if (L.size() >= 5 && (EndsWith(L, "as") || EndsWith(L, "es")) && !IsVowel(L[L.size() - 3]))
      for (const std::string& st : StrongGrades(Cut(L, 2))) gens.push_back(st + L[L.size() - 2]);
    if (L.size() >= 4 && EndsWith(L, "s") && IsVowel(L[L.size() - 2]) && IsVowel(L[L.size() - 3]))
      gens.push_back(Cut(L, 1) + "ne");
    std::size_t strong_end = gens.size();
    // The genitive stem with the most case forms in the word list; among
    // equals, the one that opens the most longer words (compounds).
    std::string G;
    long best = 0;
    static const char* const kCaseEndings[] = {"", "d", "ga", "st", "le", "s", "l", "lt", "ks", "na", "ta", "sse", "ni"};
    bool weak = false;
    for (std::size_t gi = 0; gi < gens.size(); ++gi) {
      const std::string& g = gens[gi];
      if (g.size() < 2) continue;
      long score = 0;
      for (const char* e : kCaseEndings) score += wl_.Has(g + e) ? 1 : 0;
      // The plural partitive -id tells a strong genitive from a nominative
      // that merely looks like one (teate teateid, not teade teadeid).
      if (EndsWith(L, "e") && IsVowel(g.back()) && wl_.Has(g + "id")) ++score;
      bool is_weak = gi >= regular && gi < weak_end;
      // VORMIK_DCTC_WHY=<nominative> shows how its genitive was chosen; the
      // variable is read once, not for every candidate.
      static const char* const why = std::getenv("VORMIK_DCTC_WHY");
      if (why && L == why) std::fprintf(stderr, "%s gen %s score %ld weak %d\n", L.c_str(), g.c_str(), score, int(is_weak));
      if (score < 10) continue;
      score = score * 1000 + std::min<long>(999, wl_.PrefixCount(g));
      // A regular stem with the same evidence wins, except over the sign of
      // gradation: a consonant-final nominative whose strong stem with the
      // same vowel is in the list as well (pind pinna pinda, oht ohu ohtu,
      // liik liigi liiki); the regular candidate is then that partitive.
      // The strong plural genitive (pindade, ohtude, liikide) confirms it.
      // A verb's present stem (liigu-b, liigu-vad of liikuma) is no genitive.
      bool graded = is_weak && !IsVowel(L.back()) && wl_.Has(L + g.back()) && wl_.Has(L + g.back() + "de") &&
                    !(wl_.Has(g + "b") && wl_.Has(g + "vad"));
      if (gi >= regular && gi < strong_end && !graded) score -= 500;
      if (graded) score += 500;
      // The j of kirja is rarely there by chance; a plain -a/-e/-u beside
      // it is mostly another word (vile, vilu beside vili vilja).
      if (gi >= j_begin && gi < j_end && wl_.Has(g + "de")) score += 300;
      if (gi == eda && EndsWith(g, "eda")) score -= 2000;
      // -ik nouns decline on -u (kriitik kriitiku kriitikut); an -a stem
      // beside it with as many forms is the -ika noun of its own (kriitika).
      if (EndsWith(L, "ik") && g == L + "a" && wl_.Has(L + "ut")) score -= 2000;
      // -me genitives (ese eseme) lose to a plain strong grade (teade teate).
      if (gi >= weak_end && gi < strong_end && EndsWith(g, "me")) score -= 300;
      if (score > best) {
        best = score;
        G = g;
        weak = is_weak;
      }
    }
    if (G.empty()) return false;
    std::vector<std::string> parts;
    // A softened genitive's partitive is the strong stem with its vowel.
    if (weak && IsVowel(G.back())) parts.push_back(L + G.back());
    // kiri kirja kirja: the genitive itself is the partitive.
    if (G.size() == L.size() + 1 && EndsWith(L, "i") && G[G.size() - 2] == 'j') parts.push_back(G);
    if (IsVowel(G.back())) parts.push_back(G + "t");
    if (G.size() >= 2 && IsVowel(G.back()) && IsVowel(G[G.size() - 2])) parts.push_back(G + "d");
    parts.push_back(L + "t");
    if (L.size() >= 2 && IsVowel(L.back()) && IsVowel(L[L.size() - 2])) parts.push_back(L + "d");
    for (const char* v : {"a", "e", "i", "u"}) parts.push_back(L + v);
    if (IsVowel(L.back())) parts.push_back(L);
    if (EndsWith(L, "i")) parts.push_back(Cut(L, 1) + "e");
    if (EndsWith(L, "ne")) parts.push_back(Cut(L, 2) + "st");
    if (EndsWith(L, "is")) parts.push_back(L + "t");
    std::string P;
    std::string PG;
    // loomulik loomuliku loomulikku, plural loomulike loomulikke
    if (EndsWith(L, "ik") && G == L + "u" && wl_.Has(L + "ku") && wl_.Has(L + "e") && wl_.Has(L + "ega")) {
      P = L + "ku";
      PG = L + "e";
    }
    // uks ukse ust, laps lapse last: the partitive drops the genitive's -se.
    if (L.size() >= 3 && EndsWith(L, "s") && !IsVowel(L[L.size() - 2]) && EndsWith(G, "se"))
      parts.push_back(Cut(L, 2) + "st");
    if (L.size() >= 4 && EndsWith(L, "s") && G == Cut(L, 1) + "ne") parts.push_back(Cut(G, 1) + "t");  // kaane kaant
    // ese eseme eset esemete: the plural of -me genitives is made on the
    // genitive, not on the partitive.
    bool me_plural = EndsWith(L, "e") && EndsWith(G, "me") && G != L;
    // kannel kannelt kannelde, tütar tütart tütarde: -de after l, r, n.
    auto pl_gen_of = [&](const std::string& p) {
      if (me_plural) return G + "te";
      if (p == L + "t" && (EndsWith(L, "l") || EndsWith(L, "r") || EndsWith(L, "n")) && !wl_.Has(PlGenOf(p)) &&
          wl_.Has(L + "de"))
        return L + "de";
      // auto autot autode, vahe vahet vahede: a two-syllable vowel stem
      // takes -t in the partitive but -de in the plural genitive.
      if (p == G + "t" && IsVowel(G.back()) && !wl_.Has(PlGenOf(p)) && wl_.Has(G + "de")) return G + "de";
      return PlGenOf(p);
    };
    for (const std::string& p : parts) {
      if (!P.empty()) break;
      // A softened genitive goes with a strong partitive: kapp kapi kappi.
      if (weak && !(p.size() == L.size() + 1 && p.compare(0, L.size(), L) == 0 && IsVowel(p.back()))) continue;
      if (wl_.Has(p) && wl_.Has(pl_gen_of(p)) && wl_.Has(pl_gen_of(p) + "ga")) {
        P = p;
        break;
      }
    }
    if (P.empty()) return false;
    if (PG.empty()) PG = pl_gen_of(P);
    out = LexEntry{};
    out.lemma = L;
    out.pos = 'S';
    out.stems.push_back(Stem{kNom, L, {}});
    out.stems.push_back(Stem{kGen, G, {}});
    out.stems.push_back(Stem{kPart, P, {}});
    out.stems.push_back(Stem{kPlGen, PG, {}});
    std::set<std::string> pps;
    std::vector<std::string> ppc = {G + "id", P + "sid", G + "sid", L + "e", L + "i", L + "u", L + "eid"};
    // -ke only after -ik (avalik avalikke, kunstnik kunstnikke); on other
    // words it is a diminutive (mõtteke, sulake), not a plural.
    if (EndsWith(L, "ik")) ppc.push_back(L + "ke");
    if (G.size() > 2 && G.back() == 'a')
      for (const char* v : {"i", "e", "u"}) ppc.push_back(Cut(G, 1) + v);
    if (EndsWith(G, "se"))
      for (const char* v : {"i", "id"}) ppc.push_back(Cut(G, 1) + v);  // inimesi, hobuseid
    for (const std::string& pp : ppc)
      if (pp != G && pp != P && pp != L && pp != PG && wl_.Has(pp)) pps.insert(pp);
    // A genitive in -i with a -t partitive takes -eid on the genitive's stem
    // (pulber pulbri pulbreid, vahvel vahvleid, segisti segisteid); the word
    // list often holds only the plural's other cases on that stem
    // (segisteiga), which vouch for it as well.
    if (G.size() > 3 && G.back() == 'i' && P == G + "t") {
      const std::string stem = Cut(G, 1) + "ei";
      if (wl_.Has(stem + "d") || wl_.Has(stem + "ga")) pps.insert(stem + "d");
    }
    for (const std::string& pp : pps) out.stems.push_back(Stem{kPlPart, pp, {}});
    // Short illative: the consonant before the final vowel doubled (maja -> majja).
    if (G.size() >= 3 && IsVowel(G.back()) && !IsVowel(G[G.size() - 2]) && IsVowel(G[G.size() - 3])) {
      std::string adt = G.substr(0, G.size() - 1) + G[G.size() - 2] + G.back();
      if (wl_.Has(adt)) out.stems.push_back(Stem{kAdt, adt, {}});
    }
    // A consonant-final noun whose partitive ends in a vowel has that form
    // as its short illative too: finaal finaali, köök kööki, parlament
    // parlamenti, konkurents konkurentsi (not after a vowel and -s).
    bool has_adt = false;
    for (const Stem& st : out.stems) has_adt = has_adt || st.cls == kAdt;
    bool vowel_s = EndsWith(L, "s") && L.size() >= 2 && IsVowel(L[L.size() - 2]);
    if (!has_adt && !IsVowel(L.back()) && IsVowel(P.back()) && P.size() > L.size() && !vowel_s)
      out.stems.push_back(Stem{kAdt, P, {}});
    // -us and -is nouns take the short illative -sse on the nominative's
    // stem: teadus teadusse, ehitis ehitisse.
    if (L.size() >= 5 && (EndsWith(L, "us") || EndsWith(L, "is")) && G == L + "e")
      out.stems.push_back(Stem{kAdt, L + "se", {}});
    bool noun_suffix = EndsWith(L, "mine") || EndsWith(L, "ja");
    // -ine with the genitive -ise makes adjectives of nouns (lumine lumise,
    // tormine, põhine); -mine nouns and aine, maine (-ine, -ine) are not.
    bool ine_adj = EndsWith(L, "ine") && !EndsWith(L, "mine") && G == Cut(L, 2) + "se";
    // -tu makes adjectives (kasutu, mõttetu); -stu makes nouns (ajastu,
    // ühistu, kalmistu).
    bool tu_adj = EndsWith(L, "tu") && !EndsWith(L, "stu");
    bool adj_suffix = EndsWith(L, "lik") || EndsWith(L, "line") || tu_adj || EndsWith(L, "kas") || ine_adj;
    if (adj_suffix) out.pos = 'A';
    // The comparative: suure suurem, halva halvem; on a stem vowel other
    // than -e the vowel gives way to -em: pika pikem, paksu paksem.
    std::vector<std::string> comps = {G + "m"};
    // Not when -em is rather the comparative of an -a word beside this one
    // (vanem belongs to vana, not to a stem vanu).
    if (G.size() >= 3 && (EndsWith(G, "a") || EndsWith(G, "u") || EndsWith(G, "i")) &&
        (EndsWith(G, "a") || !wl_.Has(Cut(G, 1) + "a")))
      comps.push_back(Cut(G, 1) + "em");
    for (const std::string& c : comps) {
      if (noun_suffix || !wl_.Has(c) || !wl_.Has(c + "at") || !wl_.Has(c + "aga") || !wl_.Has(c + "ate")) continue;
      out.pos = 'A';
      comp = OnGenitiveStem(c, 'C', c + "a");
      // The superlative, an adjective of its own: suurim, tähtsaim, uusim.
      for (const std::string& x : {Cut(G, 1) + "im", G + "im", L + "im"}) {
        if (x.size() < 4 || !wl_.Has(x) || !wl_.Has(x + "a") || !wl_.Has(x + "at") || !wl_.Has(x + "ad")) continue;
        sup = LexEntry{};
        sup.lemma = x;
        sup.pos = 'A';
        sup.stems = {Stem{kNom, x, {}}, Stem{kGen, x + "a", {}}, Stem{kPart, x + "at", {}}};
        if (wl_.Has(x + "ate")) sup.stems.push_back(Stem{kPlGen, x + "ate", {}});
        if (wl_.Has(x + "aid")) sup.stems.push_back(Stem{kPlPart, x + "aid", {}});
        break;
      }
      break;
    }
    return true;
  }

  std::string First(const std::vector<std::string>& cands, std::string_view suffix = {}) const {
    for (const std::string& c : cands)
      if (c.size() >= 2 && wl_.Has(c + std::string(suffix))) return c;
    return {};
  }

  // A present stem the word list knows in every person: -n, -d, -b, -me,
  // -te, -vad.
  bool FullPresent(const std::string& b) const {
    for (const char* e : {"n", "d", "b", "me", "te", "vad"})
      if (!wl_.Has(b + e)) return false;
    return true;
  }

  // The stems of -Cle verbs that move the e before the l in the
  // da-infinitive and the forms made on it, with the consonants before the
  // l weakened: kahtle kahel(da), õmble õmmel(da), vaatle vaadel(da); or
  // kept: võistle võistel(da), pöörle pöörel(da); mõtle has both mõel(da)
  // and mõtel(da). Only stems whose da-infinitive the word list holds are
  // returned, the weakened ones first.
  std::vector<std::string> SwappedLeStems(const std::string& M) const {
    std::vector<std::string> out;
    if (M.size() < 4 || !EndsWith(M, "le") || IsVowel(M[M.size() - 3])) return out;
    std::string K = Cut(M, 2);
    std::vector<std::string> cores = WeakGrades(K);
    std::size_t n = K.size();
    if (n >= 3 && K[n - 1] == 'b' && K[n - 2] == 'm') cores.push_back(K.substr(0, n - 1) + 'm');  // õmb õmm
    if (n >= 3 && K[n - 1] == 't' && IsVowel(K[n - 2]) && !IsVowel(K[n - 3])) cores.push_back(Cut(K, 1));  // mõt mõ
    // püüd püü, laug lau: d and g after a vowel drop; kaeb kaev.
    if (n >= 3 && (K[n - 1] == 'd' || K[n - 1] == 'g') && IsVowel(K[n - 2])) cores.push_back(Cut(K, 1));
    if (n >= 3 && K[n - 1] == 'b' && IsVowel(K[n - 2])) cores.push_back(Cut(K, 1) + 'v');
    if (n >= 3 && K[n - 1] == 's' && IsVowel(K[n - 2]) && !IsVowel(K[n - 3])) cores.push_back(K + 's');  // mäs mäss
    cores.push_back(K);
    for (const std::string& c : cores) {
      std::string s = c + "el";
      if (c.size() >= 2 && wl_.Has(s + "da") && std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
    }
    return out;
  }

  // Weak grades of an -a verb stem that the da-infinitive, the -nud form
  // and the impersonal take beside the usual ones: tõmba tõmma(ta), hülga
  // hülja(ta), kaeba kaeva(ta).
  static std::vector<std::string> VerbWeakGrades(const std::string& M) {
    std::vector<std::string> out = WeakGrades(M);
    std::size_t n = M.size();
    if (n < 4 || M[n - 1] != 'a') return out;
    char a = M[n - 3], b = M[n - 2];
    std::string head = M.substr(0, n - 2);
    if (a == 'm' && b == 'b') out.push_back(head + "ma");
    if ((a == 'l' || a == 'r') && b == 'g') out.push_back(head + "ja");
    if (IsVowel(a) && b == 'b') out.push_back(head + "va");
    return out;
  }

  // Present stems that lose a d, g or b of the ma-stem, with the vowels
  // around it adjusted: veda vea, praadi prae, tagu tao, pugema poe,
  // need nea. Such a stem must be an entry of the word list of its own
  // with every person present.
  std::vector<std::string> LostConsonantStems(const std::string& M) const {
    std::vector<std::string> out;
    std::size_t n = M.size();
    auto shorten = [](std::string x) {  // praa -> pra
      if (x.size() >= 3 && x[x.size() - 1] == x[x.size() - 2] && IsVowel(x.back())) x.pop_back();
      return x;
    };
    auto add = [&](const std::string& b) {
      if (b.size() >= 3 && std::find(out.begin(), out.end(), b) == out.end() && wl_.IsPresentEntry(b) && FullPresent(b))
        out.push_back(b);
    };
    if (n >= 4 && IsVowel(M[n - 1]) && (M[n - 2] == 'd' || M[n - 2] == 'g' || M[n - 2] == 'b') && IsVowel(M[n - 3])) {
      std::string head = shorten(M.substr(0, n - 2));
      char v = M[n - 1];
      std::vector<char> finals = {v};
      if (v == 'i') finals.push_back('e');
      if (v == 'u') finals.push_back('o');
      std::vector<std::string> heads = {head};
      if (head.back() == 'u') heads.push_back(Cut(head, 1) + "o");  // pugema poe
      for (const std::string& h : heads)
        for (char f : finals) add(h + f);
    }
    if (n >= 3 && (M[n - 1] == 'd' || M[n - 1] == 'g') && IsVowel(M[n - 2]))
      for (const char* f : {"a", "e"}) add(shorten(Cut(M, 1)) + f);  // need nea
    return out;
  }

  // Returns the verb and its derived nominals (-mine, -ja, participles).
  // With `present` set, the ma-form need not be in the word list but the
  // verb must have that present stem (a stem found by its present forms).
  bool Verb(const std::string& maform, std::vector<LexEntry>& out, const std::string& present = {}) const {
    std::string M = Cut(maform, 2);
    if (M.size() < 2) return false;
    std::vector<std::string> swapped;
    if (!wl_.Has(M + "da")) swapped = SwappedLeStems(M);
    std::vector<std::string> dc = {M + "da"};
    if (EndsWith(M, "d") || EndsWith(M, "t")) dc.push_back(M + "a");
    if (EndsWith(M, "le") || EndsWith(M, "ne") || EndsWith(M, "re")) dc.push_back(Cut(M, 1) + M[M.size() - 2] + "a");
    dc.push_back(Cut(M, 1) + "ta");
    dc.push_back(M + "ta");
    for (const std::string& w : VerbWeakGrades(M)) dc.push_back(w + "ta");
    // tapma tappa: a short stop doubles before -a (with the present tapa).
    if (M.size() >= 3 && (EndsWith(M, "p") || EndsWith(M, "t") || EndsWith(M, "k")) && IsVowel(M[M.size() - 2]) &&
        !IsVowel(M[M.size() - 3]) && FullPresent(M + "a"))
      dc.push_back(M + M.back() + "a");
    std::string D = swapped.empty() ? First(dc) : swapped[0] + "da";
    if (D.empty()) return false;
    std::vector<std::string> bc = {M, M + "a", M + "e"};
    // An -ama verb keeps its ma-stem in the present (hakkab, viitab); a
    // weak stem there is another verb's (viidab of viitma) or the real
    // verb's beside a strong spelling the word list makes (lõpetab beside
    // lõppetama). Only a lost consonant changes it (vedama veab).
    const bool a_stem = EndsWith(M, "a");
    if (!a_stem)
      for (const std::string& w : WeakGrades(M)) bc.push_back(w);
    if (EndsWith(M, "t")) bc.push_back(Cut(M, 1) + "da");
    if (EndsWith(M, "d")) bc.push_back(Cut(M, 1) + "a");  // jõudma jõuab
    if (EndsWith(M, "nd")) bc.push_back(Cut(M, 1) + "na");
    std::string B;
    for (const std::string& b : bc)
      if (wl_.Has(b + "b") && wl_.Has(b + "vad") && wl_.Has(b + "n")) {
        B = b;
        break;
      }
    // Gradation: a strong ma-stem with a weak present stem (tekkima tekib,
    // väitma väidab, murdma murrab). The word list also makes strong
    // present forms on the -nud form (tekkib, väitab), so a weak stem that
    // is an entry of its own with every person present wins over the
    // strong one.
    // Only the stem's last syllable grades, so only ma-stems of one
    // syllable before the cluster qualify (tekki, väit, not ergutama).
    bool weak_present = false;
    std::size_t syllables = 0;
    for (std::size_t i = 0; i < M.size(); ++i)
      if (IsVowel(M[i]) && (i == 0 || !IsVowel(M[i - 1]))) ++syllables;
    bool may_grade = syllables == (IsVowel(M.back()) ? 2u : 1u);
    std::vector<std::string> wc;
    if (may_grade) {
      for (const std::string& w : WeakGrades(M)) {
        if (a_stem) break;
        if (IsVowel(M.back())) wc.push_back(w);
        else for (const char* v : {"a", "e"}) wc.push_back(w + v);
      }
      // A lost consonant is ambiguous (koe is the present of kudema, not
      // of kobima or kogema), so only a verb without a strong present
      // stem looks for one.
      if (B.empty())
        for (const std::string& b : LostConsonantStems(M)) wc.push_back(b);
    }
    for (const std::string& b : wc)
      if (b != B && wl_.IsPresentEntry(b) && FullPresent(b)) {
        B = b;
        weak_present = true;
        break;
      }
    if (B.empty()) return false;
    if (!present.empty()) {
      // Without the ma-infinitive in the word list, the verb needs its
      // present stem and at least two other forms made on the ma-stem: the
      // supine cases, -mine, -ja.
      if (B != present) return false;
      int ma_forms = 0;
      for (const char* e : {"mas", "mast", "mata", "maks", "mine", "mise", "ja", "jad"})
        ma_forms += wl_.Has(M + e) ? 1 : 0;
      if (ma_forms < 2) return false;
    }
    std::vector<std::string> nc = {M, Cut(M, 1)};
    for (const std::string& w : VerbWeakGrades(M)) nc.push_back(w);
    std::string N = swapped.empty() ? First(nc, "nud") : First({swapped[0]}, "nud");
    if (N.empty()) return false;
    LexEntry v;
    v.lemma = maform;
    v.pos = 'V';
    v.stems.push_back(Stem{kMa, M, {}});
    v.stems.push_back(Stem{kPres, B, {}});
    v.stems.push_back(Stem{kDa, D, {}});
    if (EndsWith(D, "a") && wl_.Has(Cut(D, 1) + "es")) v.stems.push_back(Stem{kDes, Cut(D, 1) + "es", {}});
    // The other confirmed stems of a swapped -le verb (mõtelda beside
    // mõelda) with their gerund; the -nud and impersonal forms follow.
    for (std::size_t i = 1; i < swapped.size(); ++i) {
      const std::string& s = swapped[i];
      v.stems.push_back(Stem{kDa, s + "da", {}});
      if (wl_.Has(s + "des")) v.stems.push_back(Stem{kDes, s + "des", {}});
    }
    if (wl_.Has(M + "sin")) {
      v.stems.push_back(Stem{kPastS, M, {}});
      // laulsin but laulis: a consonant stem always takes -is, which the
      // word list often lacks (väitis, lootis, kartis).
      if (!IsVowel(M.back())) v.stems.push_back(Stem{kFixed, M + "is", "s, "});
    }
    else if (wl_.Has(M + "isin")) v.stems.push_back(Stem{kPastS, M + "i", {}});
    else if (wl_.Has(M + "is") && wl_.Has(M + "in")) {
      // seisin, seisis
      for (auto [e, c] : {std::pair{"is", "s, "}, std::pair{"in", "sin, "}, std::pair{"id", "sid, "},
                          std::pair{"ime", "sime, "}, std::pair{"ite", "site, "}})
        if (wl_.Has(M + e)) v.stems.push_back(Stem{kFixed, M + e, c});
    }
    else if (wl_.Has(Cut(M, 1) + "isin")) v.stems.push_back(Stem{kPastS, Cut(M, 1) + "i", {}});
    v.stems.push_back(Stem{kNud, N, {}});
    if (wl_.Has(N + "ge")) v.stems.push_back(Stem{kImp, N + "g", {}});
    else if (wl_.Has(N + "ke")) v.stems.push_back(Stem{kImp, N + "k", {}});
    std::vector<std::string> tc;
    if (!swapped.empty()) {
      tc = {swapped[0] + "d"};  // kaheld-ud, kaheld-akse
    } else {
      // tekkima tekitud, praadima praetud; väitma väidetud, vedama veetud
      if (weak_present && B.back() == 'a') tc = {Cut(B, 1) + "et", B + "t"};
      else if (weak_present) tc = {B + "t", Cut(B, 1) + "et"};
      // hoidma hoitud, murdma murtud: the d of a -dma stem hardens.
      if (EndsWith(M, "d") && D == M + "a") tc.insert(tc.begin(), Cut(M, 1) + "t");
      for (const std::string& t : {M + "t", B + "t"}) tc.push_back(t);
      for (const std::string& w : VerbWeakGrades(M)) tc.push_back(w + "t");
      if (EndsWith(D, "da") || EndsWith(D, "ta")) tc.push_back(Cut(D, 1));
      if (EndsWith(D, "a")) tc.push_back(Cut(D, 2) + "t");
      tc.push_back(Cut(M, 1) + "t");
    }
    // Verbs with a -ta infinitive have regular impersonal stems on -et
    // that the word list often lacks: katta kaetud, jätta jäetud (but petta
    // petetud); loota loodetud, heita heidetud, karta kardetud with the
    // weak grade; tõsta tõstetud, tappa tapetud. They go first and stand
    // even without the word list.
    std::string ta_rule;
    bool ta_sure = false;  // the pattern leaves no choice
    if (swapped.empty() && M.size() >= 3) {
      char before = M[M.size() - 2];
      if (D == M + "ta" && EndsWith(M, "t")) {
        ta_rule = before == 'e' ? M + "et" : Cut(M, 1) + "et";
        ta_sure = true;
      } else if (D == M + M.back() + "a" && (M.back() == 'p' || M.back() == 'k')) {
        ta_rule = M + "et";  // tappa tapetud
        ta_sure = true;
      } else if (D == M + "a" && EndsWith(M, "st")) {
        ta_rule = M + "et";
      } else if (D == M + "a" && EndsWith(M, "t")) {
        bool soft = IsVowel(before) ? IsVowel(M[M.size() - 3]) : std::string_view("lnr").find(before) != std::string_view::npos;
        ta_rule = soft ? Cut(M, 1) + "det" : M + "et";
      }
      if (!ta_rule.empty()) tc.insert(tc.begin(), ta_rule);
    }
    std::string T = ta_sure ? ta_rule : First(tc, "ud");
    if (T.empty()) T = ta_rule;
    auto impersonal = [&](const std::string& t, const std::string& d) {
      v.stems.push_back(Stem{kImps, t, {}});
      std::string TA;
      if (wl_.Has(t + "akse")) TA = t + "a";
      else if (wl_.Has(d + "kse")) TA = d;
      else if (t == ta_rule) TA = t + "a";
      if (!TA.empty()) v.stems.push_back(Stem{kTa, TA, {}});
    };
    if (!T.empty()) impersonal(T, D);
    for (std::size_t i = 1; i < swapped.size(); ++i) {
      const std::string& s = swapped[i];
      if (wl_.Has(s + "nud")) v.stems.push_back(Stem{kNud, s, {}});
      if (wl_.Has(s + "dud")) impersonal(s + "d", s + "da");
    }
    out.push_back(v);
    Derivatives(M, N, T, out);
    return true;
  }

  // Nouns and participles made from a verb's stems: -mine, -ja, -nud,
  // -tud, -tav, -v; each only when the word list knows its forms.
  void Derivatives(const std::string& M, const std::string& N, const std::string& T,
                   std::vector<LexEntry>& out) const {
    if (wl_.Has(M + "mine") && wl_.Has(M + "mise")) {
      LexEntry e;
      e.lemma = M + "=mine";
      e.pos = 'S';
      e.stems.push_back(Stem{kNom, M + "mine", {}});
      e.stems.push_back(Stem{kGen, M + "mise", {}});
      e.stems.push_back(Stem{kAdt, M + "misse", {}});  // tootmisse
      if (wl_.Has(M + "mist")) e.stems.push_back(Stem{kPart, M + "mist", {}});
      if (wl_.Has(M + "miste")) e.stems.push_back(Stem{kPlGen, M + "miste", {}});
      if (wl_.Has(M + "misi")) e.stems.push_back(Stem{kPlPart, M + "misi", {}});
      out.push_back(e);
    }
    if (wl_.Has(M + "ja") && wl_.Has(M + "jat") && wl_.Has(M + "jaga")) {
      LexEntry e;
      e.lemma = M + "=ja";
      e.pos = 'S';
      e.stems = {Stem{kNom, M + "ja", {}}, Stem{kGen, M + "ja", {}}, Stem{kPart, M + "jat", {}}};
      if (wl_.Has(M + "jate")) e.stems.push_back(Stem{kPlGen, M + "jate", {}});
      if (wl_.Has(M + "jaid")) e.stems.push_back(Stem{kPlPart, M + "jaid", {}});
      out.push_back(e);
    }
    auto participle = [&](const std::string& lemma, const std::string& n, const std::string& g) {
      if (!wl_.Has(n) || !wl_.Has(g)) return;
      LexEntry e;
      e.lemma = lemma;
      e.pos = 'A';
      e.stems = {Stem{kNom, n, {}}, Stem{kGen, g, {}}};
      if (wl_.Has(g + "t")) e.stems.push_back(Stem{kPart, g + "t", {}});
      if (wl_.Has(g + "te")) e.stems.push_back(Stem{kPlGen, g + "te", {}});
      if (wl_.Has(g + "id")) e.stems.push_back(Stem{kPlPart, g + "id", {}});
      out.push_back(e);
    };
    participle(N + "=nud", N + "nud", N + "nu");
    if (!T.empty() && T.size() >= 2) {
      participle(Cut(T, 1) + "=" + T.back() + "ud", T + "ud", T + "u");
      participle(Cut(T, 1) + "=" + T.back() + "av", T + "av", T + "ava");
    }
    participle(M + "=v", M + "v", M + "va");
    // On a consonant-final stem the nominative takes -ev: kestev kestva,
    // seisev, kandev.
    if (!M.empty() && !IsVowel(M.back())) participle(M + "=ev", M + "ev", M + "va");
  }

 private:
  const WordList& wl_;
};


// How many forms of its own a derived lemma may have and still be dropped.
constexpr int kFewOwnForms = 3;

// Drops derived nouns and adjectives with hardly a word-list form of their
// own: the nominative is a bare stem or form of another word and all but
// a few of the other forms are forms of a listed word, a verb or a suffix
// derivative (a verb's first person "kosin" read as a noun keeps a stray
// form or two of the noun paradigm it was given). Such a lemma is a stem of
// another word read as a nominative: "tule" (the genitive of tuli, and the
// present stem of tulema), "lume" (the genitive of lumi), "saad" (a form of
// saama). Source entries, verbs and words made with a suffix ("=") are
// kept; they only explain the others. Returns how many were dropped.
std::size_t DropExplainedLemmas(std::vector<LexEntry>& entries, std::size_t first_derived, const WordList& wl) {
  auto form_hashes = [&](const LexEntry& e, auto&& visit) {
    for (const Stem& st : e.stems) {
      if (st.cls == kFirst) continue;
      for (const Ending& en : EndingsOf(st.cls)) {
        std::string f = st.text + en.text;
        if (wl.Has(f)) visit(H(f));
      }
    }
  };
  // The forms of the words that explain others: source entries, verbs and
  // suffix derivatives. Derived nominals do not count, so that two stems
  // of one word cannot explain each other away.
  std::unordered_set<std::uint64_t> trusted;
  trusted.reserve(entries.size() * 4);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const LexEntry& e = entries[i];
    if (i < first_derived || e.pos == 'V' || e.lemma.find('=') != std::string::npos)
      form_hashes(e, [&](std::uint64_t f) { trusted.insert(f); });
  }
  // Whole words that other lemmas give as a bare stem: a verb form, a
  // genitive stem, a listed full form. A nominative among them is suspect;
  // a nominative that merely equals another word's case form is not.
  std::unordered_map<std::uint64_t, std::uint64_t> bare;
  for (const LexEntry& e : entries) {
    std::uint64_t lemma = H(Lower1257(e.lemma)) | 1;
    for (const Stem& st : e.stems) {
      if (st.cls == kFirst) continue;
      bool verb = IsVerbClass(st.cls);
      for (const Ending& en : EndingsOf(st.cls)) {
        if (!verb && !(*en.text == 0 && (st.cls == kGen || st.cls == kFixed))) continue;
        std::string f = st.text + en.text;
        if (!wl.Has(f)) continue;
        auto [it, fresh] = bare.emplace(H(f), lemma);
        if (!fresh && it->second != lemma) it->second = 0;
      }
    }
  }
  // A participle used as a noun (elav, süüdistatav) shares every form with
  // the participle and stays.
  std::unordered_set<std::string> participles;
  for (const LexEntry& e : entries)
    if (e.lemma.find('=') != std::string::npos) {
      std::string plain = e.lemma;
      plain.erase(std::remove(plain.begin(), plain.end(), '='), plain.end());
      participles.insert(plain);
    }
  auto candidate = [&](const LexEntry& e) {
    return (e.pos == 'S' || e.pos == 'A') && e.lemma.find('=') == std::string::npos &&
           e.lemma.find('_') == std::string::npos && !participles.count(e.lemma);
  };
  // The genitive stems of the hand-written nouns and adjectives: a derived
  // lemma spelt like one (poja beside poeg, aia beside aed) is that word's
  // genitive read as a nominative, whatever forms it has of its own.
  std::unordered_set<std::string> source_gens;  // and plural partitives, below
  for (std::size_t i = 0; i < first_derived && i < entries.size(); ++i) {
    const LexEntry& e = entries[i];
    if (e.pos != 'S' && e.pos != 'A' && e.pos != 'C') continue;
    for (const Stem& st : e.stems)
      if (st.cls == kGen && Lower1257(st.text) != Lower1257(e.lemma)) source_gens.insert(Lower1257(st.text));
  }
  // Likewise their plural partitives: a derived lemma spelt like one (arste
  // beside arst, liike beside liik) is the stem of the word list's short
  // plural forms (arstel, arstest) read as a nominative. The sources list
  // the real homographs (makse, võime, vanne) themselves.
  for (std::size_t i = 0; i < first_derived && i < entries.size(); ++i) {
    const LexEntry& e = entries[i];
    if (e.pos != 'S' && e.pos != 'A' && e.pos != 'C') continue;
    for (const Stem& st : e.stems)
      if (st.cls == kPlPart && !st.text.empty() && IsVowel(st.text.back())) source_gens.insert(Lower1257(st.text));
  }
  std::unordered_set<std::string> drop;
  for (std::size_t i = first_derived; i < entries.size(); ++i) {
    const LexEntry& e = entries[i];
    if (!candidate(e)) continue;
    if (source_gens.count(Lower1257(e.lemma))) {
      drop.insert(e.lemma);
      continue;
    }
    // The word list keeps the stem of a -nud participle's noun cases as a
    // word of its own (surn beside surnu, hukkun beside hukkunu); declined
    // on the genitive -nu it is only the participle again.
    if (e.lemma.size() > 2 && e.lemma.back() == 'n' && participles.count(e.lemma + "ud")) {
      bool nu = false;
      for (const Stem& st : e.stems) nu = nu || (st.cls == kGen && st.text == e.lemma + "u");
      if (nu) {
        drop.insert(e.lemma);
        continue;
      }
    }
    std::uint64_t lemma = H(Lower1257(e.lemma)) | 1;
    auto b = bare.find(H(Lower1257(e.lemma)));
    if (b == bare.end() || b->second == lemma) continue;
    int own = 0;
    form_hashes(e, [&](std::uint64_t f) { own += trusted.count(f) ? 0 : 1; });
    if (own <= kFewOwnForms) drop.insert(e.lemma);
  }
  // A derived verb on the present stem of a hand-written verb, or on its
  // da-infinitive and -nud stem, is that verb under a wrong ma-form: surma
  // (sure, surnud) beside surema, tahma beside tahtma, viidama beside
  // viitama. keetma keeta stays beside keema keeta: its stems differ.
  std::unordered_set<std::string> source_pres, source_da_nud;
  auto stems_of = [](const LexEntry& e, StemClass cls) {
    std::vector<std::string> v;
    for (const Stem& st : e.stems)
      if (st.cls == cls) v.push_back(st.text);
    return v;
  };
  for (std::size_t i = 0; i < first_derived && i < entries.size(); ++i) {
    const LexEntry& e = entries[i];
    if (e.pos != 'V') continue;
    for (const std::string& b : stems_of(e, kPres)) source_pres.insert(b);
    for (const std::string& d : stems_of(e, kDa))
      for (const std::string& nud : stems_of(e, kNud)) source_da_nud.insert(d + ' ' + nud);
  }
  auto duplicate_verb = [&](const LexEntry& e) {
    if (e.pos != 'V' || e.lemma.find('=') != std::string::npos) return false;
    for (const std::string& b : stems_of(e, kPres))
      if (source_pres.count(b)) return true;
    for (const std::string& d : stems_of(e, kDa))
      for (const std::string& nud : stems_of(e, kNud))
        if (source_da_nud.count(d + ' ' + nud)) return true;
    return false;
  };
  std::size_t n = 0;
  std::vector<LexEntry> out;
  out.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i >= first_derived && duplicate_verb(entries[i])) {
      ++n;
      continue;
    }
    if (i >= first_derived && candidate(entries[i]) && drop.count(entries[i].lemma)) {
      ++n;
      continue;
    }
    out.push_back(std::move(entries[i]));
  }
  entries = std::move(out);
  return n;
}

// The comparative of an adjective on its genitive stem G (nõmeda nõmedam,
// mahuka mahukam), when the word list holds it.
void AddComparative(const std::string& G, const WordList& wl, const std::unordered_set<std::string>& known,
                    std::unordered_set<std::string>& seen, std::vector<LexEntry>& derived) {
  std::string c = G + "m";
  if (!wl.Has(c) || !wl.Has(c + "a") || !wl.Has(c + "at") || known.count(c) || !seen.insert(c + 'N').second) return;
  derived.push_back(OnGenitiveStem(c, 'C', c + "a"));
}

// Verbs whose ma-infinitive the word list lacks, found by their present
// tense: a word-list entry X with X-n, X-d, X-b, X-me, X-te and X-vad that
// no verb has as its present stem. The ma-stem is X itself (kahtle
// kahtlema), X with its last consonant strengthened (teki tekkima, väida
// väitma, murra murdma) or X without its vowel (tapa tapma); the first
// candidate whose da-infinitive and -nud form the word list confirms and
// whose present stem comes out as X is taken. Returns how many verbs were
// added (their derivatives not counted).
std::size_t DerivePresentVerbs(const Deriver& d, const WordList& wl, const std::vector<std::string>& cands,
                               const std::vector<LexEntry>& entries, const std::unordered_set<std::string>& known,
                               std::unordered_set<std::string>& seen, std::vector<LexEntry>& derived) {
  std::unordered_set<std::string> present;
  for (const std::vector<LexEntry>* list : {&entries, static_cast<const std::vector<LexEntry>*>(&derived)})
    for (const LexEntry& e : *list)
      if (e.pos == 'V')
        for (const Stem& st : e.stems)
          if (st.cls == kPres) present.insert(st.text);
  std::size_t added = 0;
  for (const std::string& X : cands) {
    if (X.size() < 3 || !AllLower(X) || !IsVowel(X.back()) || present.count(X) || !wl.IsPresentEntry(X) ||
        !d.FullPresent(X))
      continue;
    std::string core = Cut(X, 1);
    std::vector<std::string> ms = {X};
    for (const std::string& s : StrongGrades(core)) {
      ms.push_back(s + X.back());
      ms.push_back(s);
    }
    ms.push_back(core);
    for (const std::string& M : ms) {
      std::string lemma = M + "ma";
      if (M.size() < 3 || known.count(lemma) || seen.count(lemma + 'V')) continue;
      std::vector<LexEntry> v;
      if (!d.Verb(lemma, v, X)) continue;
      for (LexEntry& e : v)
        if (!known.count(e.lemma) && seen.insert(e.lemma + e.pos).second) derived.push_back(std::move(e));
      present.insert(X);
      ++added;
      break;
    }
  }
  return added;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: %s OUT.dct SRCDIR [WORDLIST.aff WORDLIST.dic]\n", argv[0]);
    return 2;
  }
  std::string out_path = argv[1];
  std::vector<fs::path> sources;
  std::error_code ec;
  for (const auto& de : fs::directory_iterator(argv[2], ec))
    if (de.path().extension() == ".txt") sources.push_back(de.path());
  if (ec) {
    std::fprintf(stderr, "cannot read %s: %s\n", argv[2], ec.message().c_str());
    return 1;
  }
  std::sort(sources.begin(), sources.end());
  std::vector<LexEntry> entries;
  std::unordered_set<std::string> known;  // lemma + POS group of source entries
  int errors = 0;
  for (const fs::path& p : sources) {
    std::string text;
    if (!ReadFile(p.string(), text)) {
      std::fprintf(stderr, "%s: cannot read\n", p.c_str());
      return 1;
    }
    // A character Windows-1257 cannot hold would silently become "?" and the
    // entry would never match: such a file is an error.
    std::vector<std::string> lines = Lines(text);
    bool unwritable = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::size_t replaced = 0;
      lines[i] = vaarikas::Utf8ToCp1257(lines[i], &replaced);
      if (replaced) {
        std::fprintf(stderr, "%s:%zu: a character that Windows-1257 cannot hold\n", p.c_str(), i + 1);
        unwritable = true;
      }
    }
    if (unwritable) {
      ++errors;
      continue;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
      LexEntry e;
      std::string err;
      if (!ParseLexLine(lines[i], e, err)) {
        std::fprintf(stderr, "%s:%zu: %s\n", p.c_str(), i + 1, err.c_str());
        ++errors;
        continue;
      }
      if (e.lemma.empty()) continue;
      // A source entry stands in for the derived one, except a line that
      // only names a compound's first element.
      bool first_only = true;
      for (const Stem& st : e.stems)
        if (st.cls != kFirst) first_only = false;
      if (!first_only) known.insert(Lower1257(e.lemma));
      entries.push_back(std::move(e));
    }
  }
  if (errors) return 1;
  // A consonant-final source noun whose partitive is its nominative with a
  // vowel has that form as its short illative too (aeg aega, silm silma,
  // lõpp lõppu), unless the entry gives one of its own.
  for (LexEntry& e : entries) {
    if (e.pos != 'S' || e.lemma.empty() || IsVowel(e.lemma.back())) continue;
    bool has_adt = false;
    std::string part;
    for (const Stem& st : e.stems) {
      has_adt = has_adt || st.cls == kAdt;
      if (st.cls == kPart && part.empty()) part = st.text;
    }
    if (!has_adt && part.size() == e.lemma.size() + 1 && part.compare(0, e.lemma.size(), e.lemma) == 0 &&
        IsVowel(part.back()))
      e.stems.push_back(Stem{kAdt, part, {}});
  }
  std::size_t source_count = entries.size();
  // Lemmas the word list suggests but the language lacks (a verb asima made
  // of the noun asi, a noun kod of kodus): "lemma POS" per line, the verb by
  // its ma-infinitive. They are never derived.
  std::unordered_set<std::string> not_words;
  if (fs::path nw = fs::path(argv[2]) / "notwords.lst"; fs::exists(nw)) {
    std::string text;
    if (!ReadFile(nw.string(), text)) {
      std::fprintf(stderr, "%s: cannot read\n", nw.c_str());
      return 1;
    }
    std::vector<std::string> lines = Lines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::size_t replaced = 0;
      std::string line = vaarikas::Utf8ToCp1257(lines[i], &replaced);
      if (replaced) {
        std::fprintf(stderr, "%s:%zu: a character that Windows-1257 cannot hold\n", nw.c_str(), i + 1);
        return 1;
      }
      if (std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
      std::istringstream words(line);
      std::string lemma, pos, extra;
      if (!(words >> lemma)) continue;
      if (!(words >> pos) || pos.size() != 1 || std::string_view("SAVDKPNCHJI").find(pos[0]) == std::string_view::npos ||
          (words >> extra)) {
        std::fprintf(stderr, "%s:%zu: expected a lemma and a part-of-speech letter\n", nw.c_str(), i + 1);
        return 1;
      }
      not_words.insert(lemma + ' ' + pos);
    }
  }

  if (argc == 5) {
    WordList wl;
    if (!wl.Load(argv[3], argv[4])) {
      std::fprintf(stderr, "cannot read the word list %s / %s\n", argv[3], argv[4]);
      return 1;
    }
    Deriver d(wl);
    std::vector<LexEntry> derived;
    std::unordered_set<std::string> seen;
    std::vector<std::string> ma = wl.MaForms();
    std::sort(ma.begin(), ma.end());
    ma.erase(std::unique(ma.begin(), ma.end()), ma.end());
    for (const LexEntry& e : entries) {
      if (e.pos != 'V') continue;
      std::string M, N, T;
      for (const Stem& st : e.stems) {
        if (st.cls == kMa) M = st.text;
        if (st.cls == kNud) N = st.text;
        if (st.cls == kImps) T = st.text;
      }
      if (M.empty()) continue;
      std::vector<LexEntry> v;
      d.Derivatives(M, N.empty() ? M : N, T, v);
      for (LexEntry& x : v)
        if (!known.count(x.lemma) && seen.insert(x.lemma + x.pos).second) derived.push_back(std::move(x));
    }
    for (const std::string& f : ma) {
      if (!AllLower(f) || known.count(f)) continue;
      std::vector<LexEntry> v;
      if (d.Verb(f, v))
        for (LexEntry& e : v)
          if (!known.count(e.lemma) && seen.insert(e.lemma + e.pos).second) derived.push_back(std::move(e));
    }
    std::vector<std::string> cands = wl.Entries();
    std::sort(cands.begin(), cands.end());
    cands.erase(std::unique(cands.begin(), cands.end()), cands.end());
    std::size_t from_present = DerivePresentVerbs(d, wl, cands, entries, known, seen, derived);
    for (const std::string& L : cands) {
      if (L.size() < 3 || !AllLower(L) || known.count(L)) continue;
      // The word list holds -kas adjectives by their genitive stem (mahuka,
      // mahukaga, mahukasti); the -sti adverb tells them from -ka nouns
      // (optika). The nominative adds the -s (mahukas).
      // Without the adverb, a stem in -aka, -uka, -eka, ... is a -kas noun
      // (manukas manuka, tulnukas tulnuka); -ika stems are rather -ika
      // nouns (optika, tehnika).
      // The same for -e adjectives on -eda (nõme nõmeda nõmedasti, jube,
      // lame): the nominative drops the -da. A lemma of that spelling
      // derived from the word list stays beside it.
      if (L.size() >= 5 && EndsWith(L, "eda") && wl.Has(L + "sti") && wl.Has(L + "t") &&
          !known.count(Cut(L, 2))) {
        seen.insert(Cut(L, 2) + 'N');
        derived.push_back(OnGenitiveStem(Cut(L, 2), 'A', L));
        AddComparative(L, wl, known, seen, derived);
        continue;
      }
      bool kas_adj = L.size() >= 5 && EndsWith(L, "ka") && wl.Has(L + "sti");
      bool kas_noun = !kas_adj && L.size() >= 5 && EndsWith(L, "ka") &&
                      std::string_view("aeuo\xE4\xF6\xFC\xF5").find(L[L.size() - 3]) != std::string_view::npos;
      if ((kas_adj || kas_noun) && wl.Has(L + "t") && !known.count(L + "s")) {
        if (!seen.insert(L + "s" + 'N').second) continue;
        derived.push_back(OnGenitiveStem(L + "s", kas_adj ? 'A' : 'S', L));
        if (kas_adj) AddComparative(L, wl, known, seen, derived);
        continue;
      }
      LexEntry e, comp, sup;
      if (d.Nominal(L, e, comp, sup)) {
        if (!seen.insert(e.lemma + 'N').second) continue;
        // Diminutives have two nominatives (lipukene, lipuke); the short one
        // is the lemma, as for the diminutives the analyser makes itself.
        if (e.lemma.size() >= 6 && EndsWith(e.lemma, "kene") &&
            std::any_of(e.stems.begin(), e.stems.end(),
                        [&](const Stem& st) { return st.cls == kGen && st.text == Cut(e.lemma, 2) + "se"; })) {
          e.lemma = Cut(e.lemma, 2);
          e.stems.push_back(Stem{kNom, e.lemma, {}});
        }
        if (e.pos == 'A') {
          for (const Stem& st : e.stems)
            if (st.cls == kGen && wl.Has(st.text + "lt")) {
              LexEntry adv;
              adv.lemma = st.text + "lt";
              adv.pos = 'D';
              adv.stems.push_back(Stem{kWord, adv.lemma, {}});
              derived.push_back(std::move(adv));
            }
        }
        bool adj_suffix = EndsWith(L, "lik") || EndsWith(L, "line") || EndsWith(L, "ne") ||
                          (EndsWith(L, "tu") && !EndsWith(L, "stu")) || EndsWith(L, "kas");
        if (e.pos == 'A' && !adj_suffix) {
          // The word list cannot tell an adjective from a noun that takes
          // degrees: such words get both readings.
          LexEntry noun = e;
          noun.pos = 'S';
          derived.push_back(std::move(noun));
        }
        derived.push_back(std::move(e));
        if (!comp.lemma.empty()) derived.push_back(std::move(comp));
        if (!sup.lemma.empty() && !known.count(sup.lemma) && seen.insert(sup.lemma + 'N').second)
          derived.push_back(std::move(sup));
      } else if (EndsWith(L, "sti") && L.size() > 5) {
        LexEntry adv;
        adv.lemma = L;
        adv.pos = 'D';
        adv.stems.push_back(Stem{kWord, L, {}});
        derived.push_back(std::move(adv));
      }
    }
    // Quality nouns are made from every -lik and -line adjective by rule
    // (avalik avalikkus, oluline olulisus), whether or not the word list
    // holds them.
    {
      std::vector<LexEntry> quality;
      for (const std::vector<LexEntry>* list : {&entries, &derived})
        for (const LexEntry& e : *list) {
          if (e.pos != 'A' || e.lemma.find('=') != std::string::npos || e.lemma.find('_') != std::string::npos)
            continue;
          std::string n;
          if (EndsWith(e.lemma, "lik")) n = e.lemma + "kus";
          else if (EndsWith(e.lemma, "line")) n = Cut(e.lemma, 2) + "sus";
          if (n.empty() || known.count(n) || !seen.insert(n + 'N').second) continue;
          LexEntry q;
          q.lemma = n;
          q.pos = 'S';
          q.stems = {Stem{kNom, n, {}},         Stem{kGen, n + "e", {}},    Stem{kPart, n + "t", {}},
                     Stem{kPlGen, n + "te", {}}, Stem{kPlPart, n + "i", {}}, Stem{kAdt, n + "se", {}}};
          quality.push_back(std::move(q));
        }
      for (LexEntry& q : quality) derived.push_back(std::move(q));
    }
    // Drop derived lemmas that are inflected forms of other lemmas.
    // Lemmas that share genitive stem and partitive are one word found
    // twice: raamat and "raamatu" (a genitive read as a nominative), or vahe
    // and "vaht" (a wrong stem chosen for another word). A nominative equal
    // to the genitive stem is the real word when it ends in -e (vahe, toime,
    // pere); otherwise the other lemma is. A -se beside a -ne of the same
    // stems is the -ne word's genitive (aegse of aegne, absoluutse of
    // absoluutne), whatever its ending.
    auto stem_of = [](const LexEntry& e, StemClass c) {
      for (const Stem& st : e.stems)
        if (st.cls == c) return st.text;
      return std::string();
    };
    std::unordered_map<std::string, std::vector<std::pair<std::string, bool>>> groups;  // G\tP -> lemmas
    for (const std::vector<LexEntry>* list : {&entries, &derived})
      for (const LexEntry& e : *list) {
        // A lemma that is no word does not push a real one out.
        if (e.pos == 'V' || e.pos == 'C' || e.pos == 'D' || not_words.count(e.lemma + ' ' + e.pos)) continue;
        std::string g = stem_of(e, kGen), p = stem_of(e, kPart);
        if (!g.empty()) groups[g + "\t" + p].push_back({e.lemma, list == &entries});
      }
    std::size_t kept = 0;
    for (LexEntry& e : derived) {
      bool drop = not_words.count(e.lemma + ' ' + e.pos) > 0;
      std::string g = stem_of(e, kGen), p = stem_of(e, kPart);
      if (e.pos != 'V' && e.pos != 'C' && e.pos != 'D' && !g.empty() && e.lemma.find('=') == std::string::npos) {
        const auto& grp = groups[g + "\t" + p];
        bool self_is_gen = e.lemma == g;
        for (const auto& [other, from_source] : grp) {
          if (other == e.lemma) continue;
          if (self_is_gen && (!EndsWith(e.lemma, "e") || from_source)) drop = true;
          if (self_is_gen && EndsWith(e.lemma, "se") && other == Cut(e.lemma, 2) + "ne") drop = true;
        }
      }
      if (drop) continue;
      entries.push_back(std::move(e));
      ++kept;
    }
    kept -= DropExplainedLemmas(entries, source_count, wl);
    // VORMIK_DCTC_DUMP=1 lists the derived entries on the standard output
    // in the lexicon line format, for checking what the word list gave.
    if (const char* dump = std::getenv("VORMIK_DCTC_DUMP"); dump && *dump == '1')
      for (std::size_t i = source_count; i < entries.size(); ++i)
        std::printf("%s\n", FormatLexLine(entries[i]).c_str());
    std::fprintf(stderr, "word list: %zu forms, %zu lemmas derived (%zu verbs found by their present), %zu kept\n",
                 wl.FormCount(), derived.size(), from_present, kept);
  }

  // Guessing statistics: stem ending -> lemma ending, per class.
  std::map<std::string, std::map<std::tuple<int, std::string, char>, std::uint32_t>> stats;
  for (const LexEntry& e : entries) {
    char pos = e.pos;
    if (pos != 'S' && pos != 'A' && pos != 'V') continue;
    std::string lemma = OutputLemma(e);
    for (const Stem& s : e.stems) {
      if (s.cls == kFixed || s.cls == kWord || s.cls == kFirst || s.cls == kAdt || s.cls == kImp || s.cls == kTa || s.cls == kDes ||
          s.cls == kPastI)
        continue;
      std::size_t common = 0;
      while (common < s.text.size() && common < lemma.size() && s.text[common] == lemma[common]) ++common;
      int strip = static_cast<int>(s.text.size() - common);
      if (strip > 8) continue;
      std::string add = lemma.substr(common);
      for (std::size_t len = 2; len <= 4 && len <= s.text.size(); ++len) {
        std::string key = std::string(ClassName(s.cls)) + "\t" + s.text.substr(s.text.size() - len);
        stats[key][{strip, add, pos}]++;
      }
    }
  }

  std::string body;
  body.reserve(64u << 20);
  for (const LexEntry& e : entries) AppendCompiledEntry(body, e);
  std::size_t rules = 0;
  for (const auto& [key, m] : stats) {
    std::vector<std::pair<std::uint32_t, std::tuple<int, std::string, char>>> v;
    std::uint32_t total = 0;
    for (const auto& [k, c] : m) {
      v.push_back({c, k});
      total += c;
    }
    if (total < 2) continue;
    std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::size_t tab = key.find('\t');
    StemClass cls = ClassFromName(key.substr(0, tab));
    for (std::size_t i = 0; i < v.size() && i < 4; ++i) {
      GuessRule r;
      r.strip = static_cast<std::uint8_t>(std::get<0>(v[i].second));
      r.add = std::get<1>(v[i].second);
      r.pos = std::get<2>(v[i].second);
      r.count = v[i].first;
      AppendCompiledGuess(body, cls, key.substr(tab + 1), r);
      ++rules;
    }
  }
  std::string file = FinishCompiled(body);
  std::string tmp = out_path + ".tmp";
  {
    std::ofstream o(tmp, std::ios::binary);
    o.write(file.data(), static_cast<std::streamsize>(file.size()));
    if (!o) {
      std::fprintf(stderr, "cannot write %s\n", tmp.c_str());
      return 1;
    }
  }
  fs::rename(tmp, out_path, ec);
  if (ec) {
    std::fprintf(stderr, "cannot write %s: %s\n", out_path.c_str(), ec.message().c_str());
    return 1;
  }
  std::fprintf(stderr, "%s: %zu source lemmas, %zu lemmas in all, %zu guessing rules, %zu bytes\n",
               out_path.c_str(), source_count, entries.size(), rules, file.size());
  return 0;
}
