// Helpers for the tests that analyse words with the compiled main
// dictionary (eesti.dct in the program directory).
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/encoding.h"
#include "vormik/analyser.h"
#include "vormik/dictionary.h"
#include "vormik/lexicon.h"
#include "vormik/vormik.h"

namespace vormik_test {

// The compiled main dictionary, loaded once for the whole test program.
inline const vormik::Dictionary& Main() {
  static vormik::Dictionary* d = [] {
    auto* dict = new vormik::Dictionary;
    EXPECT_EQ(dict->LoadCompiled(std::string(VAARIKAS_BIN_DIR) + "/eesti.dct"), VORMIK_OK);
    return dict;
  }();
  return *d;
}

// The analysis of a UTF-8 word, returned in UTF-8.
inline std::string An(const std::string& word, bool start = false, bool guess = false) {
  vormik::Analyser a(Main());
  vormik::TokenContext ctx;
  ctx.sentence_start = start;
  ctx.guess = guess;
  return vaarikas::Cp1257ToUtf8(a.Analyse(vaarikas::Utf8ToCp1257(word), ctx));
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The entries of one lexicon source file in data/vormik (Windows-1257, as the
// compiler reads them), each with its line number; every line must parse.
inline std::vector<std::pair<int, vormik::LexEntry>> EntriesOf(const std::string& file) {
  std::ifstream in(std::string(VAARIKAS_SOURCE_DIR) + "/data/vormik/" + file, std::ios::binary);
  EXPECT_TRUE(in) << file;
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::pair<int, vormik::LexEntry>> out;
  std::istringstream lines(vaarikas::Utf8ToCp1257(text.str()));
  std::string line;
  for (int n = 1; std::getline(lines, line); ++n) {
    vormik::LexEntry e;
    std::string error;
    EXPECT_TRUE(vormik::ParseLexLine(line, e, error)) << file << ":" << n << ": " << error;
    if (!e.lemma.empty()) out.emplace_back(n, std::move(e));
  }
  return out;
}

// The entry's first stem of a class, or "".
inline std::string StemOf(const vormik::LexEntry& e, vormik::StemClass cls) {
  for (const vormik::Stem& st : e.stems)
    if (st.cls == cls) return st.text;
  return {};
}

// The lines of `word`'s analysis that read `lemma` with part of speech `pos`.
inline std::string ReadingsOf(const std::string& word, const std::string& lemma, char pos) {
  std::string a = An(word), out;
  const std::string tag = std::string("//_") + pos + "_ ";
  std::size_t at = a.find("    " + lemma + "+");
  while (at != std::string::npos) {
    std::size_t end = a.find('\n', at);
    std::string line = a.substr(at, end - at);
    if (Has(line, tag)) out += line + "\n";
    at = a.find("    " + lemma + "+", end);
  }
  return out;
}

// Every stem of a source file's entries in one of the given classes analyses
// as the entry's word (lemma and part of speech) with that class's code.
inline void ExpectStemsAnalyse(const std::string& file,
                               std::initializer_list<std::pair<vormik::StemClass, const char*>> cases) {
  for (const auto& [n, e] : EntriesOf(file)) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    for (const vormik::Stem& st : e.stems)
      for (const auto& [cls, code] : cases) {
        if (st.cls != cls) continue;
        const std::string word = vaarikas::Cp1257ToUtf8(st.text);
        EXPECT_TRUE(Has(ReadingsOf(word, lemma, e.pos), code))
            << file << ":" << n << ": " << word << " is not " << code << "of " << lemma << ":\n" << An(word);
      }
  }
}

// A noun with plural forms only has no nominative stem: its lemma is its
// plural nominative, given as a full form.
inline bool PluralOnly(const vormik::LexEntry& e) { return StemOf(e, vormik::kNom).empty() && StemOf(e, vormik::kGen).empty(); }

// Every stem of a noun batch, the singular cases and the plural nominative
// built on its genitive stem, and the cases of a plural-only noun analyse as
// the entry's noun in that case.
inline void ExpectNounBatchAnalyses(const std::string& file) {
  ExpectStemsAnalyse(file, {{vormik::kNom, "sg n, "}, {vormik::kGen, "sg g, "}, {vormik::kPart, "sg p, "},
                            {vormik::kAdt, "adt, "}, {vormik::kPlGen, "pl g, "}, {vormik::kPlPart, "pl p, "}});
  const std::pair<const char*, const char*> sg[] = {{"s", "sg in, "}, {"st", "sg el, "}, {"le", "sg all, "}, {"l", "sg ad, "},
                                                    {"ks", "sg tr, "}, {"ga", "sg kom, "}, {"d", "pl n, "}};
  const std::pair<const char*, const char*> pl[] = {{"s", "pl in, "}, {"le", "pl all, "}, {"ga", "pl kom, "}};
  for (const auto& [n, e] : EntriesOf(file)) {
    const std::string lemma = vaarikas::Cp1257ToUtf8(e.lemma);
    if (PluralOnly(e)) {
      EXPECT_TRUE(Has(ReadingsOf(lemma, lemma, 'S'), "pl n, ")) << file << ":" << n << ":\n" << An(lemma);
      for (const auto& [ending, code] : pl) {
        const std::string word = vaarikas::Cp1257ToUtf8(StemOf(e, vormik::kPlGen)) + ending;
        EXPECT_TRUE(Has(ReadingsOf(word, lemma, 'S'), code))
            << file << ":" << n << ": " << word << " is not " << code << "of " << lemma << ":\n" << An(word);
      }
      continue;
    }
    for (const vormik::Stem& st : e.stems) {
      if (st.cls != vormik::kGen) continue;
      for (const auto& [ending, code] : sg) {
        // A mass noun listed without plural stems has no plural nominative.
        if (std::string(ending) == "d" && StemOf(e, vormik::kPlGen).empty()) continue;
        const std::string word = vaarikas::Cp1257ToUtf8(st.text) + ending;
        EXPECT_TRUE(Has(ReadingsOf(word, lemma, 'S'), code))
            << file << ":" << n << ": " << word << " is not " << code << "of " << lemma << ":\n" << An(word);
      }
    }
  }
}

}  // namespace vormik_test
