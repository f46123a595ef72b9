// The tokenizer automaton: a finite-state transducer over token classes,
// loaded from a text file, that writes queued tokens with the decorations of
// the output alphabet.
#pragma once

#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tera/tokenizer.h"

namespace vaarikas::tera {

// Longest output list of one transition.
inline constexpr std::size_t kMaxOutputSymbols = 183;
// Limits that keep a damaged file from asking for absurd amounts of memory:
// classes and output symbols are single bytes.
inline constexpr int kMaxClassCount = 256;
inline constexpr int kMaxStateCount = 65536;

// Output alphabet: the text before and after a token; symbol 1 holds.
inline constexpr int kHoldSymbol = 1;
inline constexpr int kAlphabetSize = 14;
struct OutputSymbol {
  std::string_view before, after;
};
const OutputSymbol& AlphabetSymbol(int symbol);  // 0 <= symbol < kAlphabetSize

struct Transition {
  std::vector<unsigned char> symbols;
  int next = 0;
};

struct Automaton {
  int state_count = 0;
  int class_count = 0;
  int initial = 0;
  std::vector<bool> final_states;  // sized to the highest final state + 1
  int highest_final = -1;
  // Per state: null when the state has no line; else one place per class.
  std::vector<std::unique_ptr<std::vector<std::optional<Transition>>>> rows;

  bool IsFinal(int s) const {
    return s > highest_final || final_states[static_cast<std::size_t>(s)];
  }
  // Parses the text of an automaton file. Returns 0, or kErrAutomaton with a
  // description in *detail.
  int Parse(std::string_view text, std::string* detail = nullptr);
  int Load(const std::string& path, std::string* detail = nullptr);
};

// Where the written bytes go, through the output conversion.
class Output {
 public:
  Output(int fd, const ConvTable& table) : fd_(fd), table_(table) { buf_.reserve(kBuf); }
  explicit Output(std::string* sink, const ConvTable& table) : sink_(sink), table_(table) {}
  void Put(unsigned char c) {
    if (const std::string* s = table_.External(c))
      buf_ += *s;
    else
      buf_.push_back(static_cast<char>(c));
    if (buf_.size() >= kBuf) Flush();
  }
  void Put(std::string_view s) {
    for (char c : s) {
      if (const std::string* e = table_.External(static_cast<unsigned char>(c)))
        buf_ += *e;
      else
        buf_.push_back(c);
    }
    if (buf_.size() >= kBuf) Flush();
  }
  // Returns 0 or the errno of a failed write (kept for later calls too).
  int Flush();
  int Error() const { return error_; }

 private:
  static constexpr std::size_t kBuf = 1 << 16;
  int fd_ = -1;
  std::string* sink_ = nullptr;
  const ConvTable& table_;
  std::string buf_;
  int error_ = 0;
};

// Runs the automaton over the tokenizer's tokens until a final state.
// Returns 0, or 1 when the run had to stop; the reason has then been
// printed to msg. The output is flushed either way.
int RunAutomaton(const Automaton& a, Tokenizer& tokens, Output& out, std::FILE* msg);

}  // namespace vaarikas::tera
