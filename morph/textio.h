// Small file helpers of the morphological stage.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vaarikas::morph {

// Reads a whole file. In text mode a "\r" right before "\n" is dropped, so
// files made on Windows read the same. False when the file cannot be opened
// (*opened false) or a read or close error occurs (*opened true).
bool ReadWholeFile(const std::string& path, bool text, std::string* out, bool* opened = nullptr);

// One line of a text: its bytes without the line feed, and whether it had one.
struct TextLine {
  std::string text;
  bool newline = false;
};
// Splits at "\n"; a last line without a line feed is kept (newline false).
std::vector<TextLine> SplitLines(const std::string& bytes);

// A FILE* that closes itself.
struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};

}  // namespace vaarikas::morph
