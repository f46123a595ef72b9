#include "tera/tokenizer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_set>

namespace vaarikas::tera {
namespace {

// The abbreviation tables, written in the internal code; "\xNN" stands for
// the byte NN and is decoded once when a table is first used. Rows end with
// their dot and are separated by blanks.
constexpr std::string_view kTitleRows =
    R"(akad. dir. dots. dr. hr. kod. mme. pr. prl. prof. sm. )";

constexpr std::string_view kInnerRows =
    R"(Tln. Trt. a.d. aj. al. arh. art. assist. asut. atr. aud. aut. a\x81. ed. eluk. end. inc. )"
    R"(j.a. jsk. juh. k.a. kapit. kasut. kd. kl. komm. koost. kpl. kub. kunstn. lg. lk. lp. )"
    R"(mag. min. mnt. n-\x94. n. n.-\x94. n.n. n.\x94. nim. nimet. nn. nr. nt. n\x84it. n\x93. )"
    R"(n\x93uk. op. p.k. p.o. pk. pms. pol. pst. ptk. resp. rkl. rom. s.h. s.o. s.t. saj. sen. )"
    R"(snd. sol. st. stj. surn. s\x81n. s\x81nd. tel. temp. tk. u. umb. v. v.a. var. vorm. vrd. )"
    R"(vt. )";

constexpr std::string_view kClosingRows =
    R"(Co. PS. a-kat. a-tuh. a. ajal. ass. b-kat. c-kat. d-kat. dem. doll. e. e.kr. e.m.a. ekr. )"
    R"(eks. el. ill. in. ingl. ins. inst. j. j.t. jj. jm. jms. jmt. jne. jpm. jpt. jr. jrk. jt. )"
    R"(jun. juv. jv. k. k.t. kat. keskm. khk. kk. klh. knd. kolh. komb. kompl. koop. kop. )"
    R"(korresp. kr. kt. l. lad-am. ld. libl. lm. ltd. l\x81h. l\x84h. m. m.a.j. maj. med. milj. )"
    R"(mk. ml. mld. mln. ms. m\x84rk. nov. o. okt. optim. osk. p. p.kr. p.l. pkr. p\x93hil. r. )"
    R"(rahvusv. raj. rbl. rdt. red. rev. rin. rk. rmtk. rtj. s. s.a. seadl. sealh. sek. sel. )"
    R"(sh. sjsk. skp. sks. sl. sotsial. sovh. s\x81. t. tehn. tl. tlk. tn. toim. tr. tsit. tuh. )"
    R"(t\x84n. ukj. vab. van. vkj. vm. vms. vmt. \x81.m.p. \x81hisk. \x93.-a. \x93a. \x93p. )"
    R"(\x93pil. )";

constexpr std::string_view kMonthAbbrRows =
    R"(jaan. veebr. apr. aug. sept. okt. nov. dets. )";

constexpr std::string_view kMonthStemRows =
    R"(jaanuar veebruar m\x84rts aprill mai juuni juuli august septemb oktoob novemb detsemb)";

constexpr std::string_view kRomanRows = "I II III IV V VI VII VIII IX X XI XII";

int Hex(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

struct Table {
  std::vector<std::string> storage;
  std::vector<std::string_view> rows;  // sorted as unsigned byte strings
  std::unordered_set<std::string_view> keys;  // the same rows, for lookups
};

Table Decode(std::string_view src, bool sort) {
  Table t;
  std::string cur;
  for (std::size_t i = 0; i <= src.size(); ++i) {
    if (i == src.size() || src[i] == ' ') {
      if (!cur.empty()) t.storage.push_back(cur);
      cur.clear();
    } else if (src[i] == '\\' && i + 3 < src.size() && src[i + 1] == 'x') {
      cur.push_back(static_cast<char>(Hex(src[i + 2]) * 16 + Hex(src[i + 3])));
      i += 3;
    } else {
      cur.push_back(src[i]);
    }
  }
  for (const auto& s : t.storage) t.rows.emplace_back(s);
  // std::string_view compares through char_traits<char>, which orders bytes
  // as unsigned values.
  if (sort) std::sort(t.rows.begin(), t.rows.end());
  t.keys.insert(t.rows.begin(), t.rows.end());
  return t;
}

const Table& Titles() {
  static const Table t = Decode(kTitleRows, true);
  return t;
}
const Table& Inners() {
  static const Table t = Decode(kInnerRows, true);
  return t;
}
const Table& Closings() {
  static const Table t = Decode(kClosingRows, true);
  return t;
}
const Table& MonthAbbrs() {
  static const Table t = Decode(kMonthAbbrRows, true);
  return t;
}
const Table& MonthStems() {
  static const Table t = Decode(kMonthStemRows, false);
  return t;
}
const Table& Romans() {
  static const Table t = Decode(kRomanRows, true);
  return t;
}

bool Find(const Table& t, std::string_view key) { return t.keys.count(key) != 0; }

// Looks the key up as written, then lower-cased when its first character
// has a lower-case form.
bool FindFolded(const Table& t, std::string_view key) {
  if (Find(t, key)) return true;
  const auto c0 = static_cast<unsigned char>(key[0]);
  return ToLower(c0) != c0 && Find(t, ToLower(key));
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Class by form alone: symbol, capitalised word, number or word.
unsigned char FormClass(std::string_view core) {
  bool letter_or_digit = false;
  for (char c : core) {
    const auto u = static_cast<unsigned char>(c);
    if (IsLetter(u) || IsDigit(u)) {
      letter_or_digit = true;
      break;
    }
  }
  if (!letter_or_digit) return kClsSymbol;
  if (IsUpper(static_cast<unsigned char>(core[0]))) return kClsCapWord;
  if (AllDigits(core)) return kClsNumber;
  return kClsWord;
}

}  // namespace

unsigned char ToLower(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
  switch (c) {
    case 0x8E: return 0x84;
    case 0xD1: return 0xAC;
    case 0xE5: return 0x93;
    case 0xE8: return 0xAB;
    default: return c;
  }
}

std::string ToLower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(ToLower(static_cast<unsigned char>(c)));
  return r;
}

bool InTitleTable(std::string_view key) { return Find(Titles(), key); }
bool InInnerTable(std::string_view key) { return Find(Inners(), key); }
bool InClosingTable(std::string_view key) { return Find(Closings(), key); }
const std::vector<std::string_view>& TitleTable() { return Titles().rows; }
const std::vector<std::string_view>& InnerTable() { return Inners().rows; }
const std::vector<std::string_view>& ClosingTable() { return Closings().rows; }

int AbbreviationClass(std::string_view key) {
  if (key.empty()) return 0;
  if (FindFolded(Titles(), key)) return kClsTitleAbbr;
  if (FindFolded(Inners(), key)) return kClsInnerAbbr;
  if (FindFolded(Closings(), key)) return kClsClosingAbbr;
  // Dotted letters (U.S.A.): a dot inside the core, the core ending in a letter.
  const std::string_view core = key.substr(0, key.size() - 1);
  if (core.size() >= 2 && IsLetter(static_cast<unsigned char>(core.back())) &&
      core.substr(1, core.size() - 2).find('.') != std::string_view::npos)
    return kClsClosingAbbr;
  return 0;
}

void Input::Fill(std::size_t need) {
  if (pos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  while (end_ < need && !done_) {
    if (buf_.size() < end_ + kBlock) buf_.resize(end_ + kBlock);
    errno = 0;
    const std::size_t n = std::fread(buf_.data() + end_, 1, kBlock, f_);
    if (n > 0) {
      end_ += n;
      if (on_block_) on_block_();
    }
    if (n < kBlock) {
      done_ = true;
      error_ = std::ferror(f_) ? (errno ? errno : 5) : kEndOfInput;
    }
  }
}

bool Tokenizer::ReadRawWord() {
  raw_.clear();
  pos_ = 0;
  pieces_only_ = false;
  unsigned char c;
  std::size_t covered;
  if (!in_.Peek(&c, &covered)) return false;
  in_.TakeRun(raw_, IsSpace(c), kMaxRawWord);
  return true;
}

void Tokenizer::Take(Token* tok, unsigned char cls, std::size_t len, bool rest_is_pieces) {
  pieces_only_ = rest_is_pieces;
  if (len > kMaxTokenText) {
    // Too long for a token record: the first part goes out now, the rest
    // stays in the raw word for the next call. Classes whose text ends in
    // their dot no longer fit what they say, so the part is classed by form.
    len = kMaxTokenText;
    switch (cls) {
      case kClsOrdinal: case kClsTitleAbbr: case kClsClosingAbbr: case kClsInnerAbbr: case kClsMonthAbbr:
        cls = FormClass(std::string_view(raw_).substr(pos_, len));
        pieces_only_ = false;
        break;
      case kClsSymbol: case kClsWord: case kClsCapWord: case kClsNumber: case kClsMonth: case kClsCapMonth:
        pieces_only_ = false;  // the rest of the core follows
        break;
      default: break;
    }
  }
  tok->cls = cls;
  tok->text.assign(raw_, pos_, len);
  pos_ += len;
}

int Tokenizer::Next(Token* tok) {
  if (pos_ >= raw_.size() && !ReadRawWord()) {
    tok->cls = in_.Error() == kEndOfInput ? kClsEnd : kClsReadError;
    tok->text.clear();
    return tok->cls;
  }
  const std::string_view w = std::string_view(raw_).substr(pos_);
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(w[i]); };
  const std::size_t n = w.size();

  if (IsSpace(at(0))) {
    std::size_t i = 0;
    while (i < n && (at(i) == ' ' || at(i) == '\t' || at(i) == 0)) ++i;
    if (i < n && at(i) == '\r') ++i;
    if (i < n && at(i) == '\n') ++i;
    bool more = false;  // zero bytes count as blanks
    for (; i < n && !more; ++i) more = at(i) != 0;
    pos_ = raw_.size();
    pieces_only_ = false;
    tok->cls = more ? kClsParagraph : kClsSpace;
    tok->text.clear();
    return tok->cls;
  }
  if (!pieces_only_ && (at(0) == '(' || at(0) == '{' || at(0) == '[')) {
    Take(tok, kClsOpenBracket, 1, false);
    return tok->cls;
  }
  if (!pieces_only_ && (at(0) == '"' || at(0) == 0x8B)) {
    Take(tok, kClsOpenQuote, 1, false);
    return tok->cls;
  }

  // Strip punctuation pieces off the end.
  std::size_t end = n, tail_end = n;
  unsigned char tail = 0;
  while (end > 0) {
    const unsigned char c = at(end - 1);
    std::size_t s = end - 1;
    unsigned char k;
    const auto run = [&](unsigned char a, unsigned char b) {
      while (s > 0 && (at(s - 1) == a || at(s - 1) == b)) --s;
    };
    if (c == '"' || c == 0x9B) {
      k = kClsCloseQuote;
    } else if (c == ')' || c == '}' || c == ']') {
      k = kClsCloseBracket;
    } else if (c == ':') {
      run(':', ':');
      k = kClsColon;
    } else if (c == ',' || c == ';') {
      run(',', ';');
      k = kClsComma;
    } else if (c == '!') {
      run('!', '!');
      k = kClsExclaim;
    } else if (c == '?') {
      run('?', '?');
      k = kClsQuestion;
    } else if (c == '.') {
      if (end >= 3 && at(end - 2) == '.' && at(end - 3) == '.') {
        s = end - 3;
        k = kClsThreeDots;
      } else if (end >= 2 && at(end - 2) == '.') {
        s = end - 2;
        k = kClsTwoDots;
      } else {
        k = kClsDot;
      }
    } else {
      break;
    }
    tail = k;
    tail_end = end;
    end = s;
  }
  if (end == 0) {  // all punctuation: its leftmost piece
    Take(tok, tail, tail_end, true);
    return tok->cls;
  }

  const std::string_view core = w.substr(0, end);
  const bool upper_first = IsUpper(at(0));
  if (tail == kClsDot || tail == kClsTwoDots || tail == kClsThreeDots) {
    std::string key(core);
    key.push_back('.');
    unsigned char cls = 0;
    if (Find(MonthAbbrs(), upper_first ? ToLower(key) : key))
      cls = kClsMonthAbbr;
    else if (int a = AbbreviationClass(key))
      cls = static_cast<unsigned char>(a);
    else if (AllDigits(core))
      cls = kClsOrdinal;
    if (cls) {
      Take(tok, cls, tail == kClsDot ? end + 1 : end, true);
      return tok->cls;
    }
  }

  unsigned char cls = 0;
  // Every month stem begins with one of these letters, every numeral with I, V or X.
  const unsigned char first = ToLower(at(0));
  if (first == 'j' || first == 'v' || first == 'm' || first == 'a' || first == 's' || first == 'o' ||
      first == 'n' || first == 'd') {
    const std::string folded = upper_first ? ToLower(core) : std::string();
    const std::string_view word = upper_first ? std::string_view(folded) : core;
    for (std::string_view stem : MonthStems().rows)
      if (word[0] == stem[0] && word.substr(0, stem.size()) == stem) {
        cls = upper_first ? kClsCapMonth : kClsMonth;
        break;
      }
  }
  if (!cls && (at(0) == 'I' || at(0) == 'V' || at(0) == 'X') && Find(Romans(), core)) cls = kClsRoman;
  if (!cls) cls = FormClass(core);
  Take(tok, cls, end, true);
  return tok->cls;
}

std::vector<Token> Tokenize(std::string_view text) {
  std::vector<Token> out;
  if (text.empty()) return out;
  static const ConvTable identity;
  std::string copy(text);
  std::FILE* f = fmemopen(copy.data(), copy.size(), "rb");
  if (!f) return out;
  Input in(f, identity);
  Tokenizer tz(in);
  Token t;
  while (tz.Next(&t) != kClsEnd && t.cls != kClsReadError) out.push_back(t);
  std::fclose(f);
  return out;
}

}  // namespace vaarikas::tera
