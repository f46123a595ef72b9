// Informal vocabulary of forum and chat writing: brand, product, service and
// shop names declined as Estonian declines them, chat interjections and
// adverbs, the colloquial pronouns of kind and slang nouns. The source lines
// parse, no entry is listed twice or again in another source file, every
// listed stem analyses as its case, and common words spelt like a brand keep
// their own reading.
#include <gtest/gtest.h>

#include <fstream>
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

using vormik_test::EntriesOf;
using vormik_test::ReadingsOf;
using vormik_test::StemOf;

TEST(InformalLexicon, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf("informal.txt");
  EXPECT_GT(entries.size(), 300u);
  std::set<std::string> seen;
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_NE(std::string("HIDPSA").find(e.pos), std::string::npos) << "informal.txt:" << n << ": " << shown;
    if (e.pos != 'I' && e.pos != 'D') {
      // Declinable words give their nominative, genitive and partitive.
      EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << "informal.txt:" << n << ": " << shown;
      EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << "informal.txt:" << n << ": " << shown << " has no genitive";
      EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << "informal.txt:" << n << ": " << shown << " has no partitive";
    }
    // The dictionary compiler keys source entries on the lower-case lemma,
    // so a name and a common word of one spelling would clash.
    EXPECT_TRUE(seen.insert(vormik::Lower1257(e.lemma)).second) << "informal.txt:" << n << ": " << shown
                                                                   << " listed twice";
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "frequent3.txt", "nominals.txt", "names.txt",
                            "pronouns.txt", "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt",
                            "firstparts.txt", "adjectives2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(seen.count(vormik::Lower1257(e.lemma)), 0u)
          << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
}

// The compiled dictionary reads each listed stem as the entry in its case,
// and each uninflected word as itself.
TEST(InformalLexicon, EveryStemAnalysesAsItsCase) {
  for (const auto& [n, e] : EntriesOf("informal.txt")) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    if (e.pos == 'I' || e.pos == 'D') {
      EXPECT_FALSE(ReadingsOf(lemma, lemma, e.pos).empty()) << "informal.txt:" << n << ":\n" << An(lemma);
    }
  }
  vormik_test::ExpectStemsAnalyse("informal.txt", {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                                                   {vormik::kPlPart, "pl p, "}});
}

TEST(InformalLexicon, NamesDeclineAsEstonianDeclinesThem) {
  // A foreign name ending in a consonant takes -i before the case endings.
  EXPECT_TRUE(Has(An("Samsungi"), "Samsung+0 //_H_ sg g, sg p, //"));
  EXPECT_TRUE(Has(An("Opelit"), "Opel+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Volkswageniga"), "Volkswagen+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Nikonile"), "Nikon+le //_H_ sg all, //"));
  EXPECT_TRUE(Has(An("Windowsis"), "Windows+s //_H_ sg in, //"));
  EXPECT_TRUE(Has(An("Facebookis"), "Facebook+s //_H_ sg in, //"));
  EXPECT_TRUE(Has(An("Citroeniga"), "Citroen+ga //_H_ sg kom, //"));
  // An -s name has an -e stem; a vowel-final name takes the endings bare.
  EXPECT_TRUE(Has(An("Mercedesega"), "Mercedes+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Toyotaga"), "Toyota+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Hyundaid"), "Hyundai+0 //_H_ sg p, //"));
  EXPECT_TRUE(Has(An("Škodaga"), "Škoda+ga //_H_ sg kom, //"));
  // Estonian compounds as names decline as their last part.
  EXPECT_TRUE(Has(An("Hansapangas"), "Hansapank+s //_H_ sg in, //"));
  EXPECT_TRUE(Has(An("Ärilehes"), "Ärileht+s //_H_ sg in, //"));
  // A name in capitals is read as the name.
  EXPECT_TRUE(Has(An("SAMSUNG"), "Samsung+0 //_H_ sg n, //"));
  EXPECT_TRUE(Has(An("IKEA"), "Ikea+0 //_H_ sg n, sg g, //"));
}

TEST(InformalLexicon, ChatWordsAndSlang) {
  EXPECT_TRUE(Has(An("sorry"), "sorry+0 //_I_ //"));
  EXPECT_TRUE(Has(An("okay"), "okay+0 //_I_ //"));
  EXPECT_TRUE(Has(An("lol"), "lol+0 //_I_ //"));
  EXPECT_TRUE(Has(An("tglt"), "tglt+0 //_D_ //"));
  EXPECT_TRUE(Has(An("vbl"), "vbl+0 //_D_ //"));
  // The short pronouns of kind and their syncopated stem.
  EXPECT_TRUE(Has(An("siukse"), "siuke+0 //_P_ sg g, //"));
  EXPECT_TRUE(Has(An("niukest"), "niuke+0 //_P_ sg p, //"));
  EXPECT_TRUE(Has(An("siukseid"), "siuke+0 //_P_ pl p, //"));
  // Slang nouns: gradation, -kas stems and the plural.
  EXPECT_TRUE(Has(An("äpi"), "äpp+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("äppe"), "äpp+0 //_S_ pl p, //"));
  EXPECT_TRUE(Has(An("bemmiga"), "bemm+ga //_S_ sg kom, //"));
  EXPECT_TRUE(Has(An("mersuga"), "mersu+ga //_S_ sg kom, //"));
  EXPECT_TRUE(Has(An("telekast"), "telekas+st //_S_ sg el, //"));
  EXPECT_TRUE(Has(An("lapakat"), "lapakas+0 //_S_ sg p, //"));
  EXPECT_TRUE(Has(An("sünnikale"), "sünnikas+le //_S_ sg all, //"));
  EXPECT_TRUE(Has(An("õpsid"), "õps+d //_S_ pl n, //"));
}

// A name spelt like a common word of the spelling word list is left out, so
// the common word keeps its reading.
TEST(InformalLexicon, CommonWordsKeepTheirReading) {
  EXPECT_TRUE(Has(An("prisma"), "prisma+0 //_S_"));
  EXPECT_TRUE(Has(An("alfa"), "alfa+0 //_S_"));
  EXPECT_TRUE(Has(An("tere"), "tere+0 //_I_"));
  // A brand in lower case reads as the brand only when no common word does.
  EXPECT_TRUE(Has(An("opelit"), "Opel+0 //_H_ sg p, "));
  EXPECT_EQ(An("fordi"), "fordi\n    fort+0 //_S_ sg g, //\n");
  EXPECT_FALSE(Has(An("prisma"), "_H_"));
}

}  // namespace
