// Nouns of the third hand-written batch: consonant-final nouns whose genitive
// vowel the word list leaves open, gradation, -us/-is nouns, -e nouns with a
// strong stem, syncopated -el/-er/-ar nouns and loanwords analyse to the right
// lemma and case; the source lines parse, no entry is listed twice or again
// in another source file, and forms left out on purpose keep their frequent
// reading.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"

namespace {

using vormik_test::An;
using vormik_test::Has;
using vormik_test::Main;

using vormik_test::EntriesOf;
using vormik_test::StemOf;


TEST(ThirdBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf("frequent3.txt");
  EXPECT_GT(entries.size(), 600u);
  std::set<std::string> seen;        // lemma + genitive: a homonym has a stem of its own
  std::set<std::string> lemmas;
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_EQ(e.pos, 'S') << "frequent3.txt:" << n << ": " << shown;
    EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << "frequent3.txt:" << n << ": " << shown;
    EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << "frequent3.txt:" << n << ": " << shown << " has no genitive";
    EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << "frequent3.txt:" << n << ": " << shown << " has no partitive";
    EXPECT_TRUE(seen.insert(e.lemma + " " + StemOf(e, vormik::kGen)).second)
        << "frequent3.txt:" << n << ": " << shown << " listed twice";
    lemmas.insert(e.lemma);
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "nominals.txt", "names.txt", "pronouns.txt",
                            "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt", "firstparts.txt",
                            "adjectives2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(lemmas.count(e.lemma), 0u) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
}

// The compiled dictionary reads each listed nominative, genitive, partitive
// and partitive plural as the entry's noun in its case.
TEST(ThirdBatch, EveryStemAnalysesAsItsCase) {
  vormik_test::ExpectStemsAnalyse("frequent3.txt", {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                                                    {vormik::kAdt, "adt, "}, {vormik::kPlPart, "pl p, "}});
}

TEST(ThirdBatch, StemsTheWordListCannotSettle) {
  // The genitive vowel of a consonant-final noun.
  EXPECT_TRUE(Has(An("sõlme"), "sõlm+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("mullist"), "mull+st //_S_ sg el, //"));
  EXPECT_TRUE(Has(An("mullis"), "mull+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("tõusu"), "tõus+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("võlli"), "võll+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("poose"), "poos+0 //_S_ pl p, //"));
  EXPECT_TRUE(Has(An("pausi"), "paus+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("haisu"), "hais+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("rummu"), "rumm+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("tungi"), "tung+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("pärnade"), "pärn+0 //_S_ pl g, //"));
  // A partitive in -t: hool hoolt, and two homonyms with stems of their own.
  EXPECT_TRUE(Has(An("hoole"), "hool+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("hoolt"), "hool+0 //_S_ sg p, //"));
  EXPECT_TRUE(Has(An("koore"), "koor+0 //_S_ sg g, "));
  EXPECT_TRUE(Has(An("koort"), "koor+0 //_S_ sg p, //"));
  EXPECT_TRUE(Has(An("kooris"), "koor+s //_S_ pl in, sg in, "));
  // Gradation and lost consonants.
  EXPECT_TRUE(Has(An("raku"), "rakk+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("rakud"), "rakk+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("rakkude"), "rakk+0 //_S_ pl g, //"));
  EXPECT_TRUE(Has(An("taipu"), "taip+0 //_S_ sg p, "));
  EXPECT_TRUE(Has(An("hoo"), "hoog+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("hoogu"), "hoog+0 //_S_ sg p, "));
  EXPECT_TRUE(Has(An("kase"), "kask+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("männi"), "mänd+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("presidendi"), "president+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("kandidaadid"), "kandidaat+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("paketi"), "pakett+0 //_S_ sg g, //"));
  // -us/-is nouns and -e nouns with a strong stem.
  EXPECT_TRUE(Has(An("koondise"), "koondis+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("koondisse"), "koondis+0 //_S_ adt, //"));
  EXPECT_TRUE(Has(An("õppe"), "õpe+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("hinde"), "hinne+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("meetmeid"), "meede+0 //_S_ pl p, //"));
  // Syncopated stems.
  EXPECT_TRUE(Has(An("meistri"), "meister+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("küünlaid"), "küünal+0 //_S_ pl p, //"));
  EXPECT_TRUE(Has(An("vahtra"), "vaher+0 //_S_ sg g, //"));
  // Loanwords.
  EXPECT_TRUE(Has(An("kriteeriumi"), "kriteerium+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("kriteeriumit"), "kriteerium+0 //_S_ sg p, //"));
  EXPECT_TRUE(Has(An("mehhanismid"), "mehhanism+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("funktsioonides"), "funktsioon+s //_S_ pl in, //"));
  EXPECT_TRUE(Has(An("traktorit"), "traktor+0 //_S_ sg p, //"));
}

// Forms that would shadow a frequent word of another lemma are left out, and
// so are nouns whose stems would: these words keep their own reading only.
TEST(ThirdBatch, LeftOutFormsKeepTheirFrequentReading) {
  EXPECT_TRUE(Has(An("mulle"), "mina+0 //_P_"));
  EXPECT_FALSE(Has(An("mulle"), "mull+"));
  EXPECT_TRUE(Has(An("vaevu"), "vaevu+0 //_D_"));
  EXPECT_FALSE(Has(An("vaevu"), "vaev+"));
  EXPECT_TRUE(Has(An("lahti"), "lahti+0 //_D_"));
  EXPECT_FALSE(Has(An("lahti"), "laht+"));
  EXPECT_FALSE(Has(An("lakke"), "lakk+"));
  EXPECT_FALSE(Has(An("murde"), "murd+"));
  EXPECT_FALSE(Has(An("lõike"), "lõik+"));
  EXPECT_FALSE(Has(An("kange"), "kang+"));
  EXPECT_FALSE(Has(An("laul"), "laug+"));
  EXPECT_FALSE(Has(An("kandis"), "kant+"));
  EXPECT_FALSE(Has(An("pandi"), "pant+"));
  EXPECT_TRUE(Has(An("pandi"), "pane+i //_V_"));
  EXPECT_FALSE(Has(An("tõus"), "tõug+"));
  EXPECT_FALSE(Has(An("valgus"), "valk+"));
}

}  // namespace
