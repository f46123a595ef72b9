// The second batch of adjectives: everyday adjectives whose nominative,
// genitive, partitive, plural or comparative had no reading of the adjective
// (words the word list lacks, words it reads on a made-up lemma or as a
// participle's genitive, participles of hand-written verbs). The source lines
// parse, every entry is an adjective or comparative listed once and in no other
// source file, every stem analyses as its entry in its case, the cases are
// made on the listed stems, and the words beside them keep their readings.
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
using vormik_test::ReadingsOf;
using vormik_test::StemOf;

// The word a lemma stands for: a participle's lemma marks its suffix (rahasta=tud).
std::string Plain(std::string lemma) {
  std::erase(lemma, '=');
  return lemma;
}

TEST(SecondAdjectiveBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf("adjectives2.txt");
  EXPECT_GT(entries.size(), 80u);
  std::set<std::string> seen;  // lemma + part of speech
  std::size_t nouns = 0;
  for (const auto& [n, e] : entries) {
    const std::string shown = "adjectives2.txt:" + std::to_string(n) + ": " + vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_TRUE(e.pos == 'A' || e.pos == 'C' || e.pos == 'S') << shown;
    nouns += e.pos == 'S';
    EXPECT_TRUE(seen.insert(e.lemma + " " + e.pos).second) << shown << " listed twice";
    if (StemOf(e, vormik::kWord) == e.lemma) {  // indeclinable: the word alone
      EXPECT_EQ(e.pos, 'A') << shown;
      EXPECT_EQ(e.stems.size(), 1u) << shown;
      continue;
    }
    EXPECT_EQ(StemOf(e, vormik::kNom), Plain(e.lemma)) << shown;
    EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << shown << " has no genitive";
    EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << shown << " has no partitive";
    if (e.pos == 'S') continue;  // a mass noun may have no plural
    EXPECT_FALSE(StemOf(e, vormik::kPlGen).empty()) << shown << " has no plural genitive";
    EXPECT_FALSE(StemOf(e, vormik::kPlPart).empty()) << shown << " has no plural partitive";
    // A comparative ends in -m and is declined on -ma.
    if (e.pos == 'C') {
      EXPECT_EQ(e.lemma.back(), 'm') << shown;
      EXPECT_EQ(StemOf(e, vormik::kGen), e.lemma + "a") << shown;
    }
  }
  // Nouns only stand beside the adjectives whose stems would hide them.
  EXPECT_LE(nouns, 3u);
  for (const char* other : {"adjectives.txt", "frequent.txt", "frequent2.txt", "frequent3.txt", "frequent4.txt",
                            "frequent5.txt", "nominals.txt", "names.txt", "names2.txt", "pronouns.txt",
                            "numerals.txt", "adverbs.txt", "function.txt", "verbs.txt", "verbs2.txt", "verbs3.txt",
                            "firstparts.txt", "informal.txt", "informal2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(seen.count(e.lemma + " " + e.pos), 0u)
          << vaarikas::Cp1257ToUtf8(e.lemma) << " " << e.pos << " is also in " << other << ":" << n;
}

// The compiled dictionary reads each listed stem as the entry's word in its
// case, and the indeclinable päris as the adjective with no case.
TEST(SecondAdjectiveBatch, EveryStemAnalysesAsItsCase) {
  vormik_test::ExpectStemsAnalyse("adjectives2.txt", {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "},
                                                      {vormik::kPart, "sg p, "}, {vormik::kPlGen, "pl g, "},
                                                      {vormik::kPlPart, "pl p, "}});
  for (const auto& [n, e] : EntriesOf("adjectives2.txt")) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    const std::string gen = vaarikas::Cp1257ToUtf8(StemOf(e, vormik::kGen));
    if (e.pos == 'S' || gen.empty()) continue;
    // The plural nominative is made on the genitive stem.
    EXPECT_TRUE(Has(ReadingsOf(gen + "d", lemma, e.pos), "pl n, "))
        << "adjectives2.txt:" << n << ": " << gen << "d:\n" << An(gen + "d");
  }
  EXPECT_TRUE(Has(ReadingsOf("päris", "päris", 'A'), "päris+0 //_A_ //")) << An("päris");
}

// Oblique cases are built on the listed stems, and the -lt form of an adjective
// reads as an adverb first.
TEST(SecondAdjectiveBatch, CasesAreMadeOnTheListedStems) {
  // Once read on a made-up lemma or not at all.
  EXPECT_TRUE(Has(An("paraja"), "paras+0 //_A_ sg g, //"));
  EXPECT_FALSE(Has(An("paraja"), "paraja+0"));
  EXPECT_TRUE(Has(An("parajal"), "paras+l //_A_ sg ad, //"));
  EXPECT_TRUE(Has(An("hoogsalt"), "hoogsalt+0 //_D_ //"));
  EXPECT_TRUE(Has(An("hoogsalt"), "hoogne+lt //_A_ sg abl, //"));
  EXPECT_TRUE(Has(An("uhiuues"), "uhiuus+s //_A_ sg in, //"));
  EXPECT_TRUE(Has(An("väärale"), "väär+le //_A_ sg all, //"));
  EXPECT_TRUE(Has(An("kirkas"), "kirgas+s //_A_ sg in, //"));
  EXPECT_TRUE(Has(An("trendikatele"), "trendikas+le //_A_ pl all, //"));
  EXPECT_TRUE(Has(An("arrogantsetes"), "arrogantne+s //_A_ pl in, //"));
  // -tu adjectives, not a participle's genitive alone.
  EXPECT_TRUE(Has(An("vallatu"), "vallatu+0 //_A_ sg n, sg g, //"));
  EXPECT_TRUE(Has(An("vallatu"), "valla=tud+0 //_A_ sg g, //"));
  EXPECT_TRUE(Has(An("kättesaamatuks"), "kättesaamatu+ks //_A_ sg tr, //"));
  // Comparatives, including one the list took for a positive.
  EXPECT_EQ(An("hullem"), "hullem\n    hullem+0 //_C_ sg n, //\n");
  EXPECT_TRUE(Has(An("hullemaks"), "hullem+ks //_C_ sg tr, //"));
  EXPECT_TRUE(Has(An("haavatavamad"), "haavatavam+d //_C_ pl n, //"));
  // Participles of hand-written verbs: the adjective beside the verb form.
  EXPECT_TRUE(Has(An("ebaõnnestunud"), "ebaõnnestu=nud+0 //_A_ sg n, //"));
  EXPECT_TRUE(Has(An("ebaõnnestunud"), "ebaõnnestu+nud //_V_ nud, //"));
  EXPECT_TRUE(Has(An("rahastatud"), "rahasta=tud+0 //_A_ sg n, //"));
  EXPECT_TRUE(Has(An("rahastatud"), "rahasta+ud //_V_ tud, //"));
  EXPECT_TRUE(Has(An("renoveeritud"), "renoveeri=tud+d //_A_ pl n, //"));
}

// Plural forms that the entries of the earlier batches lacked: the plural
// genitive kallite beside kalliste, kaunite and kauneid, and the -u plural
// partitives of õrn, kõhn and lõtv (once read only as made-up verb forms).
TEST(SecondAdjectiveBatch, PluralsOfEarlierAdjectives) {
  EXPECT_TRUE(Has(An("kallite"), "kallis+0 //_A_ pl g, //"));
  EXPECT_TRUE(Has(An("kalliste"), "kallis+0 //_A_ pl g, //"));
  EXPECT_TRUE(Has(An("kallitele"), "kallis+le //_A_ pl all, //"));
  EXPECT_TRUE(Has(An("kaunite"), "kaunis+0 //_A_ pl g, //"));
  EXPECT_TRUE(Has(An("kauneid"), "kaunis+0 //_A_ pl p, //"));
  EXPECT_TRUE(Has(An("õrnu"), "õrn+0 //_A_ pl p, //"));
  EXPECT_TRUE(Has(An("kõhnu"), "kõhn+0 //_A_ pl p, //"));
  EXPECT_TRUE(Has(An("lõtvu"), "lõtv+0 //_A_ pl p, //"));
}

// The words beside the new stems keep their readings: the inessive of sünd
// beside sünnis, the participle määratud beside määratu, the noun joobnu, the
// -us nouns once read as compounds, and the adverb päris.
TEST(SecondAdjectiveBatch, OtherReadingsStay) {
  EXPECT_TRUE(Has(An("sünnis"), "sünd+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("sünnis"), "sünnis+0 //_A_ sg n, //"));
  EXPECT_TRUE(Has(An("määratu"), "määra=tud+0 //_A_ sg g, //"));
  EXPECT_TRUE(Has(An("joobnud"), "joobnud+0 //_A_ sg n, //"));
  EXPECT_TRUE(Has(An("joobnud"), "joobnu+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("joobnuga"), "joobnu+ga //_S_ sg kom, //"));
  EXPECT_TRUE(Has(An("vägivallatus"), "vägivallatus+0 //_S_ sg n, //"));
  EXPECT_TRUE(Has(An("üleannetust"), "üleannetus+0 //_S_ sg p, //"));
  EXPECT_TRUE(Has(An("päris"), "päris+0 //_D_ //"));
  // täis and tasuta, left out, get no adjective reading.
  EXPECT_FALSE(Has(An("täis"), "//_A_"));
  EXPECT_TRUE(Has(An("tasuta"), "tasu+ta //_S_ sg ab, //"));
  EXPECT_FALSE(Has(An("tasuta"), "//_A_"));
}

}  // namespace
