// The tokenizer: cuts the converted input into raw words and raw words into
// classed tokens (words, punctuation, abbreviations, months, numerals, ...).
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tera/conv_table.h"

namespace vaarikas::tera {

// Token classes.
enum TokenClass : unsigned char {
  kClsDefault = 0,
  kClsReadError = 2,
  kClsEnd = 3,
  kClsParagraph = 4,
  kClsSpace = 5,
  kClsSymbol = 6,
  kClsWord = 7,
  kClsCapWord = 8,
  kClsOpenBracket = 9,
  kClsCloseBracket = 10,
  kClsOrdinal = 11,
  kClsDot = 12,
  kClsTwoDots = 13,
  kClsThreeDots = 14,
  kClsExclaim = 15,
  kClsQuestion = 16,
  kClsTitleAbbr = 17,
  kClsClosingAbbr = 19,
  kClsInnerAbbr = 21,
  kClsMonth = 23,
  kClsMonthAbbr = 24,
  kClsCapMonth = 25,
  kClsRoman = 26,
  kClsOpenQuote = 27,
  kClsCloseQuote = 28,
  kClsComma = 29,
  kClsColon = 30,
  kClsNumber = 31,
};

// Longest raw word in characters, and longest token text in bytes (a token
// record holds a class byte, the text and a terminating zero in 256 bytes).
inline constexpr std::size_t kMaxRawWord = 256;
inline constexpr std::size_t kMaxTokenText = 254;

struct Token {
  unsigned char cls = kClsEnd;
  std::string text;
};

// Character kinds of the internal code.
inline bool IsSpace(unsigned char c) {  // space, tab, CR, LF, and the zero byte
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0;
}
inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline bool IsLower(unsigned char c) {
  return (c >= 'a' && c <= 'z') || c == 0xAC || c == 0xAB || c == 0x93 || c == 0x84 || c == 0x94 || c == 0x81;
}
inline bool IsUpper(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || c == 0xD1 || c == 0xE8 || c == 0xE5 || c == 0x8E || c == 0x99 || c == 0x9A;
}
inline bool IsLetter(unsigned char c) { return IsLower(c) || IsUpper(c); }
unsigned char ToLower(unsigned char c);
std::string ToLower(std::string_view s);

// Table lookups (keys with their final dot, in the internal code).
bool InTitleTable(std::string_view key);
bool InInnerTable(std::string_view key);
bool InClosingTable(std::string_view key);
// The tables' rows, for tests.
const std::vector<std::string_view>& TitleTable();
const std::vector<std::string_view>& InnerTable();
const std::vector<std::string_view>& ClosingTable();

// Abbreviation class (17, 21, 19) of a key (core and dot), or 0.
int AbbreviationClass(std::string_view key);

// Buffered, converting reader over a stream: blocks of 512 bytes through a
// growable lookahead buffer.
class Input {
 public:
  static constexpr std::size_t kBlock = 512;
  Input(std::FILE* f, const ConvTable& table) : f_(f), table_(table) { buf_.resize(kBlock); }
  // Called after every block read (the console spinner).
  void OnBlock(std::function<void()> cb) { on_block_ = std::move(cb); }

  // Reads one internal character without consuming it. Returns false at the
  // end of the input or on a read error (see Error()).
  bool Peek(unsigned char* c, std::size_t* covered) {
    if (end_ - pos_ < table_.MaxSeqLen() && !done_) Fill(table_.MaxSeqLen());
    if (pos_ == end_) return false;
    *covered = table_.Convert(&buf_[pos_], end_ - pos_, c);
    return true;
  }
  void Consume(std::size_t n) { pos_ += n; }
  // Appends internal characters of one kind (blank or not) to out while it
  // is shorter than max; stops before a character of the other kind, at the
  // end of the input or at a read error.
  void TakeRun(std::string& out, bool blank, std::size_t max) {
    const std::size_t look = table_.MaxSeqLen();
    while (out.size() < max) {
      if (end_ - pos_ < look && !done_) Fill(look);
      if (pos_ == end_) return;
      // Where a whole lookahead is in the buffer (or the input ends) no refill is needed.
      const std::size_t limit = done_ ? end_ : end_ - (look - 1);
      do {
        unsigned char c;
        const std::size_t n = table_.Convert(&buf_[pos_], end_ - pos_, &c);
        if (IsSpace(c) != blank) return;
        out.push_back(static_cast<char>(c));
        pos_ += n;
      } while (pos_ < limit && out.size() < max);
    }
  }
  // 0 while data is left, kEndOfInput at the end, else the read error's errno.
  int Error() const { return pos_ == end_ && done_ ? error_ : 0; }

 private:
  void Fill(std::size_t need);

  std::FILE* f_;
  const ConvTable& table_;
  std::vector<unsigned char> buf_;
  std::size_t pos_ = 0, end_ = 0;
  bool done_ = false;
  int error_ = 0;
  std::function<void()> on_block_;
};

class Tokenizer {
 public:
  explicit Tokenizer(Input& in) : in_(in) {}
  // Makes the next token current and returns its class.
  int Next(Token* tok);
  // errno of a read error, kEndOfInput at the end, 0 otherwise.
  int Error() const { return in_.Error(); }

 private:
  bool ReadRawWord();
  void Take(Token* tok, unsigned char cls, std::size_t len, bool rest_is_pieces);

  Input& in_;
  std::string raw_;       // the current raw word
  std::size_t pos_ = 0;   // how much of it has been used
  // What is left of the raw word is punctuation already stripped off its
  // end: it is taken as those pieces, so a closing quote stays closing.
  bool pieces_only_ = false;
};

// Classifies a piece of text on its own (a whole raw word of non-blank
// characters), giving the tokens it splits into. For tests and tools.
std::vector<Token> Tokenize(std::string_view internal_text);

}  // namespace vaarikas::tera
