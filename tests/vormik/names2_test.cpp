// The second batch of proper names (names2.txt), checked against the compiled
// dictionary: every entry parses and is listed once, in no other source file;
// each name's listed stems analyse as that name in their cases and take the
// case endings; the common words written out beside the names keep their
// readings, in lower case and at the start of a sentence.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"
#include "vormik/paradigm.h"

namespace {

using vormik_test::An;
using vormik_test::EntriesOf;
using vormik_test::Has;
using vormik_test::StemOf;

std::string Lower(const std::string& cp1257) { return vormik::Lower1257(cp1257); }

struct Batch {
  std::map<std::string, vormik::LexEntry> names;   // H entries by lemma
  std::vector<vormik::LexEntry> common;            // the common words written out
};

const Batch& Names2() {
  static const Batch b = [] {
    Batch out;
    for (auto& [n, e] : EntriesOf("names2.txt")) {
      const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
      if (e.pos == 'H') {
        EXPECT_TRUE(out.names.emplace(e.lemma, e).second) << "names2.txt:" << n << ": " << shown << " listed twice";
      } else {
        EXPECT_TRUE(e.pos == 'S' || e.pos == 'A') << "names2.txt:" << n << ": " << shown;
        out.common.push_back(e);
      }
    }
    return out;
  }();
  return b;
}

TEST(SecondNames, EveryEntryIsWellFormedAndInNoOtherSource) {
  const Batch& b = Names2();
  EXPECT_GT(b.names.size(), 1400u);
  std::set<std::string> lowered;
  for (const auto& [lemma, e] : b.names) {
    const std::string shown = vaarikas::Cp1257ToUtf8(lemma);
    EXPECT_TRUE(vormik::IsUpper1257(static_cast<unsigned char>(lemma[0]))) << shown;
    EXPECT_EQ(StemOf(e, vormik::kNom), lemma) << shown;
    EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << shown << " has no genitive";
    for (const vormik::Stem& st : e.stems)
      EXPECT_LE(static_cast<int>(st.cls), static_cast<int>(vormik::kAdt)) << shown << ": a name takes N, G, P and A only";
    // The partitive is the nominative with -t or -d (Fellinit, Hanoid), the
    // genitive stem (Magdeburgi) with or without -t (Londonit), or a
    // consonant-final nominative with a vowel (Kütti, Kurge, Mosambiiki).
    const std::string g = StemOf(e, vormik::kGen), p = StemOf(e, vormik::kPart);
    if (!p.empty()) {
      auto is_vowel = [](char c) { return std::string("aeiouy\xF5\xE4\xF6\xFC").find(c) != std::string::npos; };
      // -d only after a long vowel or a diphthong.
      bool long_end = lemma.size() > 1 && is_vowel(lemma.back()) && is_vowel(lemma[lemma.size() - 2]);
      bool plain = p == lemma + "t" || (long_end && p == lemma + "d") || p == g || p == g + "t";
      bool vowel = !is_vowel(lemma.back()) && p.size() == lemma.size() + 1 &&
                   p.compare(0, lemma.size(), lemma) == 0 && is_vowel(p.back());
      // -mägi and -jõgi names: Liivamäge, Pühajõge.
      bool gi = lemma.size() > 2 && lemma.compare(lemma.size() - 2, 2, "gi") == 0 &&
                p == lemma.substr(0, lemma.size() - 1) + "e";
      EXPECT_TRUE(plain || vowel || gi) << shown << ": partitive " << vaarikas::Cp1257ToUtf8(p);
    }
    lowered.insert(Lower(lemma));
  }
  // A common word here is here only because a name above shares its spelling.
  for (const vormik::LexEntry& e : b.common) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_EQ(Lower(e.lemma), e.lemma) << shown;
    EXPECT_EQ(lowered.count(e.lemma), 1u) << shown << " is no name's spelling";
    EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << shown;
    EXPECT_FALSE(StemOf(e, vormik::kPlGen).empty()) << shown;
  }
  for (const char* other : {"names.txt", "frequent.txt", "frequent2.txt", "frequent3.txt", "frequent4.txt",
                            "nominals.txt", "pronouns.txt", "numerals.txt", "adverbs.txt", "function.txt",
                            "verbs.txt", "informal.txt", "firstparts.txt", "adjectives2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other)) {
      EXPECT_EQ(b.names.count(e.lemma), 0u) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
      for (const vormik::LexEntry& c : b.common)
        EXPECT_NE(c.lemma, e.lemma) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
    }
}

// Each listed stem reads as the name in its case, mid sentence and at the
// start of one, and the genitive stem takes the case endings.
TEST(SecondNames, EveryNameAnalysesInItsCases) {
  const char* codes[] = {"sg n, ", "sg g, ", "sg p, ", "adt, "};
  for (const auto& [lemma, e] : Names2().names) {
    const std::string shown = vaarikas::Cp1257ToUtf8(lemma);
    for (const vormik::Stem& st : e.stems) {
      const std::string form = vaarikas::Cp1257ToUtf8(st.text);
      for (bool start : {false, true}) {
        std::string a = An(form, start);
        std::size_t at = a.find("    " + shown + "+0 //_H_ ");
        ASSERT_NE(at, std::string::npos) << shown << " (" << form << "):\n" << a;
        EXPECT_TRUE(Has(a.substr(at, a.find('\n', at) - at), codes[st.cls])) << shown << ":\n" << a;
      }
    }
    const std::string g = vaarikas::Cp1257ToUtf8(StemOf(e, vormik::kGen));
    EXPECT_TRUE(Has(An(g + "le"), shown + "+le //_H_ sg all, //")) << An(g + "le");
    EXPECT_TRUE(Has(An(g + "s"), shown + "+s //_H_ sg in, //")) << An(g + "s");
  }
}

// Vowel-final foreign names keep the vowel, consonant-final ones take -i;
// a place with a short illative has it; a hyphenated name is one word.
TEST(SecondNames, DeclensionOfForeignAndEstonianNames) {
  EXPECT_EQ(An("Fellinile"), "Fellinile\n    Fellini+le //_H_ sg all, //\n");
  EXPECT_EQ(An("Fellinit"), "Fellinit\n    Fellini+0 //_H_ sg p, //\n");
  EXPECT_EQ(An("Magdeburgi"), "Magdeburgi\n    Magdeburg+0 //_H_ sg g, sg p, //\n");
  EXPECT_EQ(An("Tšeljabinskis"), "Tšeljabinskis\n    Tšeljabinsk+s //_H_ sg in, //\n");
  EXPECT_EQ(An("Sõktõvkari"), "Sõktõvkari\n    Sõktõvkar+0 //_H_ sg g, sg p, //\n");
  EXPECT_TRUE(Has(An("Macronit"), "Macron+0 //_H_ sg p, //")) << An("Macronit");
  EXPECT_TRUE(Has(An("Zelenskõid"), "Zelenskõi+0 //_H_ sg p, //")) << An("Zelenskõid");
  EXPECT_TRUE(Has(An("Võrru"), "Võru+0 //_H_ adt, //")) << An("Võrru");
  EXPECT_TRUE(Has(An("Võrus"), "Võru+s //_H_ sg in, //")) << An("Võrus");
  EXPECT_TRUE(Has(An("Kõivule"), "Kõiv+le //_H_ sg all, //")) << An("Kõivule");
  EXPECT_TRUE(Has(An("Rüütlile"), "Rüütel+le //_H_ sg all, //")) << An("Rüütlile");
  EXPECT_TRUE(Has(An("Tänakut"), "Tänak+0 //_H_ sg p, //")) << An("Tänakut");
  EXPECT_TRUE(Has(An("Lõuna-Koreas"), "Lõuna-Korea+s //_H_ sg in, //")) << An("Lõuna-Koreas");
  EXPECT_TRUE(Has(An("Kolga-Jaanis"), "Kolga-Jaani+s //_H_ sg in, //")) << An("Kolga-Jaanis");
}

// A common word written out beside a name of its spelling analyses as itself
// in every listed stem, in lower case; the capitalised word at the start of
// a sentence reads both ways, the name first.
TEST(SecondNames, CommonWordsSpeltLikeANameKeepTheirReadings) {
  const char* codes[] = {"sg n, ", "sg g, ", "sg p, ", "adt, ", "pl g, ", "pl p, "};
  for (const vormik::LexEntry& e : Names2().common) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    for (const vormik::Stem& st : e.stems) {
      ASSERT_LT(static_cast<std::size_t>(st.cls), sizeof codes / sizeof *codes) << shown;
      const std::string form = vaarikas::Cp1257ToUtf8(st.text);
      std::string lines = vormik_test::ReadingsOf(form, shown, e.pos);
      EXPECT_TRUE(Has(lines, codes[st.cls])) << shown << " (" << form << "):\n" << An(form);
      EXPECT_FALSE(Has(An(form), "_H_")) << An(form);
    }
    std::string name;
    for (const auto& [lemma, n] : Names2().names)
      if (Lower(lemma) == e.lemma) name = vaarikas::Cp1257ToUtf8(lemma);
    std::string a = An(name, true);
    EXPECT_TRUE(Has(a, name + "+0 //_H_ sg n, ")) << a;
    EXPECT_TRUE(Has(a, shown + "+0 //_" + std::string(1, e.pos) + "_ sg n, ")) << a;
    EXPECT_LT(a.find("_H_"), a.find("_" + std::string(1, e.pos) + "_")) << a;
  }
  EXPECT_EQ(An("võru"), "võru\n    võru+0 //_S_ sg n, sg g, sg p, //\n    võra+0 //_S_ pl p, //\n");
  EXPECT_TRUE(Has(An("trumbi"), "trump+0 //_S_ sg g, //")) << An("trumbi");
  EXPECT_TRUE(Has(An("küti"), "kütt+0 //_S_ sg g, //")) << An("küti");
}

// A name spelt like a frequent form of a common word leaves that word its
// reading (Leida, the da-infinitive of leidma); names spelt like a more
// frequent word than themselves are not listed at all.
TEST(SecondNames, FrequentWordsOfANamesSpellingStayCommon) {
  for (bool start : {false, true}) {
    EXPECT_TRUE(Has(An("Leida", start), "leid+0 //_V_ da, //")) << An("Leida", start);
    EXPECT_TRUE(Has(An("Leida", start), "Leida+0 //_H_ sg n, sg g, //")) << An("Leida", start);
  }
  for (const char* w : {"leida", "maile", "tusk", "tuska", "kütt", "toome", "võru", "koppel", "alla", "arved"}) {
    std::string a = An(w);
    EXPECT_FALSE(Has(a, "_H_")) << a;
    EXPECT_FALSE(Has(a, "####")) << a;
  }
  // Left out: the adposition alla, the plural of arve, the adverb lahti.
  for (const char* w : {"Alla", "Arved", "Lahti", "Minna"}) EXPECT_FALSE(Has(An(w, true), "_H_")) << An(w, true);
}

}  // namespace
