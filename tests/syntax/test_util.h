// Helpers for the syntax tests: a scratch working directory, files, and a
// small rule file put together from its sections.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "syntax/rules.h"
#include "tests/support/files.h"

namespace vaarikas::syntax::test {

// Makes a fresh directory current for the lifetime of the object.
class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/vaarikas-syntax-XXXXXX";
    dir_ = mkdtemp(tmpl);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::string& path() const { return dir_; }

 private:
  std::string dir_;
  std::filesystem::path old_;
};

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

// A rule file made of its sections; each field is the body of one section.
struct Grammar {
  std::string delimiters = "($LL$)";
  std::string sets =
      "(N _S_)\n(V _V_)\n(FIN #FinV)\n(COMMA Com)\n(SUB sub)\n(NOM nom)\n(GEN gen)\n(PART part)\n"
      "(SUBJ @SUBJ)\n(OBJ @OBJ)\n(A _A_)\n(START <<<)\n(ANY _S_ _V_ _A_ _Z_ _J_)";
  std::string functions = "(@SUBJ @OBJ @PRD @AN> @NN> @FMV @X)";
  std::string mappings = "(_S_) (@X)";
  std::string boundaries = "(@w =**CLB (Com) (1 SUB))";
  std::string syntactic = "(@w =s0 (@OBJ) (1 FIN))";
  std::string heuristic;

  std::string Text() const {
    return "INFORMATION-SECTION\n;; test grammar\n\nSENTENCE-DELIMITERS\n" + delimiters + "\nSET-DECLARATIONS\n" + sets +
           "\nSYNTACTIC-FUNCTION-DECLARATIONS\n" + functions + "\nMORPHOSYNTACTIC-MAPPINGS\n" + mappings +
           "\nCLAUSE-BOUNDARY-CONSTRAINTS\n" + boundaries + "\nDISAMBIGUATION-CONSTRAINTS\nSYNTACTIC-CONSTRAINTS\n" +
           syntactic + "\nHEURISTIC-SYNTACTIC-CONSTRAINTS\n" + heuristic + "\nEND\n";
  }
};

struct ReadResult {
  bool ok = false;
  std::string messages;
};

// Reads rule text from memory; the messages are collected.
inline ReadResult ReadRulesText(const std::string& text, bool plain = true, int maxLevel = 0) {
  ReadResult r;
  std::string copy = text;
  FILE* in = fmemopen(copy.data(), copy.size(), "r");
  char* buf = nullptr;
  size_t len = 0;
  FILE* err = open_memstream(&buf, &len);
  SetErrorStream(err);
  r.ok = ReadSyntaxRules(in, plain, maxLevel);
  SetErrorStream(nullptr);
  std::fclose(err);
  std::fclose(in);
  r.messages.assign(buf, len);
  std::free(buf);
  return r;
}

}  // namespace vaarikas::syntax::test
