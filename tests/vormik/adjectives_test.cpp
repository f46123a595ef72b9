// Adjectives the word list reads as nouns only or lacks: -mine words of
// position, -ne words of time, place and language, -tu and -lik words, short
// stems with a changing consonant or vowel and the indeclinable eri and
// valmis analyse as adjectives in every listed case, and their cases are made
// on the listed stems; the source lines parse, no lemma is listed twice with
// one part of speech, here or in another source file; the noun of a word
// that is both keeps its line, and the words left out keep their own reading.
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
using vormik_test::ReadingsOf;
using vormik_test::StemOf;

TEST(Adjectives, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf("adjectives.txt");
  EXPECT_GT(entries.size(), 120u);
  std::set<std::string> seen;  // lemma + part of speech
  for (const auto& [n, e] : entries) {
    const std::string shown = "adjectives.txt:" + std::to_string(n) + ": " + vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_TRUE(e.pos == 'A' || e.pos == 'C' || e.pos == 'S') << shown;
    EXPECT_TRUE(seen.insert(e.lemma + " " + e.pos).second) << shown << " listed twice";
    if (StemOf(e, vormik::kWord) == e.lemma) {  // indeclinable: the word alone
      EXPECT_EQ(e.stems.size(), 1u) << shown;
      continue;
    }
    EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << shown;
    for (vormik::StemClass cls : {vormik::kGen, vormik::kPart, vormik::kPlGen, vormik::kPlPart})
      EXPECT_FALSE(StemOf(e, cls).empty()) << shown << " lacks a principal part";
    // A comparative ends in -m and is declined on -ma.
    if (e.pos == 'C') {
      EXPECT_EQ(e.lemma.back(), 'm') << shown;
      EXPECT_EQ(StemOf(e, vormik::kGen), e.lemma + "a") << shown;
    }
  }
  for (const char* other : {"frequent.txt", "frequent2.txt", "frequent3.txt", "frequent4.txt", "nominals.txt",
                            "names.txt", "pronouns.txt", "numerals.txt", "adverbs.txt", "function.txt",
                            "verbs.txt", "firstparts.txt", "informal.txt", "adjectives2.txt", "frequent6.txt", "frequent7.txt"})
    for (const auto& [n, e] : EntriesOf(other))
      EXPECT_EQ(seen.count(e.lemma + " " + e.pos), 0u)
          << vaarikas::Cp1257ToUtf8(e.lemma) << " " << e.pos << " is also in " << other << ":" << n;
}

// The compiled dictionary reads each listed stem as the entry's word in its
// case, and an indeclinable word as the adjective with no case.
TEST(Adjectives, EveryStemAnalysesAsItsCase) {
  vormik_test::ExpectStemsAnalyse("adjectives.txt", {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                                                     {vormik::kPlGen, "pl g, "}, {vormik::kPlPart, "pl p, "}});
  for (const auto& [n, e] : EntriesOf("adjectives.txt")) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    for (const vormik::Stem& st : e.stems) {
      if (st.cls != vormik::kWord) continue;
      const std::string word = vaarikas::Cp1257ToUtf8(st.text);
      EXPECT_TRUE(Has(ReadingsOf(word, lemma, e.pos), lemma + "+0 //_" + e.pos + "_ //"))
          << "adjectives.txt:" << n << ": " << An(word);
    }
  }
}

TEST(Adjectives, CasesAreMadeOnTheListedStems) {
  // Position and time: once nouns only, or unknown.
  EXPECT_EQ(An("sisemine"), "sisemine\n    sisemine+0 //_A_ sg n, //\n");
  EXPECT_TRUE(Has(An("alumisel"), "alumine+l //_A_ sg ad, //"));
  EXPECT_TRUE(Has(An("ülemistele"), "ülemine+le //_A_ pl all, //"));
  EXPECT_TRUE(Has(An("välimisi"), "välimine+0 //_A_ pl p, //"));
  EXPECT_TRUE(Has(An("seekordsel"), "seekordne+l //_A_ sg ad, //"));
  EXPECT_TRUE(Has(An("tolleaegsetes"), "tolleaegne+s //_A_ pl in, //"));
  EXPECT_TRUE(Has(An("eestikeelses"), "eestikeelne+s //_A_ sg in, //"));
  EXPECT_TRUE(Has(An("teispoolsesse"), "teispoolne+sse //_A_ sg ill, //"));
  // -tu words: the nominative, not a participle's genitive alone.
  EXPECT_TRUE(Has(An("hooletu"), "hooletu+0 //_A_ sg n, sg g, //"));
  EXPECT_TRUE(Has(An("armutuid"), "armutu+0 //_A_ pl p, //"));
  // Short stems with a changing consonant or vowel, and their comparatives.
  EXPECT_TRUE(Has(An("habrad"), "habras+d //_A_ pl n, //"));
  EXPECT_TRUE(Has(An("habrastes"), "habras+s //_A_ pl in, //"));
  EXPECT_TRUE(Has(An("napil"), "napp+l //_A_ sg ad, //"));
  EXPECT_TRUE(Has(An("nappe"), "napp+0 //_A_ pl p, //"));
  EXPECT_TRUE(Has(An("hoolsatele"), "hoolas+le //_A_ pl all, //"));
  EXPECT_TRUE(Has(An("virkadest"), "virk+st //_A_ pl el, //"));
  EXPECT_TRUE(Has(An("apla"), "ablas+0 //_A_ sg g, //"));
  EXPECT_TRUE(Has(An("loiu"), "loid+0 //_A_ sg g, //"));
  EXPECT_TRUE(Has(An("habrama"), "habram+0 //_C_ sg g, //"));
  EXPECT_TRUE(Has(An("napimat"), "napim+0 //_C_ sg p, //"));
  // A comparative line takes the place of the noun and positive the word
  // list made of it.
  EXPECT_EQ(An("lahjem"), "lahjem\n    lahjem+0 //_C_ sg n, //\n");
  EXPECT_EQ(An("virgem"), "virgem\n    virgem+0 //_C_ sg n, //\n");
}

// The noun of a word that is both keeps its line, a word whose adverb is in
// another source keeps the adverb, and the words left out keep their own
// reading with no adjective of that lemma.
TEST(Adjectives, OtherReadingsStay) {
  EXPECT_TRUE(Has(An("eakad"), "eakas+d //_A_ pl n, //"));
  EXPECT_TRUE(Has(An("eakad"), "eakas+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("jube"), "jube+0 //_D_ //"));
  EXPECT_TRUE(Has(An("jubedat"), "jube+0 //_A_ sg p, //"));
  EXPECT_TRUE(Has(An("valmis"), "valmis+0 //_D_ //"));
  EXPECT_TRUE(Has(An("valmis"), "valmis+0 //_A_ //"));
  EXPECT_TRUE(Has(An("eri"), "eri+0 //_A_ //"));
  EXPECT_FALSE(Has(An("eri"), "eri+0 //_S_"));
  EXPECT_TRUE(Has(An("kasin"), "kasi+n //_V_ n, //"));
  EXPECT_TRUE(Has(An("kitsi"), "kits+0 //_S_ pl p, //"));
  // vali "loud" would stand beside the imperative of valima, maine "earthly"
  // beside maine "reputation", täiskasvanud beside the noun's plural.
  EXPECT_TRUE(Has(An("vali"), "vali+0 //_V_ o, //"));
  EXPECT_FALSE(Has(An("vali"), "//_A_"));
  EXPECT_TRUE(Has(An("maine"), "maine+0 //_S_ sg n, sg g, //"));
  EXPECT_FALSE(Has(An("maine"), "//_A_"));
  EXPECT_TRUE(Has(An("täiskasvanud"), "täiskasvanu+d //_S_ pl n, //"));
  EXPECT_FALSE(Has(An("täiskasvanud"), "täiskasvanud+0 //_A_"));
  // nadi "bad" has its own stem now: the pronoun nad is no adjective.
  EXPECT_EQ(An("nad"), "nad\n    tema+0 //_P_ pl n, //\n");
}

// No -jas adjectives of shape are listed: the guesser, which learns endings
// from the dictionary, keeps reading an unknown -ja inessive as one.
TEST(Adjectives, GuesserKeepsJaInessives) {
  const std::string a = An("trükikojas", false, true);
  EXPECT_TRUE(Has(a, "//_S_ sg in, //")) << a;
  EXPECT_FALSE(Has(a, "//_A_")) << a;
}

}  // namespace
