// The second batch of informal vocabulary (informal2.txt): chat and spoken
// spellings of frequent words read as the standard word, chat words written
// as one token, slang nouns and verbs and more brand names. The source lines
// parse, a word of its own is listed once and in no other source file, a line
// that only adds spellings names a word with an entry elsewhere (otherwise
// the compiler would stop deriving that word), every listed stem and form
// analyses as the entry's word in its case or form, and the words that share
// a spelling with the new forms keep their own reading.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
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
using vormik_test::StemOf;

const char kFile[] = "informal2.txt";

// A line of other spellings only: none of its items gives the lemma itself
// (W:ikke under ikka, F:miskit under miski, N:pizza under pitsa).
bool AddsSpellingsOnly(const vormik::LexEntry& e) {
  for (const vormik::Stem& st : e.stems) {
    if ((st.cls == vormik::kNom || st.cls == vormik::kWord) && st.text == e.lemma) return false;
    if (st.cls == vormik::kMa && st.text + "ma" == e.lemma) return false;
  }
  return true;
}

// The lower-case lemmas of every other source file, with the file they are in.
std::map<std::string, std::string> OtherLemmas() {
  std::map<std::string, std::string> out;
  const std::filesystem::path dir = std::filesystem::path(VAARIKAS_SOURCE_DIR) / "data" / "vormik";
  for (const auto& de : std::filesystem::directory_iterator(dir)) {
    const std::string name = de.path().filename().string();
    if (de.path().extension() != ".txt" || name == kFile) continue;
    for (const auto& [n, e] : EntriesOf(name)) {
      bool first_only = true;
      for (const vormik::Stem& st : e.stems) first_only = first_only && st.cls == vormik::kFirst;
      if (!first_only) out.emplace(vormik::Lower1257(e.lemma), name + ":" + std::to_string(n));
    }
  }
  return out;
}

TEST(SecondInformalBatch, EveryEntryIsWellFormedAndListedOnce) {
  auto entries = EntriesOf(kFile);
  EXPECT_GT(entries.size(), 75u);
  const std::map<std::string, std::string> others = OtherLemmas();
  std::set<std::string> seen, own;
  for (const auto& [n, e] : entries)
    if (!AddsSpellingsOnly(e)) own.insert(vormik::Lower1257(e.lemma));
  for (const auto& [n, e] : entries) {
    const std::string where = std::string(kFile) + ":" + std::to_string(n) + ": " + vaarikas::Cp1257ToUtf8(e.lemma);
    EXPECT_NE(std::string("HIDPSAVJ").find(e.pos), std::string::npos) << where;
    const std::string key = vormik::Lower1257(e.lemma);
    if (AddsSpellingsOnly(e)) {
      EXPECT_TRUE(others.count(key) || own.count(key)) << where << " adds spellings to a word no source lists";
      continue;
    }
    EXPECT_TRUE(seen.insert(key).second) << where << " listed twice";
    if (others.count(key)) ADD_FAILURE() << where << " is also in " << others.at(key);
    if (e.pos == 'S' || e.pos == 'A' || e.pos == 'H' || e.pos == 'P') {
      EXPECT_EQ(StemOf(e, vormik::kNom), e.lemma) << where;
      EXPECT_FALSE(StemOf(e, vormik::kGen).empty()) << where << " has no genitive";
      EXPECT_FALSE(StemOf(e, vormik::kPart).empty()) << where << " has no partitive";
    }
    if (e.pos == 'V') {
      EXPECT_EQ(StemOf(e, vormik::kMa) + "ma", e.lemma) << where;
      for (vormik::StemClass c : {vormik::kPres, vormik::kDa, vormik::kPastS, vormik::kNud, vormik::kImp,
                                  vormik::kImps, vormik::kTa})
        EXPECT_FALSE(StemOf(e, c).empty()) << where << " lacks a stem";
    }
  }
}

// Each other spelling and full form reads as the standard word with its
// codes, each uninflected word as itself, each noun stem in its case and
// each verb's key forms as the verb.
TEST(SecondInformalBatch, EveryFormAnalysesAsItsWord) {
  for (const auto& [n, e] : EntriesOf(kFile)) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    const std::string verb = e.pos == 'V' ? lemma.substr(0, lemma.size() - 2) : lemma;
    for (const vormik::Stem& st : e.stems) {
      const std::string text = vaarikas::Cp1257ToUtf8(st.text);
      if (st.cls == vormik::kWord) {
        EXPECT_FALSE(ReadingsOf(text, lemma, e.pos).empty()) << kFile << ":" << n << ":\n" << An(text);
      }
      if (st.cls == vormik::kFixed) {
        EXPECT_TRUE(Has(ReadingsOf(text, verb, e.pos), vaarikas::Cp1257ToUtf8(st.codes)))
            << kFile << ":" << n << ": " << text << " is not " << st.codes << "of " << lemma << ":\n" << An(text);
      }
      if (e.pos != 'V') continue;
      const std::pair<vormik::StemClass, std::pair<const char*, const char*>> forms[] = {
          {vormik::kMa, {"ma", "ma, "}},   {vormik::kPres, {"b", "b, "}},    {vormik::kDa, {"", "da, "}},
          {vormik::kPastS, {"s", "s, "}},  {vormik::kNud, {"nud", "nud, "}}, {vormik::kImps, {"ud", "tud, "}},
          {vormik::kTa, {"kse", "takse, "}}};
      for (const auto& [cls, form] : forms) {
        if (st.cls != cls) continue;
        const std::string word = text + form.first;
        EXPECT_TRUE(Has(ReadingsOf(word, verb, 'V'), form.second))
            << kFile << ":" << n << ": " << word << " is not " << form.second << "of " << lemma << ":\n" << An(word);
      }
    }
  }
  vormik_test::ExpectStemsAnalyse(kFile, {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                                          {vormik::kAdt, "adt, "}, {vormik::kPlPart, "pl p, "}});
}

TEST(SecondInformalBatch, ChatSpellingsReadAsTheStandardWord) {
  EXPECT_EQ(An("nkn"), "nkn\n    niikuinii+0 //_D_ //\n");
  EXPECT_EQ(An("kudas"), "kudas\n    kuidas+0 //_D_ //\n");
  EXPECT_EQ(An("igastahes"), "igastahes\n    igatahes+0 //_D_ //\n");
  EXPECT_EQ(An("miskit"), "miskit\n    miski+0 //_P_ sg p, //\n");
  EXPECT_EQ(An("ses"), "ses\n    see+0 //_P_ sg in, //\n");
  EXPECT_EQ(An("persse"), "persse\n    perse+0 //_S_ adt, //\n");
  // The standard word's own reading stays beside the spoken one.
  EXPECT_TRUE(Has(An("ikke"), "ikka+0 //_D_ //"));
  EXPECT_TRUE(Has(An("ikke"), "ike+0 //_S_ sg g, //"));
  EXPECT_TRUE(Has(An("vaat"), "vaata+0 //_V_ o, //"));
  EXPECT_TRUE(Has(An("vaat"), "vaat+0 //_S_ sg n, //"));
  EXPECT_TRUE(Has(An("haha"), "haha+0 //_I_ //"));
  EXPECT_TRUE(Has(An("haha"), "hahk+0 //_S_ sg g, //"));
  // perse is written out whole: the word list's forms stay.
  EXPECT_TRUE(Has(An("perseid"), "perse+0 //_S_ pl p, //"));
  EXPECT_TRUE(Has(An("perses"), "perse+s //_S_ sg in, //"));
}

TEST(SecondInformalBatch, SlangDeclinesAndConjugates) {
  EXPECT_EQ(An("kutiga"), "kutiga\n    kutt+ga //_S_ sg kom, //\n");
  EXPECT_EQ(An("mäkis"), "mäkis\n    mäkk+s //_S_ sg in, //\n");
  EXPECT_TRUE(Has(An("pesukasse"), "pesukas+sse //_S_ sg ill, //"));
  EXPECT_TRUE(Has(An("levelil"), "level+l //_S_ sg ad, //"));
  EXPECT_EQ(An("tšillisin"), "tšillisin\n    tšilli+sin //_V_ sin, //\n");
  EXPECT_TRUE(Has(An("laikis"), "laiki+s //_V_ s, //"));
  EXPECT_TRUE(Has(An("fännatakse"), "fänna+kse //_V_ takse, //"));
  EXPECT_TRUE(Has(An("googeldada"), "googelda+0 //_V_ da, //"));
  EXPECT_TRUE(Has(An("Audiga"), "Audi+ga //_H_ sg kom, //"));
  EXPECT_TRUE(Has(An("Instas"), "Insta+s //_H_ sg in, //"));
  // The source language's spelling of a loan word declines as the Estonian one.
  EXPECT_EQ(An("pizzaga"), "pizzaga\n    pitsa+ga //_S_ sg kom, //\n");
  EXPECT_EQ(An("sushit"), "sushit\n    suši+0 //_S_ sg p, //\n");
}

// Forms left out on purpose: mäkke is the illative of mägi, not a plural of
// mäkk, and mail stays the adessive of mai (e-mail is not listed).
TEST(SecondInformalBatch, StandardWordsKeepTheirForms) {
  EXPECT_FALSE(Has(An("mäkke"), "mäkk+"));
  EXPECT_FALSE(Has(An("mail"), "mail+0"));
  EXPECT_TRUE(Has(An("mail"), "mai+l //_S_ sg ad, //"));
}

}  // namespace
