// Nouns of the seventh hand-written batch (frequent7.txt), checked in every
// case: words the word list lacks, words it declines on a wrong stem or a
// made-up lemma, -ne and -ikas nouns, compounds the analyser splits on a wrong
// last part, and nouns used in the plural; the source lines parse, no entry is
// listed twice or again in another source file, mass nouns listed without a
// plural keep none, and the words left out keep their frequent reading.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"

namespace {

using vormik_test::An;
using vormik_test::EntriesOf;
using vormik_test::Has;
using vormik_test::StemOf;

const char kFile[] = "frequent7.txt";

std::string NounReadings(const std::string& word, const std::string& lemma) {
  return vormik_test::ReadingsOf(word, lemma, 'S');
}

using vormik_test::PluralOnly;

TEST(SeventhNounBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf(kFile);
  EXPECT_GT(entries.size(), 200u);
  std::set<std::string> lemmas, seen;
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_EQ(e.pos, 'S') << kFile << ":" << n << ": " << shown;
    if (PluralOnly(e)) {
      EXPECT_FALSE(StemOf(e, vormik::kPlGen).empty()) << kFile << ":" << n << ": " << shown;
      EXPECT_FALSE(StemOf(e, vormik::kPlPart).empty()) << kFile << ":" << n << ": " << shown;
    } else {
      EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << kFile << ":" << n << ": " << shown;
      EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << kFile << ":" << n << ": " << shown << " has no genitive";
      EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << kFile << ":" << n << ": " << shown << " has no partitive";
      // Either both plural stems or neither (a mass noun).
      EXPECT_EQ(StemOf(e, vormik::kPlGen).empty(), StemOf(e, vormik::kPlPart).empty())
          << kFile << ":" << n << ": " << shown;
    }
    EXPECT_TRUE(seen.insert(e.lemma + " " + StemOf(e, vormik::kGen)).second)
        << kFile << ":" << n << ": " << shown << " listed twice";
    lemmas.insert(e.lemma);
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "frequent3.txt", "frequent4.txt", "frequent5.txt",
                            "frequent6.txt", "nominals.txt", "adjectives.txt", "names.txt", "names2.txt",
                            "pronouns.txt", "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt", "verbs2.txt",
                            "informal.txt", "informal2.txt", "firstparts.txt", "verbs3.txt", "adjectives2.txt"})
    for (const auto& [n, e] : EntriesOf(other)) {
      // kurat is also an interjection in function.txt; a noun is listed once.
      if (e.pos == 'S') {
        EXPECT_EQ(lemmas.count(e.lemma), 0u) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
      }
    }
}

// Each listed stem, the singular cases and the plural nominative built on the
// genitive stem, and the cases of a plural-only noun analyse as the entry's
// noun in that case.
TEST(SeventhNounBatch, EveryStemAnalysesAsItsCase) { vormik_test::ExpectNounBatchAnalyses(kFile); }

// Forms that had no reading, or only one on a made-up lemma or a wrong last
// part, read whole: each form gives exactly its noun's reading.
TEST(SeventhNounBatch, FormsReadOnTheirNounOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"kolmnurgaga", "kolmnurgaga\n    kolmnurk+ga //_S_ sg kom, //\n"},
      {"pankrotist", "pankrotist\n    pankrot+st //_S_ sg el, //\n"},
      {"purjed", "purjed\n    puri+d //_S_ pl n, //\n"},
      {"kuradile", "kuradile\n    kurat+le //_S_ sg all, //\n"},
      {"peensoolest", "peensoolest\n    peensool+st //_S_ sg el, //\n"},
      {"jõulukingiks", "jõulukingiks\n    jõulukink+ks //_S_ sg tr, //\n"},
      {"sepikojas", "sepikojas\n    sepikoda+s //_S_ sg in, //\n"},
      {"metsaalusel", "metsaalusel\n    metsaalune+l //_S_ sg ad, //\n"},
      {"sitikad", "sitikad\n    sitikas+d //_S_ pl n, //\n"},
      {"snaipriga", "snaipriga\n    snaiper+ga //_S_ sg kom, //\n"},
      {"halot", "halot\n    halo+0 //_S_ sg p, //\n"},
      {"kommunaalmaksetega", "kommunaalmaksetega\n    kommunaalmaksed+ga //_S_ pl kom, //\n"},
      {"rõugetesse", "rõugetesse\n    rõuged+sse //_S_ pl ill, //\n"},
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(An(word), expected) << word;
  EXPECT_TRUE(Has(An("vedru"), "vedru+0 //_S_ sg n, sg g, sg p, //"));
  EXPECT_TRUE(Has(An("taigas"), "taiga+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("abaluud"), "abaluu+0 //_S_ sg p, //"));
  // The noun kurat beside the interjection of function.txt.
  EXPECT_TRUE(Has(An("kurat"), "kurat+0 //_S_ sg n, //"));
  EXPECT_TRUE(Has(An("kurat"), "kurat+0 //_I_ //"));
}

// A mass noun listed without plural stems keeps its singular only.
TEST(SeventhNounBatch, MassNounsHaveNoPlural) {
  EXPECT_TRUE(Has(NounReadings("anoreksiat", "anoreksia"), "sg p, "));
  EXPECT_FALSE(Has(NounReadings("anoreksiaid", "anoreksia"), "pl p, "));
  EXPECT_FALSE(Has(NounReadings("jaekaubandusi", "jaekaubandus"), "pl p, "));
}

// Nouns left out keep the frequent word's reading alone: piire (piir), pandi
// (panema, no pant), nõo (nõbu), teemaks (teema), vööde (vöö), kokkuvõttes
// (the adverb), usklik (the adjective).
TEST(SeventhNounBatch, LeftOutFormsKeepTheirFrequentReading) {
  EXPECT_EQ(An("piire"), "piire\n    piir+0 //_S_ pl p, //\n");
  EXPECT_FALSE(Has(An("pandi"), "pant+"));
  EXPECT_EQ(An("nõo"), "nõo\n    nõbu+0 //_S_ sg g, //\n");
  EXPECT_EQ(An("teemaks"), "teemaks\n    teema+ks //_S_ sg tr, //\n");
  EXPECT_EQ(An("vööde"), "vööde\n    vöö+0 //_S_ pl g, //\n");
  EXPECT_EQ(An("kokkuvõttes"), "kokkuvõttes\n    kokkuvõttes+0 //_D_ //\n");
  EXPECT_EQ(An("usklik"), "usklik\n    usklik+0 //_A_ sg n, //\n");
  EXPECT_FALSE(Has(An("alt"), "//_S_"));
}

}  // namespace
