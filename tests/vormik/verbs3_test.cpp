// Verbs of the third hand-written batch (verbs3.txt): the source lines parse,
// no verb is listed twice or in another source file, every form the entry
// makes reads as that verb with its code, and the forms left to a noun keep
// the noun alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/vormik/analysis_helpers.h"
#include "common/encoding.h"
#include "vormik/lexicon.h"

namespace {

using vormik_test::An;
using vormik_test::EntriesOf;
using vormik_test::Has;
using vormik_test::ReadingsOf;

const char kFile[] = "verbs3.txt";

bool EndsInVowel(const std::string& s) {
  return !s.empty() && std::string("aeiou\xE4\xF5\xF6\xFC").find(s.back()) != std::string::npos;
}

// The entry's forms with `code` ("ma, ", "b, ", ...), made from its stems and
// full forms as the analyser makes them (Windows-1257).
std::vector<std::string> FormsWithCode(const vormik::LexEntry& e, const std::string& code) {
  std::vector<std::string> out;
  for (const vormik::Stem& st : e.stems) {
    if (st.cls == vormik::kFixed) {
      if (Has(" " + st.codes, " " + code)) out.push_back(st.text);
      continue;
    }
    const auto add = [&](vormik::StemClass cls, const char* c, const std::string& ending) {
      if (st.cls == cls && code == c) out.push_back(st.text + ending);
    };
    add(vormik::kMa, "ma, ", "ma");
    add(vormik::kMa, "mata, ", "mata");
    add(vormik::kMa, "mas, ", "mas");
    if (EndsInVowel(st.text)) add(vormik::kMa, "v, ", "v");
    add(vormik::kDa, "da, ", "");
    add(vormik::kDes, "des, ", "");
    add(vormik::kPres, "b, ", "b");
    add(vormik::kPres, "n, ", "n");
    add(vormik::kPres, "vad, ", "vad");
    add(vormik::kPres, "o, ", "");
    add(vormik::kPres, "ks, ", "ks");
    if (EndsInVowel(st.text)) add(vormik::kPastS, "s, ", "s");
    add(vormik::kPastS, "sid, ", "sid");
    add(vormik::kNud, "nud, ", "nud");
    add(vormik::kImp, "ge, ", "e");
    add(vormik::kImps, "tud, ", "ud");
    add(vormik::kTa, "takse, ", "kse");
  }
  return out;
}

const char* const kCodes[] = {"ma, ", "mata, ", "mas, ", "v, ",  "da, ",  "des, ", "b, ",     "n, ",
                              "vad, ", "o, ",    "ks, ",  "s, ",  "sid, ", "nud, ", "ge, ", "tud, ", "takse, "};

TEST(ThirdVerbBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf(kFile);
  EXPECT_GT(entries.size(), 15u);
  std::set<std::string> lemmas;
  for (const auto& [n, e] : entries) {
    const std::string shown = vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_EQ(e.pos, 'V') << kFile << ":" << n << ": " << shown;
    EXPECT_TRUE(e.lemma.size() > 2 && e.lemma.compare(e.lemma.size() - 2, 2, "ma") == 0)
        << kFile << ":" << n << ": " << shown << " is not a ma-form";
    for (const char* code : {"ma, ", "da, ", "b, ", "nud, "})
      EXPECT_FALSE(FormsWithCode(e, code).empty()) << kFile << ":" << n << ": " << shown << " has no " << code << "form";
    EXPECT_TRUE(lemmas.insert(e.lemma).second) << kFile << ":" << n << ": " << shown << " listed twice";
  }
  const std::filesystem::path dir = std::filesystem::path(VAARIKAS_SOURCE_DIR) / "data" / "vormik";
  for (const auto& de : std::filesystem::directory_iterator(dir)) {
    const std::string name = de.path().filename().string();
    if (de.path().extension() != ".txt" || name == kFile) continue;
    for (const auto& [n, e] : EntriesOf(name))
      EXPECT_EQ(lemmas.count(e.lemma), 0u) << vaarikas::Cp1257ToUtf8(e.lemma) << " is also in " << name << ":" << n;
  }
}

// The compiled dictionary reads every form an entry makes as that verb with
// its code, without guessing.
TEST(ThirdVerbBatch, EveryFormAnalysesAsTheVerb) {
  for (const auto& [n, e] : EntriesOf(kFile)) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma.substr(0, e.lemma.size() - 2));
    for (const char* code : kCodes)
      for (const std::string& form : FormsWithCode(e, code)) {
        const std::string word = vaarikas::Cp1257ToUtf8(form);
        EXPECT_TRUE(Has(ReadingsOf(word, lemma, 'V'), std::string(" ") + code))
            << kFile << ":" << n << ": " << word << " is not " << code << "of " << lemma << ":\n" << An(word);
      }
  }
}

// Stems the regular rules would get wrong: the contracted da-infinitive of
// kisklema, the gradation of teipima, and -uma verbs without an impersonal.
TEST(ThirdVerbBatch, StemsOfTheirOwn) {
  EXPECT_TRUE(Has(An("kiskelda"), "kiskle+0 //_V_ da, ta, //"));
  EXPECT_TRUE(Has(An("kiskelnud"), "kiskle+nud //_V_ nud, //"));
  EXPECT_TRUE(Has(An("kiskelge"), "kiskle+e //_V_ ge, //"));
  EXPECT_TRUE(Has(An("kiskeldakse"), "kiskle+kse //_V_ takse, //"));
  EXPECT_TRUE(Has(An("kiskleb"), "kiskle+b //_V_ b, //"));
  EXPECT_FALSE(Has(An("kiskleda"), "//_V_"));
  EXPECT_TRUE(Has(An("teibib"), "teipi+b //_V_ b, //"));
  EXPECT_TRUE(Has(An("teipis"), "teipi+s //_V_ s, //"));
  EXPECT_TRUE(Has(An("teibitud"), "teipi+ud //_V_ tud, //"));
  EXPECT_FALSE(Has(An("teipib"), "//_V_"));
  EXPECT_TRUE(Has(An("tšekib"), "tšekki+0 //_V_ b, //"));
  EXPECT_TRUE(Has(An("tšekkis"), "tšekki+s //_V_ s, //"));
  EXPECT_TRUE(Has(An("tšekitakse"), "tšekki+kse //_V_ takse, //"));
  EXPECT_TRUE(Has(An("libastus"), "libastu+s //_V_ s, //"));
  EXPECT_FALSE(Has(An("libastutakse"), "//_V_"));
  EXPECT_FALSE(Has(An("distantseerutud"), "//_V_"));
  EXPECT_TRUE(Has(An("vormindatud"), "vorminda+ud //_V_ tud, //"));
  EXPECT_TRUE(Has(An("krüpteeritakse"), "krüpteeri+kse //_V_ takse, //"));
}

// A verb on a noun's stem leaves the noun's cases to the noun (blogis is
// the inessive of blogi, lingis that of link, tšeki the genitive of tšekk)
// and reads its other persons as the verb.
TEST(ThirdVerbBatch, FormsLeftToTheNoun) {
  for (const char* word : {"blogi", "blogis", "blogiks", "blogid", "lingi", "lingis", "lingiks", "lingid", "tšeki",
                           "tšekid", "tšekiks", "tuuni", "tuunis", "tuunid"})
    EXPECT_FALSE(Has(An(word), "//_V_")) << word << ":\n" << An(word);
  EXPECT_TRUE(Has(An("blogis"), "blogi+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("lingis"), "link+s //_S_ sg in, //"));
  EXPECT_TRUE(Has(An("tšekid"), "tšekk+d //_S_ pl n, //"));
  EXPECT_TRUE(Has(An("blogib"), "blogi+0 //_V_ b, //"));
  EXPECT_TRUE(Has(An("blogisin"), "blogi+0 //_V_ sin, //"));
  EXPECT_TRUE(Has(An("lingivad"), "lingi+0 //_V_ vad, //"));
  EXPECT_TRUE(Has(An("lingitud"), "lingi+ud //_V_ tud, //"));
  EXPECT_TRUE(Has(An("tuunisid"), "tuuni+0 //_V_ sid, //"));
  EXPECT_TRUE(Has(An("tuunida"), "tuuni+0 //_V_ da, //"));
}

}  // namespace
