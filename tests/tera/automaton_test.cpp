#include "tera/automaton.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace vaarikas::tera {
namespace {

struct Result {
  int status = -1;
  std::string out, msg;
};

// Runs an automaton (file text) over internal text with the identity table.
Result RunOn(const std::string& fst, const std::string& input) {
  Result r;
  Automaton a;
  std::string why;
  EXPECT_EQ(a.Parse(fst, &why), 0) << why;
  if (!why.empty()) return r;
  static const ConvTable identity;
  std::string copy = input.empty() ? std::string(" ") : input;
  std::FILE* f = fmemopen(copy.data(), copy.size(), "rb");
  Input in(f, identity);
  Tokenizer tokens(in);
  Output out(&r.out, identity);
  char* buf = nullptr;
  std::size_t len = 0;
  std::FILE* msg = open_memstream(&buf, &len);
  r.status = RunAutomaton(a, tokens, out, msg);
  std::fclose(msg);
  r.msg.assign(buf, len);
  std::free(buf);
  std::fclose(f);
  return r;
}

std::string ParseError(const std::string& fst) {
  Automaton a;
  std::string why;
  EXPECT_EQ(a.Parse(fst, &why), kErrAutomaton) << fst;
  return why;
}

const char* kEveryToken = "2 32\n0\n1*\n0 0=2/0;3=7/1*\n";

TEST(AutomatonFile, SmallExampleLoads) {
  Automaton a;
  ASSERT_EQ(a.Parse(kEveryToken), 0);
  EXPECT_EQ(a.state_count, 2);
  EXPECT_EQ(a.class_count, 32);
  EXPECT_EQ(a.initial, 0);
  EXPECT_TRUE(a.IsFinal(1));
  EXPECT_FALSE(a.IsFinal(0));
  ASSERT_TRUE(a.rows[0]);
  EXPECT_FALSE(a.rows[1]);
  ASSERT_TRUE((*a.rows[0])[3]);
  EXPECT_EQ((*a.rows[0])[3]->symbols, std::vector<unsigned char>{7});
  EXPECT_EQ((*a.rows[0])[3]->next, 1);
}

TEST(AutomatonFile, CommentsAndLayout) {
  Automaton a;
  std::string why;
  ASSERT_EQ(a.Parse("3 40# header words\n here ;\n0\n2,\n1 2*\n"
                    "0# first state ;\n 0=2,1/0# a comment +\n"
                    "   2/1# replaced ; 4=0/0*\n"
                    "0 3=7/2*\n",  // a later line for a state replaces the earlier one
                    &why),
            0)
      << why;
  EXPECT_TRUE(a.IsFinal(1) && a.IsFinal(2));
  ASSERT_TRUE(a.rows[0]);
  EXPECT_FALSE((*a.rows[0])[0]);
  EXPECT_TRUE((*a.rows[0])[3]);
}

TEST(AutomatonFile, PlusReplacesTheTransition) {
  Automaton a;
  ASSERT_EQ(a.Parse("7 32 0 6* 0 3=2/4+5/6*"), 0);
  EXPECT_EQ((*a.rows[0])[3]->symbols, std::vector<unsigned char>{5});
  EXPECT_EQ((*a.rows[0])[3]->next, 6);
}

TEST(AutomatonFile, BadFilesAreRejectedWithAReason) {
  EXPECT_EQ(ParseError(""), "rida 1: seisundite ja klasside arv puudub");
  EXPECT_EQ(ParseError("2 31 0 1* 0 0=2/0*"), "rida 1: klasside arv 31 ei ole vahemikus 32..256");
  EXPECT_EQ(ParseError("0 32 0 0*"), "rida 1: seisundite arv 0 ei ole vahemikus 1..65536");
  EXPECT_EQ(ParseError("2 32 2 1*"), "rida 1: algseisund 2 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 5*"), "rida 1: l'oppseisund 5 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1"), "rida 1: l'oppseisundite loend ei l'oppe '*'-ga");
  EXPECT_EQ(ParseError("2 32 0 1* 2 0=2/0*"), "rida 1: seisund 2 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1* 0 32=2/0*"), "rida 1: klass 32 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1* 0 -1=2/0*"), "rida 1: klass -1 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=32/0*"), "rida 1: v'aljunds'umbol 32 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2/2*"), "rida 1: j'argmine seisund 2 on vahemikust v'aljas");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2;0*"), "rida 1: v'aljundloendi j'arel puudub '/'");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0 2/0*"), "rida 1: klassi 0 j'arel puudub '='");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2/0;"), "rida 1: seisundis 0 oodati klassi numbrit");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2/0"), "rida 1: seisundi 0 rida ei l'oppe '*'-ga");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2/0# never closed"), "rida 1: seisundi 0 rida ei l'oppe '*'-ga");
  EXPECT_EQ(ParseError("2 32# open\n comment"), "rida 2: kommentaar j'a'ab lahti");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=2/0*\nx"), "rida 2: oodati seisundi numbrit");
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=99999999999/0*"), "rida 1: oodati v'aljunds'umbolit");
}

TEST(AutomatonFile, OutputListsUpTo183Symbols) {
  std::string list = "2";
  for (int i = 1; i < 183; ++i) list += ",2";
  Automaton a;
  EXPECT_EQ(a.Parse("2 32 0 1* 0 0=" + list + "/0*"), 0);
  EXPECT_EQ(ParseError("2 32 0 1* 0 0=" + list + ",2/0*"), "rida 1: v'aljundloend on pikem kui 183 s'umbolit");
}

TEST(AutomatonRun, InitialFinalStateReadsNothing) {
  Result r = RunOn("1 32 0 0*", "Tere.");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(AutomatonRun, EveryTokenOnItsOwnLine) {
  Result r = RunOn(kEveryToken, "Tere, maailm!\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Tere\n,\nmaailm\n!\n$LL$\n");
}

TEST(AutomatonRun, HeldTokenIsWrittenBeforeTheNewOne) {
  // State 0 holds the first token; state 1 writes the held one and the new one.
  Result r = RunOn("3 32 0 2* 0 0=1/1* 1 0=2,3/0;3=7/2*", "a b c d");
  EXPECT_EQ(r.out, "a\n$LA$\nb\nc\n$LA$\nd\n$LL$\n");
}

TEST(AutomatonRun, WritingWithAnEmptyQueueWritesOnlyTheSymbolTexts) {
  Result r = RunOn("2 32 0 1* 0 0=2,6,9/0;3=7,7/1*", "a");
  EXPECT_EQ(r.out, "a\n\n$LL$\n$LL$\n$LA$\n\n$LL$\n$LL$\n");
}

TEST(AutomatonRun, EveryOutputSymbol) {
  std::string out;
  for (int s = 0; s < kAlphabetSize; ++s) {
    if (s == kHoldSymbol) continue;
    Result r = RunOn("2 32 0 1* 0 0=" + std::to_string(s) + "/0;3=0/1*", "x");
    out += "[" + r.out + "]";
  }
  EXPECT_EQ(out,
            "[x][x\n][$LA$\nx\n][x\n$LA$\n][$LL$\nx\n][x\n$LL$\n][x$LL$\n][\nx\n]"
            "[$LL$\n$LA$\nx\n][\nx][x][$LL$\nx\n][x\nLL\n]");
}

TEST(AutomatonRun, SymbolOutsideTheAlphabetStopsTheRun) {
  Result r = RunOn("2 32 0 1* 0 0=2,20,2/0;3=0/1*", "a b");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "a\n");  // the symbol before it was carried out
  EXPECT_EQ(r.msg, "Viga: Ei kuulu v'aljundt'ahestikku: 20\n");
}

TEST(AutomatonRun, MissingStateLineStopsTheRun) {
  Result r = RunOn("3 32 0 2* 0 0=2/1*", "a b");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "a\n");
  EXPECT_EQ(r.msg, "\rVigane yleminekute maatrix, seisund 1 puudub!\n");
}

TEST(AutomatonRun, MissingDefaultTransitionStopsTheRun) {
  Result r = RunOn("2 32 0 1* 0 7=2/0*", "a B");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.msg, "\rSeisundil 0 puudub vaikimisi tegevus!\n");
}

TEST(AutomatonRun, StateAboveTheHighestFinalStateIsFinal) {
  Result r = RunOn("5 32 0 1* 0 0=2/3*", "a b");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a\n");
}

TEST(AutomatonRun, QueuedTokensAreDroppedAtTheEnd) {
  Result r = RunOn("2 32 0 1* 0 0=1/0;3=1/1*", "a b");
  EXPECT_EQ(r.out, "");
}

TEST(AutomatonRun, LoopingOnTheEndOfInputIsReported) {
  Result r = RunOn("3 32 0 2* 0 0=2/1;3=0/1* 1 0=2/0;3=0/0*", "a");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "a\n");
  EXPECT_EQ(r.msg, "\rViga: automaat ei j'oua sisendi l'opus l'oppseisundisse (seisund 1)\n");
}

TEST(AutomatonRun, LongWhitespaceRunsAreSkipped) {
  // 300 blanks are two raw words of plain whitespace; neither reaches the automaton.
  Result r = RunOn("2 32 0 1* 0 0=2/0;5=20/0;3=7/1*", "a" + std::string(300, ' ') + "b");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a\nb\n$LL$\n");
}

}  // namespace
}  // namespace vaarikas::tera

namespace vaarikas::tera {
namespace {

// The shipped sentence automaton on random mixes of the tokens it has to
// decide about: every token lands inside exactly one non-empty sentence, in
// order, one per line.
TEST(ShippedAutomaton, SentencesAreAlwaysWellFormed) {
  std::string fst;
  {
    std::FILE* f = std::fopen(VAARIKAS_SOURCE_DIR "/data/tera.fst", "rb");
    ASSERT_TRUE(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) fst.append(buf, n);
    std::fclose(f);
  }
  const char* pieces[] = {"Tere", "maja", "Maja", ".", "!", "?", "...", "..", "?!", "5.", "1998", "jne.", "Dr.",
                          "vt.", "jaan.", "\"", ")", "(", ",", ";", ":", "XII", "U.S.A.", "-", "mai", "Mai",
                          "\x8B", "\x9B", "\n\n", "\n", "  "};
  unsigned seed = 12345;
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int n = static_cast<int>(seed % 14);
    for (int i = 0; i < n; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += pieces[(seed >> 8) % (sizeof(pieces) / sizeof(pieces[0]))];
      seed = seed * 1103515245u + 12345u;
      if ((seed >> 9) % 3) text += ' ';
    }
    seed = seed * 1103515245u + 12345u;
    Result r = RunOn(fst, text);
    ASSERT_EQ(r.status, 0) << text;
    bool inside = false;
    int tokens = 0;
    std::string joined, expected;
    std::size_t start = 0;
    for (std::size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
      const std::string line = r.out.substr(start, end - start);
      if (line == "$LA$") {
        ASSERT_FALSE(inside) << text << "\n" << r.out;
        inside = true;
        tokens = 0;
      } else if (line == "$LL$") {
        ASSERT_TRUE(inside && tokens > 0) << text << "\n" << r.out;
        inside = false;
      } else {
        ASSERT_TRUE(inside && !line.empty()) << text << "\n" << r.out;
        ++tokens;
        joined += line;
      }
    }
    ASSERT_EQ(start, r.out.size()) << r.out;
    ASSERT_FALSE(inside) << text << "\n" << r.out;
    for (char c : text)
      if (!IsSpace(static_cast<unsigned char>(c))) expected.push_back(c);
    ASSERT_EQ(joined, expected) << text;
  }
}

}  // namespace
}  // namespace vaarikas::tera
