// Nouns and adjectives of the fourth hand-written batch: the second paradigm
// of homonyms (juht juhu beside juht juhi), -ne adjectives the word list read
// as compounds on a wrong stem (kodumaine), a syncopated stem (koorem koorma)
// and words the list lacks analyse to the right lemma and case; the source
// lines parse, no entry is listed twice or again in another source file
// (a homonym with a genitive of its own may be), and the paradigm each
// homonym had before stays.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"

namespace {

using vormik_test::An;
using vormik_test::EntriesOf;
using vormik_test::Has;
using vormik_test::StemOf;

TEST(FourthBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf("frequent4.txt");
  EXPECT_GT(entries.size(), 20u);
  std::set<std::string> seen;  // lemma + genitive: a homonym has a stem of its own
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_TRUE(e.pos == 'S' || e.pos == 'A') << "frequent4.txt:" << n << ": " << shown;
    EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << "frequent4.txt:" << n << ": " << shown;
    EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << "frequent4.txt:" << n << ": " << shown << " has no genitive";
    EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << "frequent4.txt:" << n << ": " << shown << " has no partitive";
    EXPECT_FALSE(StemOf(e, vormik::kPlGen).empty()) << "frequent4.txt:" << n << ": " << shown << " has no plural";
    EXPECT_TRUE(seen.insert(e.lemma + " " + StemOf(e, vormik::kGen)).second)
        << "frequent4.txt:" << n << ": " << shown << " listed twice";
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "frequent3.txt", "nominals.txt", "names.txt",
                            "pronouns.txt", "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt",
                            "firstparts.txt", "informal.txt", "adjectives2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(seen.count(e.lemma + " " + StemOf(e, vormik::kGen)), 0u)
          << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
}

// The compiled dictionary reads each listed stem as the entry's word in its case.
TEST(FourthBatch, EveryStemAnalysesAsItsCase) {
  vormik_test::ExpectStemsAnalyse("frequent4.txt", {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                                                    {vormik::kPlGen, "pl g, "}, {vormik::kPlPart, "pl p, "}});
}

// Both paradigms of a homonym: the new line must not take the place of the
// paradigm the word had before.
TEST(FourthBatch, HomonymsKeepBothParadigms) {
  // juht juhi "leader", juht juhu "case"
  EXPECT_TRUE(Has(An("juhi"), "juht+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("juhti"), "juht+0 //_S_ sg p, "));
  EXPECT_TRUE(Has(An("juhul"), "juht+l //_S_ sg ad, //"));
  EXPECT_TRUE(Has(An("juhuks"), "juht+ks //_S_ sg tr, //"));
  EXPECT_TRUE(Has(An("juhtu"), "juht+0 //_S_ sg p, "));
  EXPECT_TRUE(Has(An("juhtudel"), "juht+l //_S_ pl ad, //"));
  EXPECT_TRUE(Has(An("juhtidele"), "juht+le //_S_ pl all, //"));
  // palk palga "salary", palk palgi "log"
  EXPECT_TRUE(Has(An("palga"), "palk+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("palgad"), "palk+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("palgi"), "palk+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("palkidest"), "palk+st //_S_ pl el, //"));
  // vaht vahu "foam", vaht vahi "guard" (vahi alla)
  EXPECT_TRUE(Has(An("vahu"), "vaht+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("vahi"), "vaht+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("vahtide"), "vaht+0 //_S_ pl g, //"));
  // kurk kurgi "cucumber", kurk kurgu "throat"
  EXPECT_TRUE(Has(An("kurgid"), "kurk+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("kurgus"), "kurk+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("kurku"), "kurk+0 //_S_ sg p, "));
}

TEST(FourthBatch, StemsTheWordListMissesOrTakesWrongly) {
  // A syncopated stem: not a noun "koorma".
  EXPECT_TRUE(Has(An("koorem"), "koorem+0 //_S_ sg n, //"));
  EXPECT_TRUE(Has(An("koorma"), "koorem+0 //_S_ sg g, //"));
  EXPECT_FALSE(Has(An("koorma"), "koorma+0 //_S_"));
  EXPECT_TRUE(Has(An("koormaid"), "koorem+0 //_S_ pl p, //"));
  // -maine adjectives: the genitive is not a compound on mais "maize".
  EXPECT_TRUE(Has(An("kodumaise"), "kodumaine+0 //_A_ sg g, //"));
  EXPECT_FALSE(Has(An("kodumaise"), "mais+"));
  EXPECT_TRUE(Has(An("välismaist"), "välismaine+0 //_A_ sg p, //"));
  EXPECT_TRUE(Has(An("põhjamaiste"), "põhjamaine+0 //_A_ pl g, //"));
  // Words the list lacks.
  EXPECT_TRUE(Has(An("südamlikku"), "südamlik+0 //_A_ sg p, //"));
  EXPECT_TRUE(Has(An("umbusaldusse"), "umbusaldus+0 //_S_ adt, //"));
  EXPECT_TRUE(Has(An("rahastajatele"), "rahastaja+le //_S_ pl all, //"));
  EXPECT_TRUE(Has(An("kolumnistid"), "kolumnist+d //_S_ pl n, //"));
}

// Homonyms whose second paradigm would shadow a more frequent word are not
// written: maksa stays the verb, soole the allative of soo.
TEST(FourthBatch, LeftOutFormsKeepTheirFrequentReading) {
  EXPECT_FALSE(Has(An("maksa"), "maks+0 //_S_ sg g"));
  EXPECT_TRUE(Has(An("maksa"), "//_V_"));
  EXPECT_FALSE(Has(An("soole"), "sool+"));
}

}  // namespace
