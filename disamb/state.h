// Module-level state of the disambiguator (internal to disamb/).
#pragma once

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "disamb/disamb.h"

namespace vaarikas::disamb::detail {

// A member of a set or a constraint's target: the text " tag tag ... " and
// the ids of its tags, sorted and without repeats.
struct Member {
  std::string text;
  std::vector<int32_t> tags;
};

struct Set {
  std::string name;
  std::vector<Member> members;
};

enum LinkKind { kNoLink = 0, kLinkR = 1, kLinkL = 2, kLinkW = 3 };

struct Condition {
  bool careful = false;
  bool negated = false;
  int offset = 0;
  int link = kNoLink;
  bool scan = false;
  int set = -1;  // index into State::sets
};

enum ListKind { kClauseBoundary = 0, kDisambiguation = 1, kHeuristic = 2 };

struct Constraint {
  std::string domain;  // "@w" or a word form
  int op = 0;          // clause-boundary: 1 "=**CLB", 2 "=**CLB-C"; others: 0 "=0", 1 "=!", 2 "=!!"
  Member target;
  bool anyTarget = false;  // target " * "
  int clauseMode = 0;      // 0 none, 1 "CLB", 2 "CLB-C"
  std::vector<Condition> conditions;
};

struct State {
  // Files of the run.
  std::FILE* err = nullptr;
  std::FILE* rules = nullptr;
  std::FILE* in = nullptr;
  std::FILE* out = nullptr;
  std::string outName;

  // Switches.
  bool scrambled = false;
  bool heuristic = false;
  bool dropDuplicates = true;

  // Rules.
  std::vector<std::string> delimiters;
  std::vector<Set> sets;
  std::unordered_map<std::string, int> setIndex;
  std::vector<Constraint> lists[3];
  std::unordered_map<std::string, int32_t> tagIds;  // every tag used by a set or target
  int lineCounter = 0;

  // The sentence in memory.
  Sentence sentence;

  // Engine: positions are indices into sentence.cohorts; -1 means none.
  int cursor = 0;
  int leftBoundary = 0;
  int leftPossible = 0;
  int rightBoundary = 0;
  int rightPossible = -1;
};

// The one state of the module.
extern State gState;
inline State& S() { return gState; }

// Writes a message to the error stream (if there is one).
void Report(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Id of a tag, added to the dictionary when new.
int32_t TagId(const std::string& tag);
// Builds a member from its tags.
Member MakeMember(const std::vector<std::string>& tags);

}  // namespace vaarikas::disamb::detail
