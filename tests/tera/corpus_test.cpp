// The shipped tables and automaton on a corpus of our own sentences, as
// Windows-1257 (the pipeline's form) and as UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"
#include "tera_process.h"

namespace vaarikas::tera {
namespace {

using testing::kData;
using testing::ReadFile;
using testing::RunTera;
using testing::ScratchDir;
using testing::WriteFile;

const std::string kCorpus = std::string(VAARIKAS_SOURCE_DIR) + "/tests/tera/corpus/";

TEST(TeraCorpus, Utf8Text) {
  ScratchDir d;
  WriteFile(d / "laused.txt", ReadFile(kCorpus + "sentences.txt"));
  auto r = RunTera({"-k", kData, "-c", "utf8.cnv", "laused.txt"}, d.path());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadFile(d / "laused.lal"), ReadFile(kCorpus + "sentences.expected.lal"));
}

TEST(TeraCorpus, Windows1257TextAsThePipelineWritesIt) {
  ScratchDir d;
  // The exported source ends in a zero byte.
  WriteFile(d / "source.nps", Utf8ToCp1257(ReadFile(kCorpus + "sentences.txt")) + std::string(1, '\0'));
  auto r = RunTera({"-k", kData, d / "source.nps"}, d.path());
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(ReadFile(d / "source.lal"), Utf8ToCp1257(ReadFile(kCorpus + "sentences.expected.lal")));
}

TEST(TeraCorpus, EveryTokenComesBackAsItWasWritten) {
  // With an automaton that writes every token on its own line, the tokens
  // spell the text again, letter for letter, in both encodings.
  ScratchDir d;
  WriteFile(d / "all.fst", "2 32 0 1* 0 0=2/0;3=0/1*");
  const std::string utf8 = ReadFile(kCorpus + "sentences.txt") + " ÄÖÜÕŠŽ äöüõšž „x” ‹y› «z» €";
  WriteFile(d / "u.txt", utf8);
  WriteFile(d / "w.txt", Utf8ToCp1257(utf8));
  ASSERT_EQ(RunTera({"-k", d.path() + ":" + kData, "-f", "all.fst", "-c", "utf8.cnv", "u.txt"}, d.path()).status, 0);
  ASSERT_EQ(RunTera({"-k", d.path() + ":" + kData, "-f", "all.fst", "w.txt"}, d.path()).status, 0);
  const auto letters = [](std::string s) {
    std::string out;
    for (char c : s)
      if (c != ' ' && c != '\n') out.push_back(c);
    return out;
  };
  // The left double quote is read as the neutral quote; the corpus has one.
  std::string expected = letters(utf8);
  for (std::size_t p; (p = expected.find("\xE2\x80\x9C")) != std::string::npos;) expected.replace(p, 3, "\"");
  EXPECT_EQ(letters(ReadFile(d / "u.lal")), expected);
  EXPECT_EQ(letters(ReadFile(d / "w.lal")), Utf8ToCp1257(expected));
}

}  // namespace
}  // namespace vaarikas::tera
