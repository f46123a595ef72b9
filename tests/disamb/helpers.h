// Helpers for the disambiguator tests: in-memory streams and short runs.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "disamb/disamb.h"

namespace vaarikas::disamb::test {

// A read stream over a copy of the text.
class InStream {
 public:
  explicit InStream(const std::string& text) : text_(text) {
    f_ = text_.empty() ? std::fopen("/dev/null", "rb") : fmemopen(text_.data(), text_.size(), "rb");
  }
  ~InStream() {
    if (f_) std::fclose(f_);
  }
  std::FILE* get() const { return f_; }

 private:
  std::string text_;
  std::FILE* f_;
};

// A write stream collecting into a string.
class OutStream {
 public:
  OutStream() { f_ = open_memstream(&buf_, &size_); }
  ~OutStream() {
    if (f_) std::fclose(f_);
    std::free(buf_);
  }
  std::FILE* get() const { return f_; }
  std::string str() {
    std::fflush(f_);
    return std::string(buf_, size_);
  }

 private:
  char* buf_ = nullptr;
  size_t size_ = 0;
  std::FILE* f_;
};

// Reads rules from text; returns ReadRuleFile's result and the messages.
inline int LoadRules(const std::string& text, std::string* messages = nullptr, bool scrambled = false,
                     bool heuristic = false) {
  OutStream err;
  InStream in(text);
  SetOptions(scrambled, heuristic, err.get());
  int r = ReadRuleFile(in.get());
  if (messages) *messages = err.str();
  SetOptions(scrambled, heuristic, nullptr);
  return r;
}

// Reads every sentence of the stream, optionally runs the passes on each, and
// returns what the writer (and the comment copying) produced.
inline std::string RunStream(const std::string& stream, bool passes, std::vector<int>* states = nullptr) {
  InStream in(stream);
  OutStream out;
  int state;
  do {
    bool error = false;
    state = ReadSentence(in.get(), out.get(), &error);
    if (states) states->push_back(state);
    if (passes) RunPasses();
    WriteSentence(out.get());
    FreeSentence();
  } while (state != 0);
  return out.str();
}

}  // namespace vaarikas::disamb::test
