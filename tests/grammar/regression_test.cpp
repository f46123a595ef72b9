// Runs the regression corpus (corpus.txt, one sentence a line, Windows-1257)
// through `vaarikas analyse` with the shipped grammars and compares every
// word's syntactic function tags with expected.txt: one line per word, the
// word, a tab and its distinct @ tags in the order they appear; an empty line
// ends each sentence. A grammar edit that changes a tag shows up as a
// difference here; when the change is intended, expected.txt is updated.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ReadLines(const fs::path& p) {
  std::vector<std::string> out;
  std::ifstream in(p, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

// One line per word of the syntax result, as expected.txt has them.
std::vector<std::string> WordTags(const fs::path& snx) {
  std::vector<std::string> out;
  bool inWord = false;
  std::string word, tags;
  auto flush = [&] {
    if (inWord) out.push_back(word + "\t" + tags);
    inWord = false;
  };
  for (const std::string& line : ReadLines(snx)) {
    if (line.empty()) continue;
    if (line[0] != ' ') {
      flush();
      if (line == "$LA$") continue;
      if (line == "$LL$") {
        out.emplace_back();
        continue;
      }
      word = line;
      tags.clear();
      inWord = true;
      continue;
    }
    if (!inWord) continue;
    std::istringstream ws(line);
    std::string t;
    while (ws >> t) {
      if (t[0] != '@') continue;
      if ((" " + tags + " ").find(" " + t + " ") != std::string::npos) continue;
      if (!tags.empty()) tags += ' ';
      tags += t;
    }
  }
  flush();
  return out;
}

std::vector<std::string> RunCorpus(const std::string& grammar, const std::string& tag) {
  const fs::path src = fs::path(VAARIKAS_SOURCE_DIR) / "tests" / "grammar" / "corpus.txt";
  const fs::path work = fs::path(VAARIKAS_TEST_BIN_DIR) / ("grammar-regression-" + tag);
  fs::remove_all(work);
  fs::create_directories(work);
  const std::string cmd = std::string(VAARIKAS_BIN_DIR) +
                          "/vaarikas analyse --no-progress --encoding windows-1257 --heuristics 1 --grammar " +
                          grammar + " --workdir \"" + work.string() + "\" \"" + src.string() + "\" > /dev/null 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
  return WordTags(work / "source.snx");
}

void Compare(const std::vector<std::string>& got, const std::vector<std::string>& want) {
  ASSERT_EQ(got.size(), want.size()) << "the corpus was tokenised differently";
  int diffs = 0;
  for (size_t i = 0; i < want.size(); ++i) {
    if (got[i] != want[i]) {
      ++diffs;
      ADD_FAILURE() << "line " << i + 1 << ": expected \"" << want[i] << "\", got \"" << got[i] << "\"";
    }
  }
  EXPECT_EQ(diffs, 0);
}

TEST(GrammarRegression, FunctionsOfTheCorpus) {
  const fs::path dir = fs::path(VAARIKAS_SOURCE_DIR) / "tests" / "grammar";
  Compare(RunCorpus("grammar.rle", "full"), ReadLines(dir / "expected.txt"));
}

TEST(GrammarRegression, NounPhraseGrammarMarksOnlyPhrases) {
  const fs::path dir = fs::path(VAARIKAS_SOURCE_DIR) / "tests" / "grammar";
  const std::vector<std::string> got = RunCorpus("pgrammar.rle", "phrases");
  Compare(got, ReadLines(dir / "expected-phrases.txt"));
  // No verb, conjunction or clause tag ever comes out of the phrase grammar.
  for (const std::string& l : got)
    for (const char* t : {"@FMV", "@FCV", "@IMV", "@ICV", "@NEG", "@J", "@???"})
      EXPECT_EQ((l + " ").find(std::string(t) + " "), std::string::npos) << l;
}

}  // namespace
