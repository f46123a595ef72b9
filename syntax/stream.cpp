#include "syntax/stream.h"

#include <cstring>

#include "syntax/rules.h"

namespace vaarikas::syntax {
namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool SentenceReader::ReadLine(std::string& out) {
  out.clear();
  int c;
  while ((c = std::getc(in_)) != EOF) {
    if (c == '\n') {
      if (!out.empty() && out.back() == '\r') out.pop_back();
      out.push_back('\n');
      return true;
    }
    out.push_back(static_cast<char>(c));
  }
  if (out.empty()) {
    eof_ = true;
    return false;
  }
  // A last line without a line end is kept whole and given one.
  out.push_back('\n');
  return true;
}

bool SentenceReader::ReadNonEmpty(std::string& out) {
  while (ReadLine(out))
    if (out.size() > 1) return true;
  return false;
}

// A line the writer broke ends in "&" at or after the break position; the
// rest follows on the next line. Shorter lines ending in "&" (the word "&")
// are left as they are.
void SentenceReader::Join(std::string& line) {
  if (line.size() < kBreakFrom + 2 || line.compare(line.size() - 2, 2, "&\n") != 0) return;
  std::string next;
  if (!ReadNonEmpty(next)) return;
  line.resize(line.size() - 2);
  line.push_back(' ');
  line += next;
}

bool SentenceReader::IsDelimiter(const std::string& line) const { return ContainsDelimiter(line); }

bool SentenceReader::IsExtraLine(const std::string& line) const {
  if (line[0] == '!') return true;
  return line.compare(0, 2, "$<") == 0 && !IsDelimiter(line);
}

bool SentenceReader::StoreExtra(SyntaxCohort& into) {
  bool withNext = cur_[0] == '$';
  into.extra.push_back(cur_);
  if (withNext) {
    std::string next;
    if (!ReadNonEmpty(next)) return false;
    into.extra.push_back(std::move(next));
  }
  return ReadNonEmpty(cur_);
}

SentenceReader::CohortEnd SentenceReader::ReadCohort(SyntaxCohort& prev, SyntaxCohort& c) {
  while (IsExtraLine(cur_))
    if (!StoreExtra(prev)) return CohortEnd::kStopped;
  Join(cur_);
  c.word = cur_;
  if (!ReadNonEmpty(cur_)) return CohortEnd::kStopped;
  int errors = 0;
  while (!IsBlank(cur_[0])) {
    if (IsExtraLine(cur_)) {
      if (!StoreExtra(prev)) return CohortEnd::kStopped;
      continue;
    }
    std::fputs("Viga sisendis, pole p\xe4hivormi: ", ErrorStream());
    std::fwrite(cur_.data(), 1, cur_.size(), ErrorStream());
    if (++errors > 10) return CohortEnd::kTooManyErrors;
    if (!ReadNonEmpty(cur_)) return CohortEnd::kStopped;
  }
  Join(cur_);
  c.active = cur_;
  c.activeNumber = 0;
  if (!ReadNonEmpty(cur_)) return CohortEnd::kStopped;
  if (!IsDelimiter(cur_))
    while (IsExtraLine(cur_))
      if (!StoreExtra(c)) return CohortEnd::kStopped;
  int number = 1;
  while (cur_[0] == ' ') {
    Join(cur_);
    c.others.push_back(SyntaxReading{cur_, number++});
    if (!ReadNonEmpty(cur_)) break;
  }
  return CohortEnd::kDone;
}

SentenceReader::Result SentenceReader::Read(SyntaxSentence& s) {
  s.cohorts.clear();
  SyntaxCohort start;
  start.word = start.active = "<<<";
  s.cohorts.push_back(std::move(start));
  if (!ReadNonEmpty(cur_)) {
    s.cohorts.clear();
    return Result::kNone;
  }
  for (;;) {
    SyntaxCohort c;
    c.index = static_cast<int>(s.cohorts.size());
    if (IsDelimiter(cur_)) {
      Join(cur_);
      c.word = cur_;
      std::string reading;
      if (ReadNonEmpty(reading)) {
        Join(reading);
        c.active = std::move(reading);
      }
      s.cohorts.push_back(std::move(c));
      break;
    }
    CohortEnd end = ReadCohort(s.cohorts.back(), c);
    if (end == CohortEnd::kTooManyErrors) {
      s.cohorts.clear();
      return Result::kTooManyErrors;
    }
    // A cohort cut short by the end of the input is kept as far as it was
    // read; one that has not even its word line is dropped.
    if (end == CohortEnd::kStopped) {
      if (!c.word.empty()) s.cohorts.push_back(std::move(c));
      break;
    }
    s.cohorts.push_back(std::move(c));
    if (eof_) break;
  }
  SyntaxCohort endCohort;
  endCohort.index = static_cast<int>(s.cohorts.size());
  endCohort.word = endCohort.active = ">>>";
  s.cohorts.push_back(std::move(endCohort));
  return Result::kSentence;
}

void WriteLine(FILE* out, const std::string& line) {
  if (line.size() >= kLongLine) {
    // Break at a space that has something after it, so the second part is
    // never an empty line (which a reader would skip).
    for (size_t i = kBreakFrom; i + 1 < line.size(); ++i) {
      if (line[i] == ' ' && line[i + 1] != '\n') {
        std::fwrite(line.data(), 1, i, out);
        std::fputs("&\n", out);
        std::fwrite(line.data() + i + 1, 1, line.size() - i - 1, out);
        return;
      }
    }
  }
  std::fwrite(line.data(), 1, line.size(), out);
}

void WriteSentence(FILE* out, const SyntaxSentence& s) {
  for (size_t i = 0; i + 1 < s.cohorts.size(); ++i) {
    const SyntaxCohort& c = s.cohorts[i];
    if (i != 0) {
      WriteLine(out, c.word);
      WriteLine(out, c.active);
    }
    for (const SyntaxReading& r : c.others) WriteLine(out, r.text);
    for (const std::string& e : c.extra) WriteLine(out, e);
  }
}

}  // namespace vaarikas::syntax
