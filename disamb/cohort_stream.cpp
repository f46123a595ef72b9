// Cohort stream reader and writer.
//
// Lines are read whole, whatever their length, so nothing is lost or split;
// a "\r" before "\n" is dropped so files made on Windows read the same.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "disamb/disamb.h"
#include "disamb/state.h"

namespace vaarikas::disamb {
namespace {

using detail::S;
constexpr size_t npos = std::string::npos;

// Reads one line without its "\n" (and a "\r" before it). *hadEnd tells
// whether the line ended with "\n". False at the end of the input.
bool ReadLine(std::FILE* in, std::string& line, bool* hadEnd) {
  line.clear();
  int c;
  while ((c = getc_unlocked(in)) != EOF) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      *hadEnd = true;
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  *hadEnd = false;
  return !line.empty();
}

void TrimRight(std::string& s) {
  size_t n = s.size();
  while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t')) --n;
  s.resize(n);
}

Cohort EdgeCohort(const char* word) {
  Cohort c;
  c.word = word;
  c.lower = word;
  c.count = 1;
  Reading r;
  r.mark = 1;
  r.counted = true;
  r.text = std::string(" ") + word + " ";
  c.readings.push_back(std::move(r));
  return c;
}

// The part of an analysis that identifies a reading: up to the first "/"
// after its "/ _" marker, without trailing blanks.
std::string_view Identity(std::string_view s) {
  size_t m = s.find("/ _");
  if (m != npos) {
    size_t cut = s.find('/', m + 1);
    if (cut != npos) s = s.substr(0, cut);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Start of the analysis in a reading line: position 4, or 5 after a blank,
// "-" or "+" there.
size_t AnalysisStart(const std::string& line) {
  if (line.size() > 4 && (line[4] == ' ' || line[4] == '-' || line[4] == '+')) return 5;
  return 4;
}

// Builds a counted reading from a reading line whose "//_" at m has already
// been turned into "/ _".
Reading CountedReading(std::string line, size_t m) {
  Reading r;
  r.counted = true;
  size_t start = AnalysisStart(line);
  // Base form: up to the "+" between stem and ending, searched backwards
  // from two positions before the marker down to position 3.
  size_t plus = npos;
  if (m >= 5) {
    for (size_t i = m - 2;; --i) {
      if (line[i] == '+') {
        plus = i;
        break;
      }
      if (i == 3) break;
    }
  }
  std::string base = (plus == npos || plus < start) ? line.substr(start) : line.substr(start, plus - start);
  size_t clb = line.find("**CLB-C", m);
  if (clb != npos) {
    r.mark = 2;
    line.resize(clb);
  } else if ((clb = line.find("**CLB", m)) != npos) {
    r.mark = 1;
    line.resize(clb);
  }
  if (start == 5 && line[4] != ' ') r.lead = line[4];
  r.text.reserve(line.size() - start + base.size() + 16);
  r.text.append(line, start, npos);
  r.marker = m - start;
  r.written = r.text.size() + 1;
  r.text += " \"";
  r.text += base;
  r.text += "\" ";
  return r;
}

Reading BlankReading() {
  Reading r;
  r.text = " ";
  r.written = 1;
  return r;
}

bool IsStatisticsLine(const std::string& line) {
  return line.find("LAUSE") != npos && line.find("keskmiselt t\xe4lgendusi s\xe4na kohta") != npos;
}

// Cuts annotations of an earlier run off a word line that contains a blank.
void CutAnnotations(std::string& word) {
  if (word.find(' ') == npos) return;
  size_t cut = npos;
  for (const char* a : {"D:", " C:", " VIGA!"}) cut = std::min(cut, word.find(a));
  if (cut != npos) {
    word.resize(cut);
    TrimRight(word);
  }
}

int ReadSentenceOrThrow(std::FILE* in, std::FILE* out) {
  auto& st = S();
  Sentence& sent = st.sentence;
  sent.cohorts.clear();
  sent.wordCount = 0;
  sent.cohorts.push_back(EdgeCohort("<<<"));
  int32_t counter = 1;  // counted readings of the current cohort
  int64_t total = 0;    // counted readings of the sentence's completed cohorts
  int state = 0;
  std::string line;
  bool hadEnd = false;
  while (state != 2 && ReadLine(in, line, &hadEnd)) {
    if (!line.empty() && line[0] == '!') {
      // Comments go out at once, so they come ahead of their sentence. A last
      // line without "\n" gets one, so the next output line stays separate.
      if (out) {
        std::fwrite(line.data(), 1, line.size(), out);
        std::fputc('\n', out);
      }
      continue;
    }
    TrimRight(line);
    if (line.empty() || IsStatisticsLine(line)) continue;
    Cohort& cur = sent.cohorts.back();
    if (line[0] == ' ') {
      if (state != 0) ++state;
      size_t m = line.find("//_");
      if (m == npos) {
        cur.readings.push_back(BlankReading());
        continue;
      }
      line[m + 1] = ' ';
      if (st.dropDuplicates) {
        std::string_view self = Identity(std::string_view(line).substr(AnalysisStart(line)));
        bool duplicate = false;
        for (const Reading& r : cur.readings)
          if (r.counted && Identity(r.text) == self) {
            duplicate = true;
            break;
          }
        if (duplicate) continue;
      }
      if (m <= 4) {
        cur.readings.push_back(BlankReading());
        continue;
      }
      ++counter;
      cur.count = 1;
      cur.readings.push_back(CountedReading(line, m));
      continue;
    }
    // Word line.
    for (const std::string& d : st.delimiters)
      if (line == d) {
        state = (total != 0 || counter != 0) ? 1 : 2;
        break;
      }
    cur.count = counter;
    if (sent.cohorts.size() > 1 && (cur.word.empty() || cur.word[0] != '$')) {
      total += counter;
      ++sent.wordCount;
    }
    counter = 0;
    Cohort next;
    next.word = std::move(line);
    CutAnnotations(next.word);
    next.lower = LowerCaseForm(next.word);
    sent.cohorts.push_back(std::move(next));
  }
  sent.cohorts.push_back(EdgeCohort(">>>"));
  return state;
}

}  // namespace

std::string LowerCaseForm(std::string_view w) {
  std::string out;
  out.reserve(w.size());
  for (size_t i = 0; i < w.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(w[i]);
    unsigned char n = i + 1 < w.size() ? static_cast<unsigned char>(w[i + 1]) : 0;
    unsigned char o;
    switch (c) {
      case 0xC4: o = 0xE4; break;
      case 0xD6: o = 0xF6; break;
      case 0xDC: o = 0xFC; break;
      case 0xD5: o = 0xF5; break;
      case 0xD0: o = 0xF0; break;
      case 0xDE: o = 0xFE; break;
      default:
        if (c == 'O' && (n == '^' || n == '~')) {
          o = 0xF5;
          ++i;
        } else if ((c == 'S' || c == 's') && n == '^') {
          o = 0xF0;
          ++i;
        } else if ((c == 'Z' || c == 'z') && n == '^') {
          o = 0xFE;
          ++i;
        } else if (c >= 'A' && c <= 'Z') {
          o = static_cast<unsigned char>(c - 'A' + 'a');
        } else {
          switch (c) {
            case 0x8E: o = 0xE4; break;
            case 0x99: o = 0xF6; break;
            case 0x9A: o = 0xFC; break;
            case 0x84: o = 0xE4; break;
            case 0x94: o = 0xF6; break;
            case 0x81: o = 0xFC; break;
            case 0x93: o = 0xF5; break;
            default: o = c; break;
          }
        }
    }
    out.push_back(static_cast<char>(o));
  }
  return out;
}

int ReadSentence(std::FILE* in, std::FILE* out, bool* error) {
  if (error) *error = false;
  try {
    return ReadSentenceOrThrow(in, out);
  } catch (const std::bad_alloc&) {
    detail::Report("\nM\xe4lu ei j\xe4tku! \n");
    FreeSentence();
    CloseAll(2);
    if (error) *error = true;
    return 0;
  }
}

void WriteSentence(std::FILE* out) {
  const Sentence& sent = S().sentence;
  if (sent.cohorts.size() < 2) return;
  std::string buf;
  for (size_t i = 1; i + 1 < sent.cohorts.size(); ++i) {
    const Cohort& c = sent.cohorts[i];
    buf += c.word;
    buf += '\n';
    for (const Reading& r : c.readings) {
      if (c.count < 1) {
        buf += "    ####";
      } else {
        buf += "    ";
        if (r.lead) buf += r.lead;
        size_t at = buf.size();  // where the text starts
        buf += r.text;
        if (r.marker != npos) buf[at + r.marker + 1] = '/';
        size_t end = buf.size();
        if (r.written != npos) end = at + r.written;
        size_t paris = std::string_view(buf).substr(at, end - at).find("#P\x84ris");
        if (paris != npos) end = at + paris;
        buf.resize(end);
        if (r.mark == 2)
          buf += "**CLB-C ";
        else if (r.mark == 1)
          buf += "**CLB ";
      }
      buf += '\n';
    }
    if (buf.size() >= (1u << 16)) {
      std::fwrite(buf.data(), 1, buf.size(), out);
      buf.clear();
    }
  }
  std::fwrite(buf.data(), 1, buf.size(), out);
}

void FreeSentence() {
  Sentence& sent = S().sentence;
  sent.cohorts.clear();
  sent.cohorts.shrink_to_fit();
  sent.wordCount = 0;
}

}  // namespace vaarikas::disamb
