// Both rule engines over fixed grammars and inputs (generated ones of
// several hundred rules, and the shipped grammars over a short Estonian text
// run through the morphological stage); every output must equal the kept one
// byte for byte.
//
// The kept outputs are in data/expected/. Setting VAARIKAS_WRITE_REFERENCE=1
// rewrites them from the current engines: do that only when an output change
// is intended, never to make a speed change pass.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "disamb/disamb.h"
#include "syntax/syntax.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

const fs::path kData = fs::path(VAARIKAS_SOURCE_DIR) / "tests/perf_reference/data";

bool Rewriting() {
  const char* e = std::getenv("VAARIKAS_WRITE_REFERENCE");
  return e && std::string(e) == "1";
}

class Scratch {
 public:
  Scratch() {
    char tmpl[] = "/tmp/vaarikas-reference-XXXXXX";
    dir_ = ::mkdtemp(tmpl);
    old_ = fs::current_path();
    fs::current_path(dir_);
  }
  ~Scratch() {
    fs::current_path(old_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

 private:
  fs::path dir_, old_;
};

// Index of the first differing byte and a little context, for the failure
// message; empty when equal.
std::string Difference(const std::string& got, const std::string& want) {
  if (got == want) return "";
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  size_t from = i > 80 ? i - 80 : 0;
  return "first difference at byte " + std::to_string(i) + " (sizes " + std::to_string(got.size()) + " and " +
         std::to_string(want.size()) + ")\n--- got:\n" + got.substr(from, 200) + "\n--- kept:\n" + want.substr(from, 200);
}

void Compare(const std::string& got, const std::string& name) {
  const fs::path kept = kData / "expected" / name;
  if (Rewriting()) {
    fs::create_directories(kData / "expected");
    WriteFile(kept, got);
    return;
  }
  ASSERT_TRUE(fs::exists(kept)) << kept;
  std::string diff = Difference(got, ReadFile(kept));
  EXPECT_TRUE(diff.empty()) << name << ": " << diff;
}

// Disambiguates the input with the plain rule file and compares the output
// and the message file.
void Disamb(const char* rules, const char* input, const char* letters, const std::string& name) {
  Scratch s;
  fs::copy_file(kData / rules, "rules.rul");
  fs::copy_file(kData / input, "in.txt");
  ASSERT_EQ(vaarikas::disamb::Disambiguate("rules.rul", "in.txt", letters, nullptr), 0) << ReadFile("derrors.txt");
  Compare(ReadFile("in.cgd"), name);
  EXPECT_EQ(ReadFile("derrors.txt"), "");
}

// The syntax run with the plain rule file ("k" among the letters); the
// input is a file of data/ or a kept output of the disambiguator.
void Syntax(const char* rules, const fs::path& input, const char* letters, const std::string& name) {
  Scratch s;
  fs::copy_file(kData / rules, "rules.rle");
  fs::copy_file(input, "in.cgd");
  ASSERT_EQ(vaarikas::SyntaxRun("rules.rle", "in.cgd", letters), 0) << ReadFile("synerrors.txt");
  Compare(ReadFile("in.snx"), name);
  EXPECT_EQ(ReadFile("synerrors.txt"), "");
}

TEST(DisambReference, GeneratedGrammar) {
  Disamb("gen.rul", "gen_disamb.in", "", "gen_disamb.cgd");
  Disamb("gen.rul", "gen_disamb.in", "h", "gen_disamb_h.cgd");
}

TEST(DisambReference, ShippedGrammarOnText) {
  Disamb("grammar.rul", "text.mrf", "", "text.cgd");
  Disamb("grammar.rul", "text.mrf", "h", "text_h.cgd");
}

TEST(SyntaxReference, GeneratedGrammar) {
  Syntax("gen.rle", kData / "gen_syntax.in", "k", "gen_syntax.snx");
  Syntax("gen.rle", kData / "gen_syntax.in", "kh", "gen_syntax_h.snx");
}

TEST(SyntaxReference, ShippedGrammarOnText) {
  // Over the disambiguator's kept output, as the pipeline runs it.
  Syntax("grammar.rle", kData / "expected/text_h.cgd", "k", "text.snx");
  Syntax("grammar.rle", kData / "expected/text_h.cgd", "kH", "text_H.snx");
  Syntax("grammar.rle", kData / "expected/text_h.cgd", "kh", "text_h.snx");
  // The noun phrase grammar.
  Syntax("pgrammar.rle", kData / "expected/text_h.cgd", "k", "ptext_k.snx");
  Syntax("pgrammar.rle", kData / "expected/text_h.cgd", "kh", "ptext_kh.snx");
}

}  // namespace
