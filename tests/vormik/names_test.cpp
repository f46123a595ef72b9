// Proper names from the names lexicon, checked against the compiled
// dictionary (eesti.dct in the program directory): names in their cases,
// names that are also common words, and common words that must not turn
// into names.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"

namespace {

using vormik_test::An;
using vormik_test::Has;
using vormik_test::Main;

// First names decline on their own stems, not as the common words they
// resemble (Meelis is no inessive of meel, Andrus no form of a guessed
// "andru").
TEST(Names, FirstNamesInTheirCases) {
  EXPECT_TRUE(Has(An("Meelise"), "Meelis+0 //_H_ sg g, //")) << An("Meelise");
  EXPECT_TRUE(Has(An("Meelisega"), "Meelis+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Meelis"), "Meelis+0 //_H_ sg n, //"));
  EXPECT_TRUE(Has(An("Andrust"), "Andrus+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Toomast"), "Toomas+0 //_H_ sg p, //"));
  // Stems in the weak grade: Peeter Peetri, Priit Priidu, Jaak Jaagu, Mart Mardi.
  EXPECT_TRUE(Has(An("Peetrit"), "Peeter+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Peetrile"), "Peeter+le //_H_ sg all, //"));
  EXPECT_TRUE(Has(An("Priidule"), "Priit+le //_H_ sg all, //"));
  EXPECT_TRUE(Has(An("Priitu"), "Priit+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Jaagu"), "Jaak+0 //_H_ sg g, //"));
  EXPECT_TRUE(Has(An("Mardiga"), "Mart+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Mihklit"), "Mihkel+0 //_H_ sg p, //"));
  // Vowel-final names have the genitive of the nominative and a -t partitive.
  EXPECT_TRUE(Has(An("Liinat"), "Liina+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Villule"), "Villu+le //_H_ sg all, //"));
  EXPECT_TRUE(Has(An("Irinaga"), "Irina+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Sergeid"), "Sergei+0 //_H_ sg p, //"));
}

TEST(Names, PlacesAndSurnamesInTheirCases) {
  EXPECT_TRUE(Has(An("Norras"), "Norra+s //_H_ sg in, //")) << An("Norras");
  EXPECT_TRUE(Has(An("Jaapanisse"), "Jaapan+sse //_H_ sg ill, //"));
  EXPECT_TRUE(Has(An("Jaapanit"), "Jaapan+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Hiinas"), "Hiina+s //_H_ sg in, //"));
  EXPECT_TRUE(Has(An("Haagis"), "Haag+s //_H_ sg in, //"));
  EXPECT_TRUE(Has(An("Pariisi"), "Pariis+0 //_H_ sg g, sg p, adt, //")) << An("Pariisi");
  EXPECT_TRUE(Has(An("Londonist"), "London+st //_H_ sg el, //"));
  EXPECT_TRUE(Has(An("Saaremaal"), "Saaremaa+l //_H_ sg ad, //"));
  EXPECT_TRUE(Has(An("Emajõe"), "Emajõgi+0 //_H_ sg g, //"));
  EXPECT_TRUE(Has(An("Emajõge"), "Emajõgi+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Haapsallu"), "Haapsalu+0 //_H_ adt, //"));
  EXPECT_TRUE(Has(An("Yorgis"), "York+s //_H_ sg in, //"));
  // Surnames that are common nouns take the noun's stems.
  EXPECT_TRUE(Has(An("Mäe"), "Mägi+0 //_H_ sg g, //")) << An("Mäe");
  EXPECT_TRUE(Has(An("Tammele"), "Tamm+le //_H_ sg all, //"));
  EXPECT_TRUE(Has(An("Kaske"), "Kask+0 //_H_ sg p, //"));
  // A hyphenated place name is one word.
  EXPECT_TRUE(Has(An("Kohtla-Järvel"), "Kohtla-Järve+l //_H_ sg ad, //")) << An("Kohtla-Järvel");
}

// A capitalised word that is both a name and a common word keeps both
// readings, in mid sentence and at its start; the name comes first.
TEST(Names, NamesThatAreAlsoCommonWordsKeepBoth) {
  for (bool start : {false, true}) {
    std::string mari = An("Mari", start);
    EXPECT_TRUE(Has(mari, "Mari+0 //_H_ sg n, sg g, //")) << mari;
    EXPECT_TRUE(Has(mari, "mari+0 //_S_ sg n, //")) << mari;
    EXPECT_LT(mari.find("_H_"), mari.find("_S_")) << mari;
    std::string meelis = An("Meelis", start);
    EXPECT_TRUE(Has(meelis, "Meelis+0 //_H_ sg n, //")) << meelis;
    EXPECT_TRUE(Has(meelis, "meel+s //_S_ pl in, //")) << meelis;
  }
  std::string tamme = An("Tamme");
  EXPECT_TRUE(Has(tamme, "Tamm+0 //_H_ sg g, sg p, //")) << tamme;
  EXPECT_TRUE(Has(tamme, "tamm+0 //_S_")) << tamme;
  // The adjective and the country's genitive stand side by side.
  std::string saksa = An("Saksa");
  EXPECT_TRUE(Has(saksa, "Saksa+0 //_H_ sg n, sg g, //")) << saksa;
  EXPECT_TRUE(Has(saksa, "saksa+0 //_A_")) << saksa;
}

// Names are written with a capital: the same letters in lower case are the
// common word only, and a name's entry does not hide the common noun of the
// same spelling.
TEST(Names, LowerCaseWordsStayCommon) {
  for (const char* w : {"meelis", "mari", "tamm", "tamme", "mäe", "kaske", "saksa", "mets", "kivi"}) {
    std::string a = An(w);
    EXPECT_FALSE(Has(a, "_H_")) << a;
    EXPECT_FALSE(Has(a, "####")) << a;
  }
  // A name's form in lower case that nothing else explains reads as the name
  // (forum writing often leaves names in lower case).
  EXPECT_EQ(An("norras"), "norras\n    Norra+s //_H_ sg in, //\n");
  EXPECT_TRUE(Has(An("jaapanisse", false, true), "Jaapan+sse //_H_"));
  EXPECT_TRUE(Has(An("meelis"), "meel+s //_S_ pl in, //"));
  EXPECT_TRUE(Has(An("tamme"), "tamm+0 //_S_"));
  // Common nouns that are also surnames left out of the lexicon still come
  // from the word list.
  for (const char* w : {"ilves", "luik", "ots", "august"}) EXPECT_TRUE(Has(An(w), std::string(w) + "+0 //_S_")) << An(w);
}

// The lexicon source itself: every line parses, every entry is a name
// written with a capital whose nominative is the lemma, no name is listed
// twice or again in another source file, and the compiled dictionary
// analyses each listed stem as that name in its case.
TEST(Names, EveryEntryAnalysesAsItself) {
  auto entries_of = [](const std::string& file) {
    std::map<std::string, vormik::LexEntry> out;
    for (auto& [n, e] : vormik_test::EntriesOf(file)) {
      if (e.pos != 'H') continue;
      EXPECT_TRUE(out.emplace(e.lemma, e).second) << file << ":" << n << ": listed twice";
    }
    return out;
  };
  std::map<std::string, vormik::LexEntry> names = entries_of("names.txt");
  EXPECT_GT(names.size(), 600u);
  for (const char* other : {"nominals.txt", "frequent.txt", "function.txt"})
    for (const auto& [lemma, e] : entries_of(other))
      EXPECT_EQ(names.count(lemma), 0u) << vaarikas::Cp1257ToUtf8(lemma) << " is also in " << other;
  for (const auto& [lemma, e] : names) {
    const std::string shown = vaarikas::Cp1257ToUtf8(lemma);
    ASSERT_TRUE(vormik::IsUpper1257(static_cast<unsigned char>(lemma[0]))) << shown;
    if (e.stems.size() == 1 && e.stems[0].cls == vormik::kWord) {
      // An uninflected name (New in New York).
      EXPECT_TRUE(Has(An(shown), shown + "+0 //_H_ //")) << An(shown);
      continue;
    }
    const char* codes[] = {"sg n, ", "sg g, ", "sg p, ", "adt, "};
    bool nominative = false;
    for (const vormik::Stem& st : e.stems) {
      if (st.cls == vormik::kNom) {
        EXPECT_EQ(st.text, lemma) << shown;
        nominative = true;
      }
      ASSERT_LE(static_cast<int>(st.cls), static_cast<int>(vormik::kAdt)) << shown << ": a name takes N, G, P and A only";
      std::string a = An(vaarikas::Cp1257ToUtf8(st.text));
      std::string reading = shown + "+0 //_H_ ";
      std::size_t at = a.find(reading);
      ASSERT_NE(at, std::string::npos) << shown << ":\n" << a;
      std::size_t end = a.find('\n', at);
      EXPECT_TRUE(Has(a.substr(at, end - at), codes[st.cls])) << shown << ":\n" << a;
    }
    EXPECT_TRUE(nominative) << shown;
  }
}

}  // namespace
