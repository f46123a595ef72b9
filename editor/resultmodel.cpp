#include "editor/resultmodel.h"

#include <algorithm>
#include <cctype>

namespace vaarikas::sirel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// Lines of the text with "\r\n" taken as "\n" and continuation lines joined.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  bool continued = false;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (continued && !lines.empty()) {
      lines.back().push_back(' ');
      lines.back().append(line);
    } else {
      lines.emplace_back(line);
    }
    continued = !lines.back().empty() && lines.back().back() == '&';
    if (continued) lines.back().pop_back();
  }
  return lines;
}

// True for bytes that are neither ASCII letters and digits nor Windows-1257
// letters (0xC0 and up).
bool IsPunctuationOnly(std::string_view s) {
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c >= 0xC0) return false;
  }
  return !s.empty();
}

// The word of a word line: the line itself, without surrounding blanks and
// without the "<...>" quoting some writers put around it. Punctuation comes
// as "$" and the mark ("$.", "$,"): the word is the mark.
std::string WordOf(std::string_view line) {
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  if (line.size() >= 4 && StartsWith(line, "\"<") && line.substr(line.size() - 2) == ">\"")
    line = line.substr(2, line.size() - 4);
  if (line.size() >= 2 && line[0] == '$' && line.back() != '$' && IsPunctuationOnly(line.substr(1)))
    line.remove_prefix(1);
  return std::string(line);
}

}  // namespace

Function ClassifyTag(std::string_view tag) {
  if (tag == "@SUBJ") return Function::kSubject;
  if (tag == "@OBJ") return Function::kObject;
  if (tag == "@PRD") return Function::kPredicative;
  if (tag == "@ADVL") return Function::kAdverbial;
  if (tag == "@P>" || tag == "@<P") return Function::kAdpComplement;
  if (tag == "@FMV" || tag == "@FCV" || tag == "@IMV" || tag == "@ICV" || tag == "@NEG") return Function::kVerb;
  if (tag == "@J") return Function::kConjunction;
  if (tag.size() > 2 && tag.back() == '>') return Function::kPremodifier;
  if (StartsWith(tag, "@<")) return Function::kPostmodifier;
  if (StartsWith(tag, "@")) return Function::kOther;
  return Function::kNone;
}

const char* FunctionName(Function f) {
  switch (f) {
    case Function::kSubject: return "Subject";
    case Function::kObject: return "Object";
    case Function::kPredicative: return "Predicative";
    case Function::kAdverbial: return "Adverbial";
    case Function::kPremodifier: return "Premodifier";
    case Function::kPostmodifier: return "Postmodifier";
    case Function::kAdpComplement: return "Phrase head with adposition";
    case Function::kVerb: return "Verb";
    case Function::kConjunction: return "Conjunction";
    case Function::kOther: return "Other";
    case Function::kNone: return "No function";
  }
  return "";
}

std::vector<ResultSentence> ParseResult(std::string_view text) {
  if (size_t z = text.find('\0'); z != std::string_view::npos) text = text.substr(0, z);
  std::vector<ResultSentence> out;
  ResultSentence current;
  ResultWord* word = nullptr;  // the word that reading lines belong to
  auto finish = [&] {
    if (!current.words.empty()) out.push_back(std::move(current));
    current = ResultSentence();
    word = nullptr;
  };
  std::vector<std::string> lines = Lines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (IsBlank(line[0])) {
      if (!word) continue;
      size_t p = 0;
      while (p < line.size()) {
        while (p < line.size() && IsBlank(line[p])) ++p;
        size_t e = p;
        while (e < line.size() && !IsBlank(line[e])) ++e;
        std::string_view tok(line.data() + p, e - p);
        if (tok.size() > 1 && tok[0] == '@' &&
            std::find(word->tags.begin(), word->tags.end(), tok) == word->tags.end())
          word->tags.emplace_back(tok);
        p = e;
      }
      if (!word->tags.empty()) word->function = ClassifyTag(word->tags.front());
      continue;
    }
    if (line[0] == '!') continue;
    if (StartsWith(line, "$<")) {
      ++i;  // the line after it travels with it
      word = nullptr;
      continue;
    }
    std::string w = WordOf(line);
    if (w == "$LA$") {
      finish();
      continue;
    }
    if (w == "$LL$") {
      finish();
      continue;
    }
    bool marker = w.size() >= 3 && w.front() == '$' && w.back() == '$';
    if (w.empty() || w == "<<<" || w == ">>>" || marker) {
      word = nullptr;
      continue;
    }
    current.words.push_back(ResultWord{w, {}, Function::kNone});
    word = &current.words.back();
  }
  finish();
  return out;
}

}  // namespace vaarikas::sirel
