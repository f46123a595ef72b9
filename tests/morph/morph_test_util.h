// Helpers shared by the morphological stage tests.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ui.h"
#include "tests/support/files.h"
#include "tests/support/recording_ui.h"

namespace vaarikas::morph::testing {

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

// A fresh directory removed again at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vaarikas-morph.XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    path_ = ::mkdtemp(buf.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Lexicon tables for the tagger tests (Windows-1257 bytes).
inline const char kTestLexicon[] =
    "test lexicon\n"
    "$$$ #### punctuation\n"
    ". => Fst\n"
    ", => Com\n"
    "- => Dsh\n"
    "\xAE => Oqu\n"
    "\xAF => Cqu\n"
    "$\n"
    "$$$ _K_ adpositions\n"
    "alla => #Post\n"
    "\xFCle => #Post & #Preg\n"
    "koos => #Postkom & #Prekom & #Pre\n"
    "$\n"
    "$$$ _P_ pronouns\n"
    "mina => pers ps1\n"
    "see => dem\n"
    "$\n";

// Records what the stage shows the user.
using vaarikas::test::RecordingUI;

// Makes dir the current directory for the lifetime of the object.
class CurrentDirScope {
 public:
  explicit CurrentDirScope(const std::string& dir) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~CurrentDirScope() { std::filesystem::current_path(old_); }

 private:
  std::filesystem::path old_;
};

}  // namespace vaarikas::morph::testing
