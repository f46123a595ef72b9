// Constraint engine: the pass schedule over one sentence, applying
// clause-boundary, disambiguation and heuristic constraints to its cohorts.
//
// Set members are matched as whole space-delimited words of a reading's
// text. To keep that cheap, each reading's words are looked up once in the
// dictionary of rule tags and kept as sorted ids; a member matches when all
// of its tag ids are among them.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "disamb/disamb.h"
#include "disamb/state.h"

namespace vaarikas::disamb {
namespace {

using detail::Condition;
using detail::Constraint;
using detail::Member;
using detail::S;

bool IsMarker(const Cohort& c) { return !c.word.empty() && c.word[0] == '$'; }
bool IsSkipped(const Cohort& c) { return c.word.size() >= 2 && c.word[0] == '$' && c.word[1] == '<'; }

// The rule tags that occur in the text with a blank on each side.
void IndexTags(Reading& r) {
  r.tags.clear();
  const auto& ids = S().tagIds;
  std::string_view t = r.text;
  size_t p = t.find(' ');
  std::string word;
  while (p != std::string_view::npos) {
    size_t q = t.find(' ', p + 1);
    if (q == std::string_view::npos) break;
    if (q > p + 1) {
      word.assign(t.substr(p + 1, q - p - 1));
      auto it = ids.find(word);
      if (it != ids.end()) r.tags.push_back(it->second);
    }
    p = q;
  }
  std::sort(r.tags.begin(), r.tags.end());
  r.tags.erase(std::unique(r.tags.begin(), r.tags.end()), r.tags.end());
  r.inSet.assign(S().sets.size(), -1);
  r.tagsValid = true;
}

bool MemberMatches(const Member& m, Reading& r) {
  if (!r.tagsValid) IndexTags(r);
  if (m.tags.size() == 1) return std::binary_search(r.tags.begin(), r.tags.end(), m.tags[0]);
  return std::includes(r.tags.begin(), r.tags.end(), m.tags.begin(), m.tags.end());
}

bool InSetUncached(int set, Reading& r) {
  for (const Member& m : S().sets[set].members)
    if (MemberMatches(m, r)) return true;
  return false;
}

// Set membership, kept per reading until its text changes.
bool InSet(int set, Reading& r) {
  if (!r.tagsValid) IndexTags(r);
  if (set < 0 || static_cast<size_t>(set) >= r.inSet.size()) return InSetUncached(set, r);
  int8_t& known = r.inSet[static_cast<size_t>(set)];
  if (known < 0) known = InSetUncached(set, r) ? 1 : 0;
  return known != 0;
}

int EndIndex() { return static_cast<int>(S().sentence.cohorts.size()) - 1; }
Cohort& At(int i) { return S().sentence.cohorts[static_cast<size_t>(i)]; }

// Every counted reading carries "**CLB" (the end cohort always counts).
bool IsCertainBoundary(int i) {
  if (i == EndIndex()) return true;
  const Cohort& c = At(i);
  int32_t marked = 0;
  for (const Reading& r : c.readings)
    if (r.mark == 1) ++marked;
  return marked == c.count;
}

bool IsPossibleBoundary(int i) {
  for (const Reading& r : At(i).readings)
    if (r.mark != 0) return true;
  return false;
}

void FindRightBoundaries(int from, bool full) {
  auto& st = S();
  st.rightPossible = -1;
  const int end = EndIndex();
  for (int i = from + 1; i <= end; ++i) {
    if (At(i).count == 0) continue;
    if (i == end || IsCertainBoundary(i)) {
      st.rightBoundary = i;
      if (st.rightPossible < 0) st.rightPossible = i;
      return;
    }
    if (IsPossibleBoundary(i)) {
      if (st.rightPossible < 0) st.rightPossible = i;
      if (!full) return;
    }
  }
}

enum Direction { kLeft, kRight };

// Moves the cursor one cohort; true when blocked.
bool Step(Direction dir, int mode, int leftStop, int rightStop, bool useStops) {
  auto& st = S();
  if (dir == kRight) {
    if (st.cursor >= EndIndex()) return true;
    ++st.cursor;
    return ((mode == 1 || mode == 2) && st.cursor == st.rightBoundary) ||
           (mode == 2 && st.cursor == st.rightPossible) || (useStops && st.cursor == rightStop);
  }
  if (((mode == 1 || mode == 2) && st.cursor == st.leftBoundary) || (mode == 2 && st.cursor == st.leftPossible) ||
      st.cursor <= 0)
    return true;
  --st.cursor;
  return useStops && st.cursor == leftStop;
}

// One step and then over any "$<" cohorts.
bool StepCounted(Direction dir, int mode, int leftStop, int rightStop, bool useStops) {
  if (Step(dir, mode, leftStop, rightStop, useStops)) return true;
  while (IsSkipped(At(S().cursor)))
    if (Step(dir, mode, leftStop, rightStop, useStops)) return true;
  return false;
}

bool WalkCondition(const Constraint& k, size_t ci, int leftStop, int rightStop, int mode);

bool TestAt(const Constraint& k, size_t ci, int leftStop, int rightStop, int mode) {
  auto& st = S();
  const Condition& c = k.conditions[ci];
  Cohort& co = At(st.cursor);
  if (co.count == 0 && !IsMarker(co)) return false;
  bool result = false;
  if (!c.careful) {
    for (Reading& r : co.readings)
      if (InSet(c.set, r)) {
        result = true;
        break;
      }
  } else {
    int32_t n = 0;
    for (Reading& r : co.readings)
      if (InSet(c.set, r)) ++n;
    result = n > 0 && n == co.count;
  }
  if (c.negated) result = !result;
  if (result && ci + 1 < k.conditions.size() && k.conditions[ci + 1].link != detail::kNoLink) {
    const Condition& next = k.conditions[ci + 1];
    int here = st.cursor;
    int ls = next.offset > 0 ? here : leftStop;
    int rs = next.offset < 0 ? here : rightStop;
    result = WalkCondition(k, ci + 1, ls, rs, mode);
  }
  return result;
}

bool WalkCondition(const Constraint& k, size_t ci, int leftStop, int rightStop, int mode) {
  auto& st = S();
  const Condition& c = k.conditions[ci];
  Direction dir = c.offset > 0 ? kRight : kLeft;
  if (c.link == detail::kLinkR) dir = kRight;
  if (c.link == detail::kLinkL) dir = kLeft;
  const int steps = c.offset < 0 ? -c.offset : c.offset;
  bool blocked = false;
  for (int i = 1; i <= steps && !blocked; ++i) blocked = StepCounted(dir, mode, leftStop, rightStop, i == steps);
  const bool linkedNext = ci + 1 < k.conditions.size() && k.conditions[ci + 1].link != detail::kNoLink;
  if (blocked) {
    if (!c.negated) return false;
    if (linkedNext) return WalkCondition(k, ci + 1, leftStop, rightStop, mode);
    return true;
  }
  int here = st.cursor;
  bool r = TestAt(k, ci, leftStop, rightStop, mode);
  st.cursor = here;
  if (!c.scan) return r;
  for (;;) {
    if (!c.negated && r) return true;
    if (c.negated && !r) return false;
    if (StepCounted(dir, mode, leftStop, rightStop, true)) return r;
    here = st.cursor;
    r = TestAt(k, ci, leftStop, rightStop, mode);
    st.cursor = here;
  }
}

void MarkBoundary(Reading& r, int op) {
  if (op == 1) {
    if (r.mark == 1) return;
    r.mark = 1;
    size_t p = r.text.find("**CLB-C ");
    if (p != std::string::npos)
      r.text.resize(p + 6);  // "**CLB-C " becomes "**CLB "
    else if (r.text.find("**CLB") == std::string::npos)
      r.text += " **CLB ";
    if (p != std::string::npos) r.text[p + 5] = ' ';
  } else {
    if (r.mark != 0) return;
    r.mark = 2;
    r.text += " **CLB-C ";
  }
  r.tagsValid = false;
}

// Removes a reading; only counted ones lower the cohort's reading count.
void RemoveReading(Cohort& co, size_t i) {
  if (co.readings[i].counted) --co.count;
  co.readings.erase(co.readings.begin() + static_cast<std::ptrdiff_t>(i));
}

bool ApplyToCohort(int ci, const std::vector<Constraint>& list, int kind) {
  auto& st = S();
  bool any = false;
  static std::vector<char> inTarget;
  // The tags of all the cohort's readings: a target none of whose readings
  // has the target's first tag matches no reading, and the rule is passed
  // over as it would be after testing every reading. Readings only go away
  // or (with the break below) get a clause mark while the list is applied,
  // so the union taken here stays a superset.
  static std::vector<char> present;
  present.assign(st.tagIds.size(), 0);
  for (Reading& r : At(ci).readings) {
    if (!r.tagsValid) IndexTags(r);
    for (int32_t id : r.tags)
      if (id >= 0 && static_cast<size_t>(id) < present.size()) present[static_cast<size_t>(id)] = 1;
  }
  for (const Constraint& k : list) {
    Cohort& co = At(ci);
    const bool all = kind == detail::kClauseBoundary && k.anyTarget;
    if (!all && !k.target.tags.empty()) {
      const int32_t key = k.target.tags.front();
      if (key >= 0 && static_cast<size_t>(key) < present.size() && !present[static_cast<size_t>(key)]) continue;
    }
    if (k.domain != "@w" && k.domain != co.word && k.domain != co.lower) continue;
    inTarget.assign(co.readings.size(), 1);
    if (!all) {
      bool someIn = false, someOut = false;
      for (size_t i = 0; i < co.readings.size(); ++i) {
        inTarget[i] = MemberMatches(k.target, co.readings[i]) ? 1 : 0;
        (inTarget[i] ? someIn : someOut) = true;
      }
      if (!someIn || !someOut) continue;
    }
    bool holds = true;
    for (size_t c = 0; c < k.conditions.size() && holds; ++c) {
      if (k.conditions[c].link != detail::kNoLink) continue;
      st.cursor = ci;
      holds = WalkCondition(k, c, ci, ci, k.clauseMode);
    }
    bool applied = false;
    if (kind == detail::kClauseBoundary) {
      if (holds) {
        for (size_t i = 0; i < co.readings.size(); ++i)
          if (inTarget[i]) MarkBoundary(co.readings[i], k.op);
        applied = true;
      }
    } else if (holds || k.op == 2) {
      // "=0" removes the target; "=!" and "=!!" keep only it; "=!!" whose
      // context fails removes the target.
      const char removeIn = (k.op == 0 || !holds) ? 1 : 0;
      for (size_t i = co.readings.size(); i-- > 0;)
        if (inTarget[i] == removeIn) RemoveReading(co, i);
      applied = true;
    }
    any = any || applied;
    if (kind != detail::kClauseBoundary && co.count == 1) break;
    if (kind == detail::kClauseBoundary && applied) break;
  }
  return any;
}

bool ApplyList(const std::vector<Constraint>& list, int kind) {
  auto& st = S();
  const int end = EndIndex();
  int i = 1;
  while (i < end && IsMarker(At(i))) ++i;
  st.rightBoundary = end;
  st.rightPossible = -1;
  if (kind != detail::kClauseBoundary) {
    st.leftBoundary = st.leftPossible = i;
    FindRightBoundaries(i, true);
  }
  bool any = false;
  for (; i < end; ++i) {
    Cohort& co = At(i);
    if (IsMarker(co)) continue;
    if (kind == detail::kClauseBoundary) {
      any = ApplyToCohort(i, list, kind) || any;
      continue;
    }
    if (co.count >= 1) {
      if (i == st.rightBoundary) {
        st.leftBoundary = st.leftPossible = i;
        FindRightBoundaries(i, true);
      } else if (i == st.rightPossible) {
        st.leftPossible = i;
        FindRightBoundaries(i, false);
      }
    }
    if (co.count > 1) any = ApplyToCohort(i, list, kind) || any;
  }
  return any;
}

}  // namespace

void RunPasses() {
  auto& st = S();
  if (st.sentence.cohorts.size() < 2) return;
  const auto& cb = st.lists[detail::kClauseBoundary];
  const auto& da = st.lists[detail::kDisambiguation];
  if (st.sentence.wordCount != 0) ApplyList(cb, detail::kClauseBoundary);
  for (int n = 0; n < 3; ++n) {
    ApplyList(da, detail::kDisambiguation);
    ApplyList(cb, detail::kClauseBoundary);
  }
  if (st.heuristic) {
    ApplyList(st.lists[detail::kHeuristic], detail::kHeuristic);
    ApplyList(da, detail::kDisambiguation);
    ApplyList(cb, detail::kClauseBoundary);
  }
}

}  // namespace vaarikas::disamb
