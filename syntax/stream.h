// Reading and writing the cohort stream of the syntactic analyser.
#pragma once

#include <cstdio>
#include <string>

#include "syntax/engine.h"

namespace vaarikas::syntax {

// Lines at least this long (with the line end) are broken by the writer.
inline constexpr size_t kLongLine = 160;
// The writer breaks a long line at the first space from this position on.
inline constexpr size_t kBreakFrom = 151;

class SentenceReader {
 public:
  explicit SentenceReader(FILE* in) : in_(in) {}
  enum class Result { kSentence, kNone, kTooManyErrors };
  // Reads the next sentence. kNone at the end of the input. Messages about
  // malformed input go to the error stream.
  Result Read(SyntaxSentence& s);
  bool AtEnd() const { return eof_; }

 private:
  bool ReadLine(std::string& out);
  bool ReadNonEmpty(std::string& out);
  void Join(std::string& line);
  bool IsDelimiter(const std::string& line) const;
  bool IsExtraLine(const std::string& line) const;
  // Stores an extra line (and, for "$<", the line after it) in the cohort
  // and reads the next line; false at the end of the input.
  bool StoreExtra(SyntaxCohort& into);
  enum class CohortEnd { kDone, kStopped, kTooManyErrors };
  CohortEnd ReadCohort(SyntaxCohort& prev, SyntaxCohort& c);

  FILE* in_;
  bool eof_ = false;
  std::string cur_;
};

// Writes a sentence: everything but the end cohort, long lines broken.
void WriteSentence(FILE* out, const SyntaxSentence& s);
// Writes one line, broken when it is long.
void WriteLine(FILE* out, const std::string& line);

}  // namespace vaarikas::syntax
