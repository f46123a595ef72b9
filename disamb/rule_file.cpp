// Disambiguation rule file reader.
//
// Layout: SENTENCE-DELIMITERS, SET-DECLARATIONS, CLAUSE-BOUNDARY-CONSTRAINTS,
// DISAMBIGUATION-CONSTRAINTS and (with the heuristic switch)
// HEURISTIC-DISAMBIGUATION-CONSTRAINTS, in this order. In scrambled mode
// everything after the SET-DECLARATIONS header line is stored with each byte
// rotated right by one bit.
#include <cctype>
#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "common/scramble.h"
#include "disamb/disamb.h"
#include "disamb/state.h"

namespace vaarikas::disamb {
namespace {

using detail::Condition;
using detail::Constraint;
using detail::Member;
using detail::Report;
using detail::S;
constexpr size_t npos = std::string::npos;

// Longest body line (with its "\n") and longest rule after continuations.
constexpr size_t kBodyLine = 239;
constexpr size_t kDelimiterLine = 239;
constexpr size_t kRule = 799;
constexpr size_t kLinkText = 6;

struct Failure {};  // a message has been written; reading stops

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void TrimRight(std::string& s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  s.resize(n);
}

class Reader {
 public:
  explicit Reader(std::FILE* f) : f_(f) {}

  // Reads up to max bytes of one line, stopping after "\n" (a "\r" before it
  // is dropped). False at the end of the file.
  bool Plain(std::string& line, size_t max) {
    line.clear();
    int c;
    while (line.size() < max && (c = std::getc(f_)) != EOF) {
      if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
      line.push_back(static_cast<char>(c));
      if (c == '\n') break;
    }
    if (line.empty()) return false;
    ++S().lineCounter;
    return true;
  }

  // Reads a body line and prepares it (leading blanks, ";;" comments and
  // trailing blanks removed). False at the end of the file; an over-long
  // line (or a last line without "\n") is a failure.
  bool Body(std::string& line) {
    line.clear();
    bool ended = false;
    int c;
    while (line.size() < kBodyLine && (c = std::getc(f_)) != EOF) {
      unsigned char b = static_cast<unsigned char>(c);
      if (S().scrambled) {
        b = RotateLeft1(b);
        if (b == 0) continue;
      } else if (b == '\r') {
        // Text mode: "\r\n" is a line end.
        int n = std::getc(f_);
        if (n == '\n') {
          b = '\n';
        } else if (n != EOF) {
          std::ungetc(n, f_);
        }
      }
      if (b == '\n') {
        ended = true;
        break;
      }
      line.push_back(static_cast<char>(b));
    }
    if (!ended && line.empty()) return false;
    ++S().lineCounter;
    if (!ended) {
      Report("\nRida nr. %d liiga pikk!\n", S().lineCounter);
      throw Failure();
    }
    size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) ++start;
    line.erase(0, start);
    size_t comment = line.find(";;");
    if (comment != npos) line.resize(comment);
    TrimRight(line);
    return true;
  }

  // The rule reader: the next rule of a set or constraint section, with its
  // continuation lines joined. False when the section has ended; the line
  // that ended it is then in pending() (empty at the end of the file).
  bool Rule(std::string& rule) {
    std::string line;
    pending_.clear();
    for (;;) {
      if (!Body(line)) return false;
      if (line.size() < 3 || line[0] == ';') continue;
      break;
    }
    if (line[0] != '(') {
      pending_ = line;
      return false;
    }
    rule = line;
    while (!rule.empty() && rule.back() == '\\') {
      rule.pop_back();
      TrimRight(rule);
      rule += ' ';
      // A continuation at the end of the file joins nothing; the rule is then
      // judged as it stands.
      if (!Body(line)) break;
      rule += line;
      if (rule.size() > kRule) break;
    }
    if (rule.size() > kRule) {
      Report("\nReegel real %d liiga pikk!\n", S().lineCounter);
      throw Failure();
    }
    return true;
  }

  // Makes sure a section header has been reached: the line that ended the
  // previous section, or a later body line, must contain it.
  void BodyHeader(const char* header, const char* missing) {
    if (pending_.find(header) != npos) return;
    std::string line;
    while (Body(line))
      if (line.find(header) != npos) return;
    Report("%s", missing);
    throw Failure();
  }

  // Reads whole plain lines until one contains the header.
  bool PlainHeader(const char* header, std::string& line) {
    while (Plain(line, SIZE_MAX))
      if (line.find(header) != npos) return true;
    return false;
  }

 private:
  std::FILE* f_;
  std::string pending_;
};

void SkipBlanks(const std::string& s, size_t& p) {
  while (p < s.size() && IsBlank(s[p])) ++p;
}

// Delimiter section. Returns the line that ended it ("" at the end of file).
std::string ReadDelimiters(Reader& rd) {
  auto& st = S();
  std::string line;
  while (rd.Plain(line, kDelimiterLine)) {
    if (line.size() < 2) continue;
    if (line.back() != '\n') {
      Report("\nRida nr. %d liiga pikk!\n", st.lineCounter);
      throw Failure();
    }
    line.pop_back();
    size_t comment = line.find(";;");
    if (comment != npos) line.resize(comment);
    TrimRight(line);
    if (line.empty()) continue;
    size_t p = 0;
    SkipBlanks(line, p);
    if (line[p] != '(') return line;
    ++p;
    for (;;) {
      while (p < line.size() && line[p] == ' ') ++p;
      if (p >= line.size()) {
        Report("\nViga eraldajate definitsioonis real %d! \n", st.lineCounter);
        throw Failure();
      }
      if (line[p] == ')') {
        if (p + 1 != line.size()) {
          Report("Viga eraldajate defineerimisel reas %d\n", st.lineCounter);
          throw Failure();
        }
        break;
      }
      size_t e = p;
      while (e < line.size() && line[e] != ' ' && line[e] != ')') ++e;
      if (e >= line.size()) {
        Report("\nViga eraldajate definitsioonis real %d! \n", st.lineCounter);
        throw Failure();
      }
      st.delimiters.push_back(line.substr(p, e - p));
      p = e;
    }
  }
  return std::string();
}

bool IsGroupSeparator(char c) { return c == ' ' || c == ',' || c == '(' || c == '\t'; }

// A parenthesised group starting after its "(" at p: its tags up to the
// closing ")". False when the text ends first; p is then past the ")".
bool ReadGroup(const std::string& s, size_t& p, std::vector<std::string>& tags) {
  for (;;) {
    while (p < s.size() && IsGroupSeparator(s[p])) ++p;
    if (p >= s.size()) return false;
    if (s[p] == ')') {
      ++p;
      return true;
    }
    size_t e = p;
    while (e < s.size() && !IsGroupSeparator(s[e]) && s[e] != ')') ++e;
    tags.push_back(s.substr(p, e - p));
    p = e;
  }
}

void ReadSet(const std::string& r) {
  auto& st = S();
  const int line = st.lineCounter;
  if (r.find("\"\"") != npos || r.find("()") != npos) {
    Report("Viga hulga defineerimisel reas %d\n", line);
    throw Failure();
  }
  size_t p = 1;
  SkipBlanks(r, p);
  size_t e = r.find(' ', p);
  if (e == npos) {
    Report("Viga hulga defineerimisel reas %d\n", line);
    throw Failure();
  }
  detail::Set set;
  set.name = r.substr(p, e - p);
  if (st.setIndex.count(set.name)) {
    Report("\nHulga nimi %s kordub! \n", set.name.c_str());
    throw Failure();
  }
  p = e;
  for (;;) {
    SkipBlanks(r, p);
    if (p >= r.size()) {
      Report("\nViga hulga definitsioonis reas %d! \n", line);
      throw Failure();
    }
    if (r[p] == ')') {
      if (p + 1 != r.size()) {
        Report("Viga hulga definitsioonis reas %d\n", line);
        throw Failure();
      }
      break;
    }
    std::vector<std::string> tags;
    if (r[p] == '(') {
      ++p;
      if (!ReadGroup(r, p, tags)) {
        Report("\nViga hulga definitsioonis (puudub ')') reas %d! \n", line);
        throw Failure();
      }
    } else {
      size_t t = p;
      while (t < r.size() && !IsBlank(r[t]) && r[t] != ')') ++t;
      if (t >= r.size()) {
        Report("\nViga hulga definitsioonis reas %d! \n", line);
        throw Failure();
      }
      tags.push_back(r.substr(p, t - p));
      p = t;
    }
    set.members.push_back(detail::MakeMember(tags));
  }
  st.setIndex.emplace(set.name, static_cast<int>(st.sets.size()));
  st.sets.push_back(std::move(set));
}

[[noreturn]] void ConstraintError(const char* what) {
  Report("\nViga kitsenduste reeglis%s reas %d\n", what, S().lineCounter);
  throw Failure();
}

// Domain text: "@w" or a word form in double quotes.
void SetDomain(Constraint& c, const std::string& d) {
  if (d == "@w") {
    c.domain = d;
  } else if (d.size() >= 2 && d.front() == '"' && d.back() == '"') {
    c.domain = d.substr(1, d.size() - 2);
  } else {
    ConstraintError(" (doomen)");
  }
}

// One condition: the text between its parentheses. announced holds the link
// text announced by the condition before (empty when none) and receives this
// condition's announcement.
Condition ReadCondition(const std::string& text, std::string& announced) {
  auto& st = S();
  Condition c;
  std::vector<std::string> tokens;
  size_t p = 0;
  auto next = [&](std::string& tok) {
    SkipBlanks(text, p);
    size_t e = p;
    while (e < text.size() && !IsBlank(text[e])) ++e;
    tok = text.substr(p, e - p);
    p = e;
  };
  std::string pos;
  next(pos);
  if (pos.find("NOT") != npos) {
    c.negated = true;
    next(pos);
  }
  const bool linked = !announced.empty();
  if (linked && pos != announced) ConstraintError(" (link)");
  size_t j = 0;
  if (j < pos.size() && pos[j] == '*') {
    c.scan = true;
    ++j;
  }
  if (j < pos.size() && (pos[j] == 'R' || pos[j] == 'L' || pos[j] == 'W')) {
    if (!linked) ConstraintError(" (link)");
    c.link = pos[j] == 'R' ? detail::kLinkR : pos[j] == 'L' ? detail::kLinkL : detail::kLinkW;
    ++j;
  }
  int sign = 1;
  bool hadSign = false;
  if (j < pos.size() && (pos[j] == '+' || pos[j] == '-')) {
    sign = pos[j] == '-' ? -1 : 1;
    hadSign = true;
    ++j;
  }
  if (j < pos.size() && pos[j] >= '0' && pos[j] <= '9') {
    c.offset = sign * (pos[j] - '0');
    ++j;
  } else if (!(c.link == detail::kLinkW && !hadSign)) {
    Report("\nViga tingimuses (positsioon) kitsenduste reeglis reas %d\n", st.lineCounter);
    throw Failure();
  }
  if (j < pos.size() && pos[j] == 'C') {
    c.careful = true;
    ++j;
  }
  if (j != pos.size()) {
    Report("\nViga tingimuses (positsioon) kitsenduste reeglis reas %d\n", st.lineCounter);
    throw Failure();
  }
  std::string name;
  next(name);
  auto it = st.setIndex.find(name);
  if (it == st.setIndex.end()) {
    Report("\nViga tingimuses (tundmatu hulga nimi %s) kitsenduste reeglis reas %d\n", name.c_str(),
           st.lineCounter);
    throw Failure();
  }
  c.set = it->second;
  SkipBlanks(text, p);
  std::string link = text.substr(p);
  TrimRight(link);
  if (link.size() > kLinkText) {
    Report("\nViga tingimuses (link?) kitsenduste reeglis reas %d\n", st.lineCounter);
    throw Failure();
  }
  announced = link;
  return c;
}

void ReadConstraint(const std::string& r, int kind) {
  auto& st = S();
  if (r.size() < 11) ConstraintError("");
  Constraint c;
  size_t p = 1;
  SkipBlanks(r, p);
  size_t q;
  if (kind == detail::kClauseBoundary) {
    size_t op = r.find("=**CLB");
    if (op == npos) ConstraintError("");
    SetDomain(c, r.substr(p, op > p ? op - p : 0));
    q = op + 6;
    c.op = 1;
    if (r.compare(q, 2, "-C") == 0) {
      c.op = 2;
      q += 2;
    }
    if (q >= r.size() || r[q] != ' ') ConstraintError("");
    ++q;
  } else {
    size_t e = r.find(' ', p);
    SetDomain(c, r.substr(p, e == npos ? npos : e - p));
    if (e == npos) ConstraintError(" (operaator)");
    q = e;
    while (q < r.size() && r[q] == ' ') ++q;
    size_t t = q;
    while (t < r.size() && r[t] != ' ') ++t;
    std::string op = r.substr(q, t - q);
    if (op == "=0")
      c.op = 0;
    else if (op == "=!")
      c.op = 1;
    else if (op == "=!!")
      c.op = 2;
    else
      ConstraintError(" (operaator)");
    q = t;
  }
  SkipBlanks(r, q);
  if (q >= r.size() || r[q] != '(') ConstraintError("");
  ++q;
  std::vector<std::string> tags;
  if (!ReadGroup(r, q, tags)) ConstraintError("");
  c.target = detail::MakeMember(tags);
  c.anyTarget = c.target.text == " * ";
  ++q;  // the character after the target (normally a blank)
  std::string announced;
  bool modeSeen = false;
  for (;;) {
    SkipBlanks(r, q);
    if (q >= r.size()) ConstraintError(" (tingimused)");
    if (r[q] == ')') break;
    if (r[q] == '(') {
      size_t close = r.find(')', q);
      if (close == npos) ConstraintError(" (tingimused)");
      c.conditions.push_back(ReadCondition(r.substr(q + 1, close - q - 1), announced));
      q = close + 1;
      continue;
    }
    size_t t = q;
    while (t < r.size() && !IsBlank(r[t]) && r[t] != ')' && r[t] != '(') ++t;
    std::string item = r.substr(q, t - q);
    if (kind == detail::kClauseBoundary || modeSeen || (item != "CLB" && item != "CLB-C"))
      ConstraintError(" (tingimused)");
    c.clauseMode = item == "CLB" ? 1 : 2;
    modeSeen = true;
    q = t;
  }
  st.lists[kind].push_back(std::move(c));
}

void ReadConstraints(Reader& rd, int kind) {
  std::string rule;
  while (rd.Rule(rule)) ReadConstraint(rule, kind);
}

void ReadAll(Reader& rd) {
  auto& st = S();
  std::string line;
  if (!rd.PlainHeader("SENTENCE-DELIMITERS", line)) {
    Report("\nReeglite failis puudub sektsioon SENTENCE-DELIMITERS");
    throw Failure();
  }
  std::string ended = ReadDelimiters(rd);
  if (st.delimiters.empty()) {
    Report("\nPuudub eraldajate definitsioon!\n");
    throw Failure();
  }
  if (ended.find("SET-DECLARATIONS") == npos && !rd.PlainHeader("SET-DECLARATIONS", line)) {
    Report("\nPuudub sektsioon SET-DECLARATIONS");
    throw Failure();
  }
  std::string rule;
  while (rd.Rule(rule)) ReadSet(rule);
  rd.BodyHeader("CLAUSE-BOUNDARY-CONSTRAINTS", "\nPuudub sektsioon CLAUSE-BOUNDARY-CONSTRAINTS\n");
  ReadConstraints(rd, detail::kClauseBoundary);
  rd.BodyHeader("DISAMBIGUATION-CONSTRAINTS", "\nPuudub sektsioon DISAMBIGUATION-CONSTRAINTS");
  ReadConstraints(rd, detail::kDisambiguation);
  if (st.heuristic) {
    rd.BodyHeader("HEURISTIC-DISAMBIGUATION-CONSTRAINTS",
                  "\nPuudub sektsioon HEURISTIC-DISAMBIGUATION-CONSTRAINTS");
    ReadConstraints(rd, detail::kHeuristic);
  }
}

}  // namespace

void FreeRules() {
  auto& st = S();
  st.delimiters.clear();
  st.sets.clear();
  st.setIndex.clear();
  for (auto& l : st.lists) l.clear();
  st.tagIds.clear();
}

int ReadRuleFile(std::FILE* rules) {
  FreeRules();
  S().lineCounter = 0;
  Reader rd(rules);
  try {
    ReadAll(rd);
  } catch (const Failure&) {
    return 1;
  } catch (const std::bad_alloc&) {
    Report("\nM\xe4lu ei j\xe4tku! \n");
    return 1;
  }
  return 0;
}

}  // namespace vaarikas::disamb
