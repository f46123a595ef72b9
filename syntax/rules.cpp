// Reader of syntax rule files.
//
// The file is read line by line; ";;" starts a comment. A scrambled file keeps
// its head (through the line after the SENTENCE-DELIMITERS header) as plain
// text and stores every later byte rotated right by one bit. Sections other
// than the set declarations are found by going back to the start of the file
// and reading until a line contains the section's name.
#include "syntax/rules.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "common/scramble.h"

namespace vaarikas::syntax {

SyntaxRules g_rules;
unsigned g_rulesGeneration = 0;

namespace {

FILE* g_err = nullptr;

constexpr const char* kSections[] = {
    "INFORMATION-SECTION",
    "SENTENCE-DELIMITERS",
    "SET-DECLARATIONS",
    "SYNTACTIC-FUNCTION-DECLARATIONS",
    "PRINCIPAL-FUNCTION-DECLARATIONS",
    "MORPHOSYNTACTIC-MAPPINGS",
    "CLAUSE-BOUNDARY-CONSTRAINTS",
    "DISAMBIGUATION-CONSTRAINTS",
    "SYNTACTIC-CONSTRAINTS",
    "HEURISTIC-SYNTACTIC-CONSTRAINTS",
    "END",
};
enum Section {
  kInformation = 0,
  kDelimiters = 1,
  kSets = 2,
  kFunctions = 3,
  kPrincipal = 4,
  kMappings = 5,
  kClauseBoundaries = 6,
  kDisambiguation = 7,
  kSyntactic = 8,
  kHeuristic = 9,
  kEnd = 10,
};

// General error codes (memory exhaustion, code 4, is a std::bad_alloc).
constexpr int kReadError = 3;
constexpr int kSyntaxError = 5;

struct ReaderAbort {
  int code;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool Contains(const std::string& s, std::string_view what) { return s.find(what) != std::string::npos; }

class Reader {
 public:
  Reader(FILE* f, SyntaxRules& rules) : f_(f), r_(rules) {}
  void ReadAll();

 private:
  // Line readers. Both return false at the end of the file when nothing was
  // read. Lines have no length limit; zero bytes are dropped.
  bool ReadPlainLine();
  bool ReadScrambledLine();
  bool ReadModeLine() { return r_.plain ? ReadPlainLine() : ReadScrambledLine(); }
  void CutComment();

  [[noreturn]] void SyntaxError(bool withSection = true);
  [[noreturn]] void ReadError();
  [[noreturn]] void LineError();  // "Viga real: %s\n" with the rest of the line

  const char* Rest() const { return line_.c_str() + std::min(p_, line_.size()); }
  char Cur() const { return p_ < line_.size() ? line_[p_] : '\0'; }
  bool AtLineEnd() const { return p_ >= line_.size() || line_[p_] == '\n'; }
  void SkipBlanks() {
    while (p_ < line_.size() && IsBlank(line_[p_])) ++p_;
  }
  // Skips blanks and continuation marks; a line end where a token is
  // expected is an error.
  void Next();
  void Continue();
  bool FirstNonBlankIs(char c) const {
    size_t i = line_.find_first_not_of(" \t");
    return i != std::string::npos && line_[i] == c;
  }
  void GoToFirstNonBlank() { p_ = std::min(line_.find_first_not_of(" \t"), line_.size()); }

  // Reads lines until one contains the section's name; the delimiter
  // section is searched in the plain head, the others with the mode's reader.
  void FindSection(int index, bool plainHead = false);
  void Rewind();

  std::string Token(std::string_view ends);
  void TokenList(std::vector<std::string>& out);  // after the "(": tokens up to ")"
  const SyntaxSet* SetByName();
  void ParseSet();
  void ParseConditionList(std::vector<SyntaxCondition>& out);
  void ParseCondition(std::vector<SyntaxCondition>& out);
  void ParseLinkElement(SyntaxCondition& owner);
  int ParsePosition();
  int ParseWindowAndClose();
  void ParseMapping();
  void ParseConstraint(std::vector<SyntaxConstraint>& out, const char* kind, int level);

  FILE* f_;
  SyntaxRules& r_;
  std::string line_;
  size_t p_ = 0;
};

bool Reader::ReadPlainLine() {
  line_.clear();
  int c;
  while ((c = std::getc(f_)) != EOF) {
    if (c == 0) continue;
    if (c == '\n') {
      // Text-mode reading drops a carriage return before the line end.
      if (r_.plain && !line_.empty() && line_.back() == '\r') line_.pop_back();
      line_.push_back('\n');
      break;
    }
    line_.push_back(static_cast<char>(c));
  }
  if (c == EOF && line_.empty()) return false;
  CutComment();
  p_ = 0;
  return true;
}

bool Reader::ReadScrambledLine() {
  line_.clear();
  int c;
  bool any = false;
  while ((c = std::getc(f_)) != EOF) {
    any = true;
    unsigned char d = RotateLeft1(static_cast<unsigned char>(c));
    if (d == 0) continue;
    line_.push_back(static_cast<char>(d));
    if (d == '\n') break;
  }
  if (c == EOF && !any) return false;
  CutComment();
  p_ = 0;
  return true;
}

void Reader::CutComment() {
  size_t at = line_.find(";;");
  if (at != std::string::npos) {
    line_.resize(at);
    line_.push_back('\n');
  }
}

void Reader::SyntaxError(bool withSection) {
  std::fputs("Viga s\x81ntaksis \n", g_err);
  if (withSection) std::fprintf(g_err, "Sektsioon: %s  \n", kSections[r_.section]);
  throw ReaderAbort{kSyntaxError};
}

void Reader::ReadError() {
  std::fputs("Viga failist lugemisel \n", g_err);
  throw ReaderAbort{kReadError};
}

void Reader::LineError() {
  std::fprintf(g_err, "Viga real: %s\n", Rest());
  SyntaxError();
}

void Reader::Next() {
  for (;;) {
    SkipBlanks();
    if (Cur() == '\\') {
      Continue();
      continue;
    }
    if (AtLineEnd()) {
      std::fprintf(g_err, "Ootamatu rea l\x93pp! %s\n", Rest());
      SyntaxError();
    }
    return;
  }
}

void Reader::Continue() {
  const char* following = kSections[std::min(r_.section + 1, static_cast<int>(kEnd))];
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, following)) {
      std::fprintf(g_err, "Ootamatu uue sektsiooni algus: %s\n", line_.c_str());
      std::fprintf(g_err, "Viga real: %s\n", line_.c_str());
      SyntaxError();
    }
    size_t start = std::min(line_.find_first_not_of(" \t"), line_.size());
    if (line_.size() - start <= 1) continue;
    line_.erase(0, start);
    p_ = 0;
    return;
  }
}

void Reader::Rewind() {
  std::clearerr(f_);
  if (std::fseek(f_, 0, SEEK_SET) != 0) ReadError();
}

void Reader::FindSection(int index, bool plainHead) {
  const char* name = kSections[index];
  for (;;) {
    if (Contains(line_, "END")) {
      std::fprintf(g_err, "Puudub sektsioon %s.\n", name);
      SyntaxError(false);
    }
    if (!(plainHead ? ReadPlainLine() : ReadModeLine())) ReadError();
    if (Contains(line_, name)) return;
  }
}

std::string Reader::Token(std::string_view ends) {
  size_t start = p_;
  while (p_ < line_.size() && line_[p_] != '\n' && ends.find(line_[p_]) == std::string_view::npos) ++p_;
  return line_.substr(start, p_ - start);
}

void Reader::TokenList(std::vector<std::string>& out) {
  for (;;) {
    Next();
    if (Cur() == ')') {
      ++p_;
      return;
    }
    out.push_back(Token(" \t\\)"));
  }
}

const SyntaxSet* Reader::SetByName() {
  size_t start = p_;
  std::string name = Token(" \t)\\");
  const SyntaxSet* set = LookUpSet(name);
  if (set == nullptr) {
    std::fprintf(g_err, "Tundmatu hulga nimi: %s\n", name.c_str());
    std::fprintf(g_err, "Viga real: %s\n", line_.c_str() + start);
    SyntaxError();
  }
  return set;
}

void Reader::ParseSet() {
  GoToFirstNonBlank();
  ++p_;  // "("
  size_t start = p_;
  std::string name = Token(" \t\\");
  if (name.size() > 14) {
    std::fprintf(g_err, "Hulga nimi liiga pikk: %s\n", line_.c_str() + start);
    SyntaxError();
  }
  SyntaxSet set;
  set.name = std::move(name);
  TokenList(set.members);
  for (const std::string& m : set.members) {
    std::vector<TagPattern> parts;
    size_t from = 0;
    for (;;) {
      size_t amp = m.find('&', from);
      parts.push_back(MakeTagPattern(std::string_view(m).substr(from, amp == std::string::npos ? std::string::npos : amp - from)));
      if (amp == std::string::npos) break;
      from = amp + 1;
    }
    set.conjunctions.push_back(std::move(parts));
    if (m.find('@') != std::string::npos) set.hasAtMember = true;
  }
  r_.sets.push_back(std::move(set));
}

int Reader::ParsePosition() {
  size_t start = p_;
  while (p_ < line_.size() && line_[p_] != '\n' && std::string_view(" \tC)\\").find(line_[p_]) == std::string_view::npos) ++p_;
  if (p_ - start > 3) {
    std::fprintf(g_err, "Positsiooni number liiga suur:%s\n", line_.c_str() + start);
    SyntaxError();
  }
  return std::atoi(line_.substr(start, p_ - start).c_str());
}

void Reader::ParseCondition(std::vector<SyntaxCondition>& out) {
  ++p_;  // "("
  SyntaxCondition c;
  SkipBlanks();
  if (line_.compare(p_, 3, "NOT") == 0) {
    c.positive = false;
    p_ += 3;
    SkipBlanks();
  }
  if (Cur() == '*' || Cur() == '%') {
    c.scan = Cur() == '*' ? 1 : 2;
    ++p_;
    SkipBlanks();
  }
  if (Cur() == '-') {
    c.right = false;
    ++p_;
  } else if (Cur() == '+') {
    ++p_;
  }
  c.position = ParsePosition();
  if (Cur() == 'C') {
    c.careful = true;
    ++p_;
  }
  Next();
  c.set = SetByName();
  Next();
  if (Cur() == ')') {
    ++p_;
    out.push_back(std::move(c));
    return;
  }
  if (!c.positive) {
    std::fprintf(g_err, "Eitavas reeglis ei saa viidata.\n%s\n", Rest());
    SyntaxError();
  }
  for (;;) {
    ParseLinkElement(c);
    Next();
    if (Cur() == ')') {
      ++p_;
      break;
    }
  }
  out.push_back(std::move(c));
}

void Reader::ParseLinkElement(SyntaxCondition& owner) {
  Next();
  size_t start = p_;
  SyntaxCondition e;
  if (Cur() == '*' || Cur() == '%') {
    e.scan = Cur() == '*' ? 1 : 2;
    ++p_;
  }
  if (AtLineEnd()) Next();  // reports the unexpected line end
  e.letter = line_[p_++];
  SkipBlanks();
  char kind = Cur();
  auto refuse = [&](char a, char b) {
    if (e.letter == a || e.letter == b) {
      std::fprintf(g_err, "Viga real: %s\n", line_.c_str() + start);
      std::fputs("Viide ei ole korrektne\n", g_err);
      SyntaxError();
    }
  };
  switch (kind) {
    case ')':
      refuse('L', 'R');
      ++p_;  // the ")" is the character passed over
      break;
    case '+':
    case '-':
      refuse(kind == '+' ? 'L' : 'R', 'W');
      e.right = kind == '+';
      ++p_;
      e.position = ParsePosition();
      if (Cur() == 'C') {
        e.careful = true;
        ++p_;
      }
      if (!AtLineEnd()) ++p_;
      break;
    case 'C':
      refuse('L', 'R');
      e.careful = true;
      ++p_;
      if (!AtLineEnd()) ++p_;
      break;
    default:
      std::fprintf(g_err, "Puuduv sulg %s\n", Rest());
      SyntaxError();
  }
  Next();
  if (Cur() != '(') {
    std::fprintf(g_err, "Puuduv sulg %s\n", Rest());
    SyntaxError();
  }
  ++p_;
  SkipBlanks();
  if (line_.compare(p_, 3, "NOT") == 0) {
    e.positive = false;
    p_ += 3;
    SkipBlanks();
  }
  // The element's header is repeated inside its parenthesis.
  if (e.scan == 1) {
    if (Cur() != '*') {
      std::fprintf(g_err, "Viide ei ole t\x84pne, * puudub.\n %s", Rest());
      SyntaxError();
    }
    ++p_;
  } else if (e.scan == 2) {
    if (Cur() != '%') {
      std::fprintf(g_err, "Viide ei ole t\x84pne, %% puudub.\n %s", Rest());
      SyntaxError();
    }
    ++p_;
  }
  if (Cur() != e.letter) {
    std::fprintf(g_err, "Viide ei ole t\x84pne, %c puudub.\n%s", e.letter, Rest());
    SyntaxError();
  }
  ++p_;
  if (e.position != 0) {
    char sign = e.right ? '+' : '-';
    if (Cur() != sign) {
      std::fprintf(g_err, e.right ? "Viide ei ole t\x84pne, '+' puudub.\n%s" : "Viide ei ole t\x84pne, '-' puudub.\n%s", Rest());
      SyntaxError();
    }
    ++p_;
    size_t digits = p_;
    while (p_ < line_.size() && line_[p_] >= '0' && line_[p_] <= '9') ++p_;
    if (p_ == digits || std::atoi(line_.substr(digits, p_ - digits).c_str()) != e.position) {
      p_ = digits;
      std::fprintf(g_err, "Viide ei ole t\x84pne, positsioon on vale\n%s", Rest());
      SyntaxError();
    }
  }
  if (e.careful) {
    if (Cur() != 'C') {
      std::fprintf(g_err, "Viide ei ole t\x84pne, puudub 'C'.\n%s", Rest());
      SyntaxError();
    }
    ++p_;
  } else if (e.position == 0) {
    if (Cur() != ' ') {
      std::fprintf(g_err, "Viide ei ole t\x84pne, positsioon on vale\n%s", Rest());
      SyntaxError();
    }
  }
  Next();
  e.set = SetByName();
  owner.links.push_back(std::move(e));
}

void Reader::ParseConditionList(std::vector<SyntaxCondition>& out) {
  for (;;) {
    Next();
    if (Cur() == ')' || Cur() == '*') return;
    if (Cur() != '(') LineError();
    ParseCondition(out);
    // A condition with links is the last of its rule.
    if (!out.back().links.empty()) return;
  }
}

int Reader::ParseWindowAndClose() {
  int window = 0;
  std::string_view rest = std::string_view(line_).substr(std::min(p_, line_.size()));
  size_t at;
  if ((at = rest.find("**CLB-C")) != std::string_view::npos) {
    window = 1;
    p_ += at + 7;
  } else if ((at = rest.find("**CLB")) != std::string_view::npos) {
    window = 2;
    p_ += at + 5;
  }
  size_t close = line_.find(')', p_);
  if (close == std::string::npos) LineError();
  p_ = close + 1;
  return window;
}

void Reader::ParseMapping() {
  SyntaxMapping m;
  GoToFirstNonBlank();
  ++p_;  // "("
  TokenList(m.target);
  Next();
  if (Cur() != '(') LineError();
  ++p_;
  Next();
  if (Cur() == ')') {
    ++p_;
    Next();
    if (Cur() != '(') LineError();
    ++p_;
    TokenList(m.tags);
  } else if (Cur() == '@') {
    TokenList(m.tags);
  } else {
    ParseConditionList(m.conditions);
    m.window = ParseWindowAndClose();
    Next();
    if (Cur() != '(') LineError();
    ++p_;
    TokenList(m.tags);
  }
  m.number = static_cast<int>(r_.mappings.size()) + 1;
  r_.mappings.push_back(std::move(m));
}

void Reader::ParseConstraint(std::vector<SyntaxConstraint>& out, const char* kind, int level) {
  SyntaxConstraint c;
  c.kind = kind;
  c.level = level;
  GoToFirstNonBlank();
  ++p_;  // "("
  Next();
  c.domain = Token(" \t\\=");
  Next();
  std::string_view op = std::string_view(line_).substr(p_);
  size_t len = 0;
  if (op.substr(0, 3) == "=s0") {
    c.op = kOpRemoveTags, len = 3;
  } else if (op.substr(0, 3) == "=s!") {
    c.op = kOpSelectTags, len = 3;
  } else if (op.substr(0, 3) == "=s?") {
    c.op = kOpRemoveReading, len = 3;
  } else if (op.substr(0, 8) == "=**CLB-C") {
    c.op = kOpPossibleBoundary, len = 8;
  } else if (op.substr(0, 6) == "=**CLB") {
    c.op = kOpCertainBoundary, len = 6;
  } else if (op.substr(0, 2) == "=s") {
    std::fprintf(g_err, "Viga operaatoris:%s\n", Rest());
    SyntaxError();
  } else {
    std::fprintf(g_err, "Viga operaatoris: %s\n", Rest());
    SyntaxError();
  }
  p_ += len;
  Next();
  ++p_;  // the "(" of the target
  TokenList(c.target);
  for (const std::string& t : c.target) c.targetPatterns.push_back(MakeTagPattern(t));
  Next();
  if (Cur() != '(') LineError();
  ParseConditionList(c.conditions);
  c.window = ParseWindowAndClose();
  c.number = static_cast<int>(out.size()) + 1;
  out.push_back(std::move(c));
}

void Reader::ReadAll() {
  // 1. The first line names the file's kind.
  r_.section = kInformation;
  if (!ReadPlainLine() || !Contains(line_, kSections[kInformation])) {
    std::fputs("See pole reeglite fail\n", g_err);
    SyntaxError(false);
  }

  // 2. Sentence delimiters, read as plain text in both modes.
  r_.section = kDelimiters;
  FindSection(kDelimiters, true);
  for (;;) {
    if (!ReadPlainLine()) ReadError();
    if (FirstNonBlankIs('(')) {
      GoToFirstNonBlank();
      ++p_;
      r_.delimiters.clear();
      TokenList(r_.delimiters);
    }
    if (!Contains(line_, kSections[kSets])) break;
  }
  if (r_.delimiters.empty() || r_.delimiters.front().empty()) {
    std::fputs("Peab leiduma v\x84hemalt \x81ks eraldaja!\n", g_err);
    SyntaxError();
  }

  // 3. Set declarations follow without a search.
  r_.section = kSets;
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, kSections[kFunctions])) break;
    if (FirstNonBlankIs('(')) ParseSet();
  }

  // 4. Clause-boundary constraints.
  r_.section = kClauseBoundaries;
  Rewind();
  FindSection(kClauseBoundaries);
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, kSections[kDisambiguation])) break;
    if (FirstNonBlankIs('(')) ParseConstraint(r_.clauseBoundaries, "C:", 0);
  }
  if (r_.clauseBoundaries.empty()) {
    std::fputs("Osalause piire m\x84\x84ravaid reegleid ei leidunud!\n", g_err);
    SyntaxError();
  }

  // 5. Morphosyntactic mappings.
  r_.section = kMappings;
  Rewind();
  FindSection(kMappings);
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, kSections[kClauseBoundaries])) break;
    if (FirstNonBlankIs('(')) ParseMapping();
  }
  if (r_.mappings.empty()) {
    std::fputs("Morfos\x81ntaktilisi kujutusi ei leidunud\n", g_err);
    SyntaxError();
  }

  // 6. Syntactic function declarations (principal ones are passed over).
  r_.section = kFunctions;
  Rewind();
  FindSection(kFunctions);
  if (!ReadModeLine()) ReadError();
  if (!FirstNonBlankIs('(')) {
    if (!Contains(line_, kSections[kPrincipal])) SyntaxError();
    do {
      if (!ReadModeLine()) ReadError();
    } while (!FirstNonBlankIs('('));
  }
  GoToFirstNonBlank();
  ++p_;
  TokenList(r_.functions);

  // 7. Syntactic constraints.
  r_.section = kSyntactic;
  Rewind();
  FindSection(kSyntactic);
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, kSections[kHeuristic])) break;
    if (FirstNonBlankIs('(')) ParseConstraint(r_.constraints, "S:", 0);
  }
  if (r_.constraints.empty()) {
    std::fputs("S\x81ntaktilisi kitsendusi ei leidunud!\n", g_err);
    SyntaxError();
  }

  // 8. Heuristic constraints up to the maximum level, sorted by level.
  if (r_.maxLevel == 0) return;
  r_.section = kHeuristic;
  Rewind();
  FindSection(kHeuristic);
  std::vector<SyntaxConstraint> heuristic;
  for (;;) {
    if (!ReadModeLine()) ReadError();
    if (Contains(line_, kSections[kEnd])) break;
    GoToFirstNonBlank();
    if (Cur() < '0' || Cur() > '9') continue;
    size_t start = p_;
    size_t colon = line_.find(':', p_);
    size_t end = colon;
    if (end == std::string::npos) end = line_.back() == '\n' ? line_.size() - 1 : line_.size();
    if (end - start > 3) {
      std::fprintf(g_err, "Heuristiline tase liiga suur:%s\n", Rest());
      SyntaxError();
    }
    int level = std::atoi(line_.substr(start, end - start).c_str());
    p_ = colon == std::string::npos ? line_.size() : colon + 1;
    SkipBlanks();
    if (Cur() != '(') {
      std::fprintf(g_err, "Vigane reegli algus: %s\n", Rest());
      SyntaxError();
    }
    if (level > r_.maxLevel) continue;
    // The rule starts at the "(": drop the level in front of it.
    line_.erase(0, p_);
    p_ = 0;
    ParseConstraint(heuristic, "H:", level);
  }
  if (heuristic.empty()) {
    std::fputs("Heuristilisi s\x81ntaktilisi kitsendusi ei leidunud!\n", g_err);
    SyntaxError();
  }
  std::stable_sort(heuristic.begin(), heuristic.end(),
                   [](const SyntaxConstraint& a, const SyntaxConstraint& b) { return a.level < b.level; });
  int number = 1;
  for (SyntaxConstraint& c : heuristic) {
    c.number = number++;
    r_.constraints.push_back(std::move(c));
  }
}

}  // namespace

TagPattern MakeTagPattern(std::string_view token) {
  TagPattern t;
  if (token == "<<<") {
    t.kind = TagPattern::kStart;
  } else if (token == ">>>") {
    t.kind = TagPattern::kEnd;
  } else if (token.size() >= 2 && token.front() == '"' && token.back() == '"') {
    t.kind = TagPattern::kQuoted;
    t.text = std::string(token.substr(1, token.size() - 2));
  } else {
    t.kind = TagPattern::kWord;
    t.text = std::string(token);
  }
  return t;
}

FILE* ErrorStream() { return g_err != nullptr ? g_err : stderr; }
void SetErrorStream(FILE* f) { g_err = f; }

bool ReadSyntaxRules(FILE* f, bool plain, int maxLevel) {
  FreeSyntaxRules();
  FILE* saved = g_err;
  if (g_err == nullptr) g_err = stderr;
  g_rules.plain = plain;
  g_rules.maxLevel = maxLevel;
  bool ok = true;
  try {
    Reader(f, g_rules).ReadAll();
  } catch (const ReaderAbort&) {
    ok = false;
  } catch (const std::bad_alloc&) {
    std::fputs("M\x84lu ei j\x84tku \n", g_err);
    ok = false;
  }
  std::fflush(g_err);
  g_err = saved;
  ++g_rulesGeneration;
  if (!ok) FreeSyntaxRules();
  return ok;
}

void FreeSyntaxRules() {
  ++g_rulesGeneration;
  bool plain = g_rules.plain;
  int maxLevel = g_rules.maxLevel;
  g_rules = SyntaxRules();
  g_rules.plain = plain;
  g_rules.maxLevel = maxLevel;
}

const SyntaxSet* LookUpSet(std::string_view name) {
  for (const SyntaxSet& s : g_rules.sets)
    if (s.name == name) return &s;
  return nullptr;
}

}  // namespace vaarikas::syntax
