// The syntax engine works on the reading lines as text: tags are the
// space-separated words after the analysis marker "//", syntactic tags the
// words that begin with "@".
#include "syntax/engine.h"

#include <climits>
#include <cstring>
#include <unordered_map>

#include "syntax/rules.h"

namespace vaarikas::syntax {
namespace {

constexpr size_t npos = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Exclusive bounds of the cohorts a condition may look at, by index.
struct Bounds {
  int left = -1;        // -1: no left bound
  int right = INT_MAX;  // INT_MAX: no right bound
  bool Inside(int c) const { return c > left && c < right; }
};

bool SameBytes(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Whether w occurs in the line from position `from` on with a blank or "/"
// (or also ",", when commaBefore) before it and a blank, "," or the line end
// after it. Written out by hand: lines are short and the calls many.
bool FindWord(std::string_view line, size_t from, std::string_view w, bool commaBefore) {
  const size_t n = line.size(), wl = w.size();
  if (wl == 0 || from == 0 || from > n) return false;
  const char* d = line.data();
  const char w0 = w[0];
  for (size_t at = from; at + wl <= n; ++at) {
    if (d[at] != w0) continue;
    const char b = d[at - 1];
    if (b != ' ' && b != '\t' && b != '/' && !(commaBefore && b == ',')) continue;
    if (!SameBytes(d + at + 1, w.data() + 1, wl - 1)) continue;
    const size_t after = at + wl;
    if (after == n) return true;
    const char a = d[after];
    if (a == ' ' || a == '\t' || a == '\n' || a == ',') return true;
  }
  return false;
}

// Position of the analysis marker "//" after the line's first character.
size_t MarkerOf(std::string_view line) {
  const char* d = line.data();
  for (size_t i = 1; i + 1 < line.size(); ++i)
    if (d[i] == '/' && d[i + 1] == '/') return i;
  return npos;
}

// Tag match of one token against one reading line whose marker position is
// known.
bool TagMatch(const TagPattern& t, std::string_view line, size_t marker) {
  switch (t.kind) {
    case TagPattern::kStart:
      return line == "<<<";
    case TagPattern::kEnd:
      return line == ">>>";
    default:
      break;
  }
  if (marker == npos) return false;
  if (t.kind == TagPattern::kQuoted) {
    if (line.size() < 4) return false;
    size_t end = line.find('+', 4);
    if (end == npos) end = line.find(' ', 4);
    if (end == npos) end = line.size();
    return line.substr(4, end - 4) == t.text;
  }
  return FindWord(line, marker + 2, t.text, false);
}

bool SetMatch(const SyntaxSet& set, std::string_view line) {
  const size_t marker = MarkerOf(line);
  for (const auto& parts : set.conjunctions) {
    bool all = true;
    for (const TagPattern& p : parts)
      if (!TagMatch(p, line, marker)) {
        all = false;
        break;
      }
    if (all) return true;
  }
  return false;
}

// Number of "@" tags from position 10 on.
int CountAtTags(std::string_view line) {
  int n = 0;
  for (size_t i = line.find('@', 10); i != npos && i < line.size(); i = line.find('@', i + 1))
    if (IsBlank(line[i - 1])) ++n;
  return n;
}

// A word of the line: preceded by a blank or "/" (or at the start), followed
// by a blank, "," or the line end.
bool HasWord(std::string_view line, std::string_view w) {
  if (w.empty()) return false;
  for (size_t at = line.find(w); at != npos; at = line.find(w, at + 1)) {
    if (at > 0 && !IsBlank(line[at - 1]) && line[at - 1] != '/') continue;
    size_t after = at + w.size();
    if (after == line.size()) return true;
    char a = line[after];
    if (IsBlank(a) || a == '\n' || a == ',') return true;
  }
  return false;
}

// "**CLB" as a tag of its own (not the start of "**CLB-C").
bool HasCertainMark(std::string_view line) {
  for (size_t at = line.find("**CLB"); at != npos; at = line.find("**CLB", at + 1)) {
    size_t after = at + 5;
    if (after == line.size() || IsBlank(line[after]) || line[after] == '\n') return true;
  }
  return false;
}

void EnsureLineEnd(std::string& s) {
  if (s.empty() || s.back() != '\n') s.push_back('\n');
}

// Appends text before the line end.
void AppendTag(std::string& s, std::string_view text) {
  if (!s.empty() && s.back() == '\n') s.pop_back();
  s.append(text);
  s.push_back('\n');
}

bool MappingTargetMatch(const SyntaxMapping& m, std::string_view line) {
  if (m.target.empty()) return false;
  if (m.target.front() == "*") return true;
  size_t marker = line.find("//");
  if (marker == npos) return false;
  for (const std::string& tok : m.target) {
    if (tok.size() >= 2 && tok.front() == '"' && tok.back() == '"') {
      size_t start = line.find_first_not_of(" \t");
      if (start == npos) return false;
      size_t plus = line.find('+', start);
      if (plus == npos) return false;
      if (line.substr(start, plus - start) != std::string_view(tok).substr(1, tok.size() - 2)) return false;
      continue;
    }
    if (!FindWord(line, marker == 0 ? 1 : marker, tok, true)) return false;
  }
  return true;
}

bool IsAnyDomain(const SyntaxConstraint& c) { return c.domain.size() == 2 && c.domain[0] == '@' && c.domain[1] == 'w'; }

std::string_view DomainWanted(const SyntaxConstraint& c) {
  std::string_view want = c.domain;
  if (want.size() >= 2 && want.front() == '"' && want.back() == '"') want = want.substr(1, want.size() - 2);
  return want;
}

// DomainMatch for a domain other than "@w", with its wanted text and the
// line's first non-blank position (npos for none) already known.
bool DomainTextMatch(std::string_view want, std::string_view line, size_t start) {
  if (start == npos) return false;
  // Either way the compared text begins at `start`: a cheap first test.
  if (line.size() - start < want.size() || !SameBytes(line.data() + start, want.data(), want.size())) return false;
  size_t plus = line.rfind('+');
  if (plus != npos && plus >= start) return line.substr(start, plus - start) == want;
  size_t slash = line.find('/', start);
  std::string_view base = line.substr(start, slash == npos ? npos : slash - start);
  while (!base.empty() && (base.back() == ' ' || base.back() == '\n')) base.remove_suffix(1);
  return base == want;
}

bool DomainMatch(const SyntaxConstraint& c, std::string_view line) {
  if (IsAnyDomain(c)) return true;
  return DomainTextMatch(DomainWanted(c), line, line.find_first_not_of(" \t"));
}

// The words of a reading line after its marker, for testing many tags
// against one line: every text that follows a blank or "/" up to the next
// blank, "," or line end. A tag without such characters of its own matches
// the line exactly when it is one of these words.
class WordIndex {
 public:
  void Build(std::string_view line) {
    line_ = line;
    marker_ = MarkerOf(line);
    words_.clear();
    if (marker_ == npos) return;
    for (size_t p = marker_ + 2; p < line.size(); ++p) {
      const char b = line[p - 1];
      if (b != ' ' && b != '\t' && b != '/') continue;
      size_t q = p;
      while (q < line.size() && line[q] != ' ' && line[q] != '\t' && line[q] != '\n' && line[q] != ',') ++q;
      words_.push_back(line.substr(p, q - p));
    }
  }
  bool Match(const TagPattern& t) const {
    if (t.kind != TagPattern::kWord || t.text.find_first_of(" \t\n,") != std::string::npos)
      return TagMatch(t, line_, marker_);
    if (marker_ == npos || t.text.empty()) return false;
    for (std::string_view w : words_)
      if (w.size() == t.text.size() && SameBytes(w.data(), t.text.data(), w.size())) return true;
    return false;
  }
  const std::vector<std::string_view>& Words() const { return words_; }

 private:
  std::string_view line_;
  size_t marker_ = npos;
  std::vector<std::string_view> words_;
};

bool ConstraintTargetMatch(const SyntaxConstraint& c, const WordIndex& words) {
  if (c.target.empty()) return false;
  if (c.target.front() == "*") return true;
  for (const TagPattern& p : c.targetPatterns)
    if (words.Match(p)) return true;
  return false;
}

bool ConstraintTargetMatch(const SyntaxConstraint& c, std::string_view line) {
  WordIndex words;
  words.Build(line);
  return ConstraintTargetMatch(c, words);
}

bool IsDelimiterWord(std::string_view word) {
  size_t end = word.find_first_of(" \n");
  std::string_view cut = word.substr(0, end);
  for (const std::string& d : g_rules.delimiters)
    if (cut == d) return true;
  return false;
}


// A prefilter over the rules, so that a reading is tested in full only
// against the rules that can match it. A "plain" tag (no blank, tab, line
// end, "," or "/") can match a reading line only where it stands in it as a
// whole run between those characters; the index numbers every plain tag of
// the rule targets, and a reading's runs are looked up once. A rule whose
// target has a tag that is not plain is always tested in full.
bool IsRunBreak(char c) { return c == ' ' || c == '\t' || c == '\n' || c == ',' || c == '/'; }

bool IsPlainTag(std::string_view t) {
  if (t.empty() || t.front() == '"') return false;
  for (char c : t)
    if (IsRunBreak(c)) return false;
  return true;
}

struct RuleIndex {
  unsigned generation = ~0u;
  std::unordered_map<std::string_view, int> ids;  // views into g_rules
  // Constraints (any target tag suffices).
  std::vector<std::vector<int>> constraintsByTag;
  std::vector<char> constraintAlways;
  std::vector<char> constraintStar;      // target "*": every reading
  std::vector<char> constraintAnyDomain; // domain "@w"
  std::vector<std::string_view> constraintDomain;
  std::vector<size_t> nextNonRemove;  // first rule from i on whose operator is not "=s?" (size: none)
  // The conditions never look at the target's own cohort (no position 0,
  // no link chains): their result is the same for every reading of it.
  std::vector<char> constraintOutward;
  // Mappings (every target tag must occur): the plain tags' numbers.
  std::vector<std::vector<int>> mappingTags;
  std::vector<char> mappingAlways;

  int Id(std::string_view t) {
    auto [it, added] = ids.emplace(t, static_cast<int>(ids.size()));
    if (added) constraintsByTag.emplace_back();
    return it->second;
  }
  int sets = 0;

  void Build() {
    *this = RuleIndex();
    generation = g_rulesGeneration;
    for (SyntaxSet& set : g_rules.sets) set.number = sets++;
    const auto& cs = g_rules.constraints;
    constraintAlways.assign(cs.size(), 0);
    constraintStar.assign(cs.size(), 0);
    constraintAnyDomain.assign(cs.size(), 0);
    constraintDomain.assign(cs.size(), {});
    constraintOutward.assign(cs.size(), 0);
    for (size_t i = 0; i < cs.size(); ++i) {
      const SyntaxConstraint& c = cs[i];
      constraintAnyDomain[i] = IsAnyDomain(c) ? 1 : 0;
      constraintDomain[i] = DomainWanted(c);
      bool outward = true;
      for (const SyntaxCondition& cond : c.conditions)
        if (cond.position == 0 || !cond.links.empty()) outward = false;
      constraintOutward[i] = outward ? 1 : 0;
      constraintStar[i] = !c.target.empty() && c.target.front() == "*";
      if (c.target.empty()) continue;  // never matches
      bool always = c.target.front() == "*";
      for (const TagPattern& p : c.targetPatterns)
        if (p.kind != TagPattern::kWord || !IsPlainTag(p.text)) always = true;
      if (always) {
        constraintAlways[i] = 1;
        continue;
      }
      for (const TagPattern& p : c.targetPatterns) {
        auto& list = constraintsByTag[static_cast<size_t>(Id(p.text))];
        if (list.empty() || list.back() != static_cast<int>(i)) list.push_back(static_cast<int>(i));
      }
    }
    nextNonRemove.assign(cs.size() + 1, cs.size());
    for (size_t i = cs.size(); i-- > 0;) nextNonRemove[i] = cs[i].op != kOpRemoveReading ? i : nextNonRemove[i + 1];
    const auto& ms = g_rules.mappings;
    mappingAlways.assign(ms.size(), 0);
    mappingTags.assign(ms.size(), {});
    for (size_t i = 0; i < ms.size(); ++i) {
      const SyntaxMapping& m = ms[i];
      if (m.target.empty()) continue;  // never matches
      if (m.target.front() == "*") {
        mappingAlways[i] = 1;
        continue;
      }
      for (const std::string& t : m.target)
        if (IsPlainTag(t)) mappingTags[i].push_back(Id(t));
      if (mappingTags[i].empty()) mappingAlways[i] = 1;
    }
  }
};

RuleIndex& Index() {
  static RuleIndex index;
  if (index.generation != g_rulesGeneration) index.Build();
  return index;
}

// The indexed tags that stand as runs in one reading line.
class ReadingTags {
 public:
  explicit ReadingTags(const RuleIndex& index) : index_(index), present_(index.ids.size(), 0) {}
  void Build(std::string_view line) {
    for (int id : found_) present_[static_cast<size_t>(id)] = 0;
    found_.clear();
    if (index_.ids.empty()) return;
    const char* d = line.data();
    const size_t n = line.size();
    size_t p = 0;
    while (p < n) {
      while (p < n && IsRunBreak(d[p])) ++p;
      size_t q = p;
      while (q < n && !IsRunBreak(d[q])) ++q;
      if (q > p) {
        auto it = index_.ids.find(std::string_view(d + p, q - p));
        if (it != index_.ids.end() && !present_[static_cast<size_t>(it->second)]) {
          present_[static_cast<size_t>(it->second)] = 1;
          found_.push_back(it->second);
        }
      }
      p = q;
    }
  }
  bool Has(int id) const { return present_[static_cast<size_t>(id)] != 0; }
  const std::vector<int>& Found() const { return found_; }

 private:
  const RuleIndex& index_;
  std::vector<char> present_;
  std::vector<int> found_;
};

// The engine over one sentence.
class Engine {
 public:
  explicit Engine(SyntaxSentence& s) : s_(s), n_(static_cast<int>(s.cohorts.size())) { InitMemo(); }

  // Set-match results of the readings, kept while the readings stay as
  // they are: by cohort, reading number and set. Every change of a reading
  // forgets its results. Used only when each cohort numbers its readings
  // 0..count-1, as the reader does.
  void InitMemo() {
    nsets_ = Index().sets;
    memoOn_ = false;
    if (nsets_ == 0) return;
    first_.resize(static_cast<size_t>(n_) + 1);
    size_t slots = 0;
    for (int i = 0; i < n_; ++i) {
      const SyntaxCohort& c = s_.cohorts[static_cast<size_t>(i)];
      const size_t count = 1 + c.others.size();
      seen_.assign(count, 0);
      auto note = [&](int number) {
        if (number < 0 || static_cast<size_t>(number) >= count || seen_[static_cast<size_t>(number)]) return false;
        seen_[static_cast<size_t>(number)] = 1;
        return true;
      };
      if (!note(c.activeNumber)) return;
      for (const SyntaxReading& r : c.others)
        if (!note(r.number)) return;
      first_[static_cast<size_t>(i)] = slots;
      slots += count;
    }
    if (slots * static_cast<size_t>(nsets_) > (size_t{1} << 26)) return;  // a giant sentence: no memo
    memo_.assign(slots * static_cast<size_t>(nsets_), -1);
    memoOn_ = true;
  }
  bool Match(const SyntaxSet& set, int ci, int number, const std::string& r) {
    if (!memoOn_ || set.number < 0 || set.number >= nsets_) return SetMatch(set, r);
    signed char& m = memo_[(first_[static_cast<size_t>(ci)] + static_cast<size_t>(number)) * static_cast<size_t>(nsets_) +
                           static_cast<size_t>(set.number)];
    if (m < 0) m = SetMatch(set, r) ? 1 : 0;
    return m != 0;
  }
  // The reading with this number changed.
  void Forget(int ci, int number) {
    if (!memoOn_) return;
    auto at = memo_.begin() + static_cast<std::ptrdiff_t>((first_[static_cast<size_t>(ci)] + static_cast<size_t>(number)) *
                                                         static_cast<size_t>(nsets_));
    std::fill(at, at + nsets_, static_cast<signed char>(-1));
  }
  // The cohort's readings were removed or renumbered.
  void ForgetCohort(int ci) {
    if (!memoOn_) return;
    auto at = memo_.begin() + static_cast<std::ptrdiff_t>(first_[static_cast<size_t>(ci)] * static_cast<size_t>(nsets_));
    auto end = memo_.begin() + static_cast<std::ptrdiff_t>((ci + 1 < n_ ? first_[static_cast<size_t>(ci) + 1] : memo_.size() / static_cast<size_t>(nsets_)) *
                                                          static_cast<size_t>(nsets_));
    std::fill(at, end, static_cast<signed char>(-1));
  }

  void ResetWindows() {
    lc_ = lp_ = 0;
    rc_ = FindCertain(1);
    rp_ = FindPossible(1);
  }
  void Arrive(int x) {
    if (x == rc_) {
      rc_ = FindCertain(x + 1);
      rp_ = FindPossible(x + 1);
      lc_ = lp_ = x - 1;
    } else if (x == rp_) {
      rp_ = FindPossible(x + 1);
      lp_ = x - 1;
    }
  }
  Bounds Window(int kind) const {
    if (kind == 1) return Bounds{lp_, rp_ < 0 ? INT_MAX : rp_};
    if (kind == 2) return Bounds{lc_, rc_ < 0 ? INT_MAX : rc_};
    return Bounds{};
  }

  bool Conditions(const std::vector<SyntaxCondition>& conds, int t, Bounds w) {
    for (const SyntaxCondition& c : conds)
      if (!Eval(c, c.links.data(), c.links.size(), t, w)) return false;
    return true;
  }

  void MarkBoundaries(int op);
  void Map();
  void Constrain();

 private:
  template <class F>
  void ForEachReading(const SyntaxCohort& c, F&& f) const {
    if (!f(c.active)) return;
    for (const SyntaxReading& r : c.others)
      if (!f(r.text)) return;
  }
  // The same with each reading's number.
  template <class F>
  void ForEachNumbered(const SyntaxCohort& c, F&& f) const {
    if (!f(c.active, c.activeNumber)) return;
    for (const SyntaxReading& r : c.others)
      if (!f(r.text, r.number)) return;
  }
  bool AllReadingsMatch(const SyntaxSet& set, int ci) {
    bool all = true;
    ForEachNumbered(s_.cohorts[ci], [&](const std::string& r, int number) { return all = Match(set, ci, number, r); });
    return all;
  }
  bool CarefulHolds(const SyntaxSet& set, int ci) {
    if (!AllReadingsMatch(set, ci)) return false;
    if (!set.hasAtMember) return true;
    bool ok = true;
    ForEachReading(s_.cohorts[ci], [&](const std::string& r) { return ok = CountAtTags(r) < 2; });
    return ok;
  }
  int FindCertain(int from) const {
    for (int i = from; i < n_ - 1; ++i) {
      bool all = true;
      ForEachReading(s_.cohorts[i], [&](const std::string& r) { return all = HasCertainMark(r); });
      if (all) return i;
    }
    return -1;
  }
  int FindPossible(int from) const {
    for (int i = from; i < n_ - 1; ++i) {
      bool any = false;
      ForEachReading(s_.cohorts[i], [&](const std::string& r) { return !(any = r.find("**CLB") != npos); });
      if (any) return i;
    }
    return -1;
  }

  bool Eval(const SyntaxCondition& c, const SyntaxCondition* chain, size_t chainLen, int t, Bounds w);
  enum class ChainResult { kHold, kFail, kAbort };
  ChainResult EvalChain(const SyntaxCondition* chain, size_t chainLen, int ci, Bounds b, bool linkRight);

  SyntaxSentence& s_;
  int n_;
  bool memoOn_ = false;
  int nsets_ = 0;
  std::vector<size_t> first_;  // first memo row of each cohort
  std::vector<signed char> memo_;
  std::vector<char> seen_;
  int lc_ = 0, lp_ = 0, rc_ = -1, rp_ = -1;
};

bool Engine::Eval(const SyntaxCondition& c, const SyntaxCondition* chain, size_t chainLen, int t, Bounds w) {
  const int step = c.right ? 1 : -1;
  long long target = static_cast<long long>(t) + static_cast<long long>(step) * c.position;
  if (target < 0 || target >= n_) return !c.positive;
  int ci = static_cast<int>(target);
  Bounds b = c.position == 0 ? w : c.right ? Bounds{ci - 1, w.right} : Bounds{w.left, ci + 1};
  bool first = true;
  for (;;) {
    if (!b.Inside(ci)) return !c.positive;
    const bool atZero = first && c.position == 0;
    const SyntaxCohort& cohort = s_.cohorts[ci];
    bool matchedHere = false;
    int decided = -1;  // -1 undecided, 0 fails, 1 holds
    auto tryReading = [&](const std::string& r, int number) -> bool {  // false: stop trying readings of C
      if (!Match(*c.set, ci, number, r)) return true;
      matchedHere = true;
      if (c.positive) {
        if (c.careful && !CarefulHolds(*c.set, ci)) {
          if (atZero) decided = 0;
          return false;
        }
        if (chainLen == 0) {
          decided = 1;
          return false;
        }
        ChainResult res = EvalChain(chain, chainLen, ci, b, c.right);
        if (res == ChainResult::kHold) {
          decided = 1;
          return false;
        }
        if (res == ChainResult::kAbort || atZero) {
          decided = 0;
          return false;
        }
        return true;
      }
      if (!c.careful || AllReadingsMatch(*c.set, ci)) decided = 0;
      return false;
    };
    if (atZero) {
      tryReading(cohort.active, cohort.activeNumber);
    } else {
      ForEachNumbered(cohort, tryReading);
    }
    if (decided >= 0) return decided == 1;
    if (c.scan == 0) return !c.positive;
    if (c.scan == 2 && matchedHere) return !c.positive;
    ci += step;
    first = false;
    if (ci < 0 || ci >= n_) return !c.positive;
  }
}

Engine::ChainResult Engine::EvalChain(const SyntaxCondition* chain, size_t chainLen, int ci, Bounds b,
                                      bool linkRight) {
  const SyntaxCondition& e = chain[0];
  Bounds eb;
  switch (e.letter) {
    case 'L':
      eb = Bounds{b.left, ci};
      break;
    case 'R':
      eb = Bounds{ci, b.right};
      break;
    case 'W':
      eb = b;
      break;
    default:
      return ChainResult::kFail;
  }
  if (Eval(e, chain + 1, chainLen - 1, ci, eb)) return ChainResult::kHold;
  if (!e.positive && ((e.letter == 'L' && linkRight) || (e.letter == 'R' && !linkRight))) return ChainResult::kAbort;
  return ChainResult::kFail;
}

// Visits every reading of a cohort once, in ring order; the ring is back in
// its first order afterwards.
template <class F>
void VisitReadings(SyntaxCohort& c, F&& f) {
  size_t count = 1 + c.others.size();
  for (size_t i = 0; i < count; ++i) {
    if (!c.active.empty()) f(c.active);
    RotateCohort(c);
  }
}

void Engine::MarkBoundaries(int op) {
  ResetWindows();
  for (int x = 1; x < n_ - 1; ++x) {
    Arrive(x);
    SyntaxCohort& c = s_.cohorts[x];
    if (IsDelimiterWord(c.word)) continue;
    VisitReadings(c, [&](std::string& r) {
      for (const SyntaxConstraint& rule : g_rules.clauseBoundaries) {
        if (rule.op != op) continue;
        if (!DomainMatch(rule, r) || !ConstraintTargetMatch(rule, r)) continue;
        if (!Conditions(rule.conditions, x, Window(rule.window))) continue;
        if (op == kOpPossibleBoundary) {
          if (r.find("**CLB") == npos) AppendTag(r, " **CLB-C");
          Forget(x, c.activeNumber);
          lp_ = x - 1;
          continue;
        }
        size_t at = r.find("**CLB-C");
        if (at != npos) {
          r.erase(at, at + 7 < r.size() ? 8 : 7);
          AppendTag(r, " **CLB");
        } else if (r.find("**CLB") == npos) {
          AppendTag(r, " **CLB");
        }
        Forget(x, c.activeNumber);
        lc_ = lp_ = x - 1;
        break;
      }
    });
  }
}

void Engine::Map() {
  RuleIndex& index = Index();
  const auto& mappings = g_rules.mappings;
  ReadingTags tags(index);
  ResetWindows();
  for (int x = 1; x < n_ - 1; ++x) {
    Arrive(x);
    SyntaxCohort& c = s_.cohorts[x];
    if (IsDelimiterWord(c.word)) continue;
    const bool delimiterInWord = ContainsDelimiter(c.word);
    VisitReadings(c, [&](std::string& r) {
      if (r.find('@') != npos) return;
      tags.Build(r);
      for (size_t i = 0; i < mappings.size(); ++i) {
        const SyntaxMapping& m = mappings[i];
        if (!index.mappingAlways[i]) {
          const std::vector<int>& need = index.mappingTags[i];
          if (need.empty()) continue;  // an empty target never matches
          bool all = true;
          for (int id : need)
            if (!tags.Has(id)) {
              all = false;
              break;
            }
          if (!all) continue;
        }
        if (!MappingTargetMatch(m, r)) continue;
        if (!Conditions(m.conditions, x, Window(m.window))) continue;
        for (const std::string& tag : m.tags) {
          if (HasWord(r, tag)) continue;
          std::string add = " " + tag;
          AppendTag(r, add);
        }
        Forget(x, c.activeNumber);
        if (r.find('@') != npos) break;
        tags.Build(r);
      }
      if (r.find('@') == npos && r.find('+') != npos && !delimiterInWord) {
        AppendTag(r, " @???");
        Forget(x, c.activeNumber);
      }
    });
  }
}

// Removes every "@" tag that is not one of the kept tags, with the character
// after it.
void KeepOnlyTags(std::string& r, const std::vector<std::string>& keep) {
  size_t i = r.size() > 10 ? 10 : r.size();
  while ((i = r.find('@', i)) != npos) {
    if (!IsBlank(r[i - 1])) {
      ++i;
      continue;
    }
    size_t end = r.find_first_of(" \t\n", i);
    if (end == npos) end = r.size();
    std::string_view tag = std::string_view(r).substr(i, end - i);
    bool kept = false;
    for (const std::string& k : keep)
      if (tag == k) kept = true;
    if (kept) {
      i = end;
      continue;
    }
    r.erase(i, end < r.size() ? end - i + 1 : end - i);
  }
}

// Removes the first occurrence of the tag that stands as a word of its own,
// with the character after it.
void RemoveTag(std::string& r, std::string_view tag) {
  if (tag.empty()) return;
  for (size_t at = r.find(tag); at != npos; at = r.find(tag, at + 1)) {
    if (at > 0 && !IsBlank(r[at - 1])) continue;
    size_t after = at + tag.size();
    if (after == r.size()) {
      r.erase(at);
      return;
    }
    char a = r[after];
    if (IsBlank(a) || a == '\n') {
      r.erase(at, tag.size() + 1);
      return;
    }
  }
}

void Engine::Constrain() {
  RuleIndex& index = Index();
  const auto& rules = g_rules.constraints;
  std::vector<char> hit(rules.size(), 0);
  std::vector<signed char> outward;  // per rule: -1 not yet known
  // A rule whose target tags are all plain matches exactly when one of
  // them is a word of the reading (see WordIndex::Match): its hit flag is
  // the whole target test.
  // hit: 1 for the rules to test, the always-tested ones and those
  // whose plain target has matched.
  auto markHits = [&](const WordIndex& w) {
    if (!hit.empty()) std::memcpy(hit.data(), index.constraintAlways.data(), hit.size());
    if (index.ids.empty()) return;
    for (std::string_view word : w.Words()) {
      auto it = index.ids.find(word);
      if (it == index.ids.end()) continue;
      for (int i : index.constraintsByTag[static_cast<size_t>(it->second)]) hit[static_cast<size_t>(i)] = 1;
    }
  };
  ResetWindows();
  for (int x = 1; x < n_ - 1; ++x) {
    Arrive(x);
    SyntaxCohort& c = s_.cohorts[x];
    int marked = -1;
    WordIndex words;
    outward.assign(rules.size(), -1);
    VisitReadings(c, [&](std::string& r) {
      // Both kept up to date after every change of the reading.
      int atTags = CountAtTags(r);
      words.Build(r);
      markHits(words);
      constexpr size_t kUnknown = npos - 1;
      size_t start = kUnknown;  // the reading's first non-blank position, found when needed
      const size_t n = rules.size();
      size_t from = 0;  // the next rule in order
      for (;;) {
        const void* next = from < n ? std::memchr(hit.data() + from, 1, n - from) : nullptr;
        const size_t i = next ? static_cast<size_t>(static_cast<const char*>(next) - hit.data()) : n;
        // The rules are worked through in order and stop at the first one
        // that is not "=s?" once the reading is the cohort's only one with
        // at most one "@" tag; the rules passed over count for that too.
        if (c.others.empty() && atTags <= 1 && index.nextNonRemove[from] <= i) break;
        if (i >= n) break;
        from = i + 1;
        const SyntaxConstraint& rule = rules[i];
        if (index.constraintAlways[i] && !index.constraintStar[i] && !ConstraintTargetMatch(rule, words)) continue;
        if (!index.constraintAnyDomain[i]) {
          if (start == kUnknown) start = r.find_first_not_of(" \t");
          if (!DomainTextMatch(index.constraintDomain[i], r, start)) continue;
        }
        // Nothing outside this cohort changes while its readings are
        // visited, so an outward result holds for all of them.
        if (index.constraintOutward[i]) {
          signed char& known = outward[i];
          if (known < 0) known = Conditions(rule.conditions, x, Window(rule.window)) ? 1 : 0;
          if (!known) continue;
        } else if (!Conditions(rule.conditions, x, Window(rule.window))) {
          continue;
        }
        if (rule.op == kOpRemoveTags) {
          for (const std::string& tag : rule.target)
            if (CountAtTags(r) >= 2) RemoveTag(r, tag);
        } else if (rule.op == kOpRemoveReading) {
          AppendTag(r, " ***");
          marked = c.activeNumber;
        } else {
          KeepOnlyTags(r, rule.target);
        }
        EnsureLineEnd(r);
        Forget(x, c.activeNumber);
        atTags = CountAtTags(r);
        words.Build(r);
        markHits(words);
        start = kUnknown;
      }
    });
    if (marked < 0 || c.others.empty()) continue;
    if (c.activeNumber == marked) {
      c.active = std::move(c.others.front().text);
      c.others.pop_front();
    } else {
      for (auto it = c.others.begin(); it != c.others.end(); ++it)
        if (it->number == marked) {
          c.others.erase(it);
          break;
        }
    }
    c.activeNumber = 0;
    int number = 1;
    for (SyntaxReading& o : c.others) o.number = number++;
    ForgetCohort(x);
  }
}

}  // namespace

void RotateCohort(SyntaxCohort& c) {
  if (c.others.empty()) return;
  c.others.push_back(SyntaxReading{std::move(c.active), c.activeNumber});
  c.active = std::move(c.others.front().text);
  c.activeNumber = c.others.front().number;
  c.others.pop_front();
}

bool ContainsDelimiter(std::string_view line) {
  for (const std::string& d : g_rules.delimiters)
    if (!d.empty() && line.find(d) != npos) return true;
  return false;
}

void MarkClauseBoundaries(SyntaxSentence& s, int op) { Engine(s).MarkBoundaries(op); }
void MapSentence(SyntaxSentence& s) { Engine(s).Map(); }
void ConstrainSentence(SyntaxSentence& s) { Engine(s).Constrain(); }

void AnalyseSentence(SyntaxSentence& s) {
  MarkClauseBoundaries(s, kOpCertainBoundary);
  MarkClauseBoundaries(s, kOpPossibleBoundary);
  MapSentence(s);
  for (int i = 0; i < kConstraintPasses; ++i) ConstrainSentence(s);
}

}  // namespace vaarikas::syntax
