// The disambiguator: cohort stream reader and writer, disambiguation rule
// file, constraint engine and the run entry point.
//
// Like the syntactic analyser it keeps its rules and the one sentence being
// worked on in module-level state (see disamb/state.h), set up afresh by every
// call of Disambiguate.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vaarikas::disamb {

// ---- Cohort stream model ----

// One analysis of a token.
struct Reading {
  // 0 none, 1 clause boundary ("**CLB"), 2 possible clause boundary ("**CLB-C").
  int32_t mark = 0;
  // The analysis part of the reading line (with its "//_" marker written
  // "/ _"), then a space, the quoted base form and a space; clause-boundary
  // tags set by rules are appended after that. Blank readings hold " ".
  std::string text;
  // A "-" or "+" at the analysis start that the text leaves out (the lemma
  // of a dash, a lemma written with a leading hyphen); the writer puts it
  // back so that no character of the line is lost. 0 when there is none.
  char lead = 0;
  // Counted readings carry an analysis; blank ones do not and never add to
  // their cohort's reading count.
  bool counted = false;
  // Offset in text of the "/ _" that stands for the line's "//_", or npos.
  size_t marker = std::string::npos;
  // Offset in text where the writer stops: the double quote that opens the
  // appended base form (everything from there on is for rule matching only).
  size_t written = std::string::npos;
  // Sorted ids of the rule tags that occur in text as space-delimited words
  // (filled by the engine; see MemberMatches).
  std::vector<int32_t> tags;
  bool tagsValid = false;
  // Whether the reading is in each rule set, by set index: -1 not yet
  // known. Valid together with tags.
  std::vector<int8_t> inSet;
};

// One token: its word line and its readings.
struct Cohort {
  int32_t count = 0;  // counted readings (provisional 1 on a sentence's last cohort)
  std::string word;   // word line, trimmed and with annotations of earlier runs cut off
  std::string lower;  // LowerCaseForm(word)
  std::vector<Reading> readings;
};

// One sentence: the start cohort "<<<", the tokens, the end cohort ">>>".
// The end cohort is always the last element: it is recognised by position,
// never by its word line, so a token ">>>" in the text is an ordinary token.
struct Sentence {
  std::vector<Cohort> cohorts;
  int32_t wordCount = 0;  // completed cohorts, start and "$" cohorts not counted
};

// ---- Cohort stream (reader and writer) ----

// Reads the next sentence from in into the module's sentence. Comment lines
// ("!" first) are copied to out as they are read. Returns the reader's state:
// 2 a delimiter ended the sentence, 1 or 0 the input ended (with 1 call once
// more). *error is set (and the run's files closed) when memory ran out.
int ReadSentence(std::FILE* in, std::FILE* out, bool* error);
// Writes the module's sentence.
void WriteSentence(std::FILE* out);
// Releases the module's sentence.
void FreeSentence();
// The lower-case form of a word line used for matching constraint domains.
std::string LowerCaseForm(std::string_view word);

// The sentence in memory and the delimiters the reader uses (normally set by
// ReadRuleFile); for tools and tests.
Sentence& CurrentSentence();
void SetDelimiters(std::vector<std::string> delimiters);

// ---- Rule file ----

// Reads the rule file (an open stream) into the module's rule lists, using
// the scrambled and heuristic switches. 0 on success; 1 on failure, with its
// message written to the error stream.
int ReadRuleFile(std::FILE* rules);
// Frees the delimiters, sets and constraint lists.
void FreeRules();
// Sets the switches and the error stream used by ReadRuleFile and
// ReadSentence (Disambiguate does this itself). err may be null.
void SetOptions(bool scrambled, bool heuristic, std::FILE* err);
// Numbers of constraints read per section: clause-boundary, disambiguation,
// heuristic.
int ConstraintCount(int kind);

// ---- Engine ----

// The pass schedule over the module's sentence.
void RunPasses();

// ---- Run ----

// Disambiguates the cohort stream file input with the rule file rules,
// writing input's name up to the first "." of its file-name part plus ".cgd"
// (next to the input). Option letters: "k" scrambled rule file, "h" use the
// heuristic constraints. Messages go to "derrors.txt" in the current
// directory; the banner and progress text to console (none when null).
// 0 on success, 1 on failure.
int Disambiguate(const char* rules, const char* input, const char* letters, std::FILE* console);
inline int Disambiguate(const char* rules, const char* input, const char* letters) {
  return Disambiguate(rules, input, letters, stdout);
}
inline int Disambiguate(const std::string& rules, const std::string& input, const std::string& letters,
                        std::FILE* console = stdout) {
  return Disambiguate(rules.c_str(), input.c_str(), letters.c_str(), console);
}

// The output name for an input name: the file-name part up to its first "."
// plus ".cgd", with the directory part kept.
std::string OutputName(const std::string& input);

// Closes the run's files by close code (0 rule file, 1 input, 2 input and
// output, -1 neither) and the error stream, and frees the rules.
void CloseAll(int code);

}  // namespace vaarikas::disamb
