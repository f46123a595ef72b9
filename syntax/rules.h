// In-memory model of a syntax rule file and its reader.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vaarikas::syntax {

// One tag of a set member, a target or a domain, prepared for matching.
struct TagPattern {
  enum Kind { kStart, kEnd, kQuoted, kWord } kind = kWord;
  std::string text;  // for kQuoted the text between the quotes
};
TagPattern MakeTagPattern(std::string_view token);

struct SyntaxSet {
  std::string name;
  std::vector<std::string> members;                 // tokens as written
  std::vector<std::vector<TagPattern>> conjunctions;  // per member, its "&" parts
  bool hasAtMember = false;                          // some member contains "@"
  int number = -1;  // position among the rules' sets, given by the engine
};

// A context condition, or one element of a condition's link chain.
struct SyntaxCondition {
  bool positive = true;
  int scan = 0;          // 0 none, 1 "*", 2 "%"
  bool right = true;     // direction: "+" or no sign; false for "-"
  int position = 0;      // distance in cohorts, 0..999
  bool careful = false;  // "C": every reading of the cohort must match
  char letter = 'N';     // "N" for a condition; "L", "R", "W" for link elements
  const SyntaxSet* set = nullptr;
  std::vector<SyntaxCondition> links;  // only on a positive condition
};

enum SyntaxOperator {
  kOpRemoveReading = 0,    // "=s?"
  kOpRemoveTags = 3,       // "=s0"
  kOpSelectTags = 4,       // "=s!"
  kOpPossibleBoundary = 5, // "=**CLB-C"
  kOpCertainBoundary = 6,  // "=**CLB"
};

struct SyntaxMapping {
  int number = 0;
  std::vector<std::string> target;  // all must occur; "*" first = any reading
  std::vector<SyntaxCondition> conditions;
  std::vector<std::string> tags;
  int window = 0;  // 0 sentence, 1 "**CLB-C", 2 "**CLB"
};

struct SyntaxConstraint {
  std::string kind;  // "C:", "S:", "H:"
  int number = 0;
  std::string domain;  // "@w" or a quoted base form
  int op = 0;
  std::vector<std::string> target;
  std::vector<TagPattern> targetPatterns;
  std::vector<SyntaxCondition> conditions;
  int level = 0;
  int window = 0;
};

struct SyntaxRules {
  std::vector<std::string> delimiters;
  std::deque<SyntaxSet> sets;  // deque: conditions keep pointers to sets
  std::vector<SyntaxMapping> mappings;
  std::vector<SyntaxConstraint> clauseBoundaries;
  std::vector<SyntaxConstraint> constraints;  // syntactic, then kept heuristic ones
  std::vector<std::string> functions;
  int section = 0;
  bool plain = false;
  int maxLevel = 0;
};

// The rules of the current run.
extern SyntaxRules g_rules;
// Changes whenever g_rules is read or freed; the engine rebuilds its rule
// index when it differs from the one the index was built for.
extern unsigned g_rulesGeneration;

// The stream the analyser writes its messages to ("synerrors.txt" during a
// run; standard error when none was set).
FILE* ErrorStream();
void SetErrorStream(FILE* f);

// Reads a whole rule file into g_rules. On any error the message and the
// general message with its code are written to the error stream, everything
// read so far is released, and the result is false.
bool ReadSyntaxRules(FILE* f, bool plain, int maxLevel);
void FreeSyntaxRules();
// The first set declared with exactly this name, or null.
const SyntaxSet* LookUpSet(std::string_view name);

}  // namespace vaarikas::syntax
