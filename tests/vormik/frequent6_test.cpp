// Nouns of the sixth hand-written batch (frequent6.txt), checked in every case:
// words the word list lacks, words it declines on a wrong genitive, compounds
// the analyser splits wrongly, and nouns with plural forms only; the source
// lines parse, no entry is listed twice or again in another source file, the
// homonyms keep both paradigms, and the words left out keep their frequent
// reading. Also the plural partitive -eid that the compiler now gives nouns
// with a genitive in -i and a -t partitive (pulbreid, segisteid).
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

const char kFile[] = "frequent6.txt";

std::string NounReadings(const std::string& word, const std::string& lemma) {
  return vormik_test::ReadingsOf(word, lemma, 'S');
}

using vormik_test::PluralOnly;

TEST(SixthNounBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf(kFile);
  EXPECT_GT(entries.size(), 300u);
  std::set<std::string> lemmas, seen;
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_EQ(e.pos, 'S') << kFile << ":" << n << ": " << shown;
    EXPECT_FALSE(StemOf(e, vormik::kPart).empty() && !PluralOnly(e)) << kFile << ":" << n << ": " << shown;
    if (PluralOnly(e)) {
      EXPECT_FALSE(StemOf(e, vormik::kPlGen).empty()) << kFile << ":" << n << ": " << shown;
      EXPECT_FALSE(StemOf(e, vormik::kPlPart).empty()) << kFile << ":" << n << ": " << shown;
    } else {
      EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << kFile << ":" << n << ": " << shown;
      EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << kFile << ":" << n << ": " << shown << " has no genitive";
    }
    // Homonyms (vill villa and vill villi) share a lemma, not a genitive.
    EXPECT_TRUE(seen.insert(e.lemma + " " + StemOf(e, vormik::kGen)).second)
        << kFile << ":" << n << ": " << shown << " listed twice";
    lemmas.insert(e.lemma);
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "frequent3.txt", "frequent4.txt", "frequent5.txt",
                            "nominals.txt", "adjectives.txt", "names.txt", "names2.txt", "pronouns.txt",
                            "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt", "verbs2.txt", "informal.txt",
                            "informal2.txt", "firstparts.txt", "verbs3.txt", "adjectives2.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(lemmas.count(e.lemma), 0u) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << other << ":" << n;
}

// Each listed stem, the singular cases and the plural nominative built on the
// genitive stem, and the cases of a plural-only noun analyse as the entry's
// noun in that case.
TEST(SixthNounBatch, EveryStemAnalysesAsItsCase) { vormik_test::ExpectNounBatchAnalyses(kFile); }

// Forms that had no reading, or only one on a made-up lemma or a wrong case,
// read whole: each form gives exactly its noun's reading.
TEST(SixthNounBatch, ObliqueCasesReadOnTheirNounOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"toe", "toe\n    tugi+0 //_S_ sg g, //\n"},
      {"kasutajatoega", "kasutajatoega\n    kasutajatugi+ga //_S_ sg kom, //\n"},
      {"jätkuks", "jätkuks\n    jätk+ks //_S_ sg tr, //\n    jätku+ks //_V_ ks, //\n"},
      {"matsuga", "matsuga\n    mats+ga //_S_ sg kom, //\n"},
      {"platsil", "platsil\n    plats+l //_S_ sg ad, //\n"},
      {"kärjed", "kärjed\n    kärg+d //_S_ pl n, //\n"},
      {"haagisega", "haagisega\n    haagis+ga //_S_ sg kom, //\n"},
      {"navigaatoriga", "navigaatoriga\n    navigaator+ga //_S_ sg kom, //\n"},
      {"võõrkeelt", "võõrkeelt\n    võõrkeel+0 //_S_ sg p, //\n"},
      {"välisuksest", "välisuksest\n    välisuks+st //_S_ sg el, //\n"},
      {"tahavaatepeeglis", "tahavaatepeeglis\n    tahavaatepeegel+s //_S_ sg in, //\n"},
      {"sõnavaraga", "sõnavaraga\n    sõnavara+ga //_S_ sg kom, //\n"},
      {"teeviidad", "teeviidad\n    teeviit+d //_S_ pl n, //\n"},
      {"mähkmed", "mähkmed\n    mähe+d //_S_ pl n, //\n"},
      {"lihavõtetel", "lihavõtetel\n    lihavõtted+l //_S_ pl ad, //\n"},
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(An(word), expected) << word;
  // The genitive beside the verb forms and the adposition of the same spelling.
  EXPECT_TRUE(Has(An("jätku"), "jätk+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_FALSE(Has(An("jätku"), "jätku+0 //_S_"));
  EXPECT_TRUE(Has(An("kaani"), "kaan+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_TRUE(Has(An("toel"), "tugi+l //_S_ sg ad, //"));
  EXPECT_TRUE(Has(An("toel"), "toel+0 //_K_ //"));
}

// Homonyms are listed with both paradigms, so neither loses its forms.
TEST(SixthNounBatch, HomonymsKeepBothParadigms) {
  EXPECT_TRUE(Has(An("villa"), "vill+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_TRUE(Has(An("villi"), "vill+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_TRUE(Has(NounReadings("viilu", "viil"), "sg g, sg p, "));
  EXPECT_TRUE(Has(NounReadings("viili", "viil"), "sg g, sg p, "));
  EXPECT_TRUE(Has(An("armust"), "arm+st //_S_ sg el, //"));
  EXPECT_TRUE(Has(An("armi"), "arm+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_TRUE(Has(An("laimu"), "laim+0 //_S_ sg g, sg p, adt, //"));
  EXPECT_TRUE(Has(An("laimi"), "laim+0 //_S_ sg g, sg p, adt, //"));
}

// Nouns left out, and plural partitives left out, keep the frequent word's
// reading alone: naeris (naerma), valk (valgus), tõug (tõus), viit (viis),
// kaan (kaane of kaas), särg (särgi of särk), liig (the word list's liiga).
TEST(SixthNounBatch, LeftOutFormsKeepTheirFrequentReading) {
  EXPECT_EQ(An("naeris"), "naeris\n    naer+0 //_V_ s, //\n");
  EXPECT_FALSE(Has(An("valgus"), "valk"));
  EXPECT_FALSE(Has(An("tõus"), "tõug"));
  EXPECT_TRUE(Has(An("viit"), "viis+0 //_N_ sg p, //"));
  EXPECT_FALSE(Has(An("laud"), "laug"));
  EXPECT_EQ(An("kaane"), "kaane\n    kaas+0 //_S_ sg g, //\n");
  EXPECT_EQ(An("särgi"), "särgi\n    särk+0 //_S_ sg g, //\n");
  EXPECT_TRUE(Has(An("liiga"), "liiga+0 //_D_ //"));
  EXPECT_TRUE(Has(An("liigas"), "//_S_ sg in, //"));
  EXPECT_FALSE(Has(An("koha"), "koha+0 //_S_"));
  EXPECT_TRUE(Has(An("kodutu"), "kodutu+0 //_A_ sg n, sg g, //"));
}

// A noun with a genitive in -i and a -t partitive has its plural partitive in
// -eid on the genitive's stem, also when the word list holds only the
// plural's other cases (segisteiga); valgusteid is no longer valgus+tee.
TEST(SixthNounBatch, PluralPartitiveInEidOnTheGenitiveStem) {
  EXPECT_EQ(An("segisteid"), "segisteid\n    segisti+0 //_S_ pl p, //\n");
  EXPECT_EQ(An("valgusteid"), "valgusteid\n    valgusti+0 //_S_ pl p, //\n");
  EXPECT_EQ(An("pulbreid"), "pulbreid\n    pulber+0 //_S_ pl p, //\n");
  EXPECT_EQ(An("vahvleid"), "vahvleid\n    vahvel+0 //_S_ pl p, //\n");
  EXPECT_TRUE(Has(An("pihusteid"), "pihusti+0 //_S_ pl p, //"));
  EXPECT_TRUE(Has(An("lüliteid"), "lüliti+0 //_S_ pl p, //"));
  // A vowel-final partitive plural stays the only one of such a word.
  EXPECT_FALSE(Has(An("kappeid"), "//_S_"));
}

}  // namespace
