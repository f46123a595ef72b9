#include "common/scramble.h"

namespace vaarikas {
namespace {

// Offset just past the line end of the line starting at pos (or the end).
size_t EndOfLine(std::string_view s, size_t pos) {
  size_t nl = s.find('\n', pos);
  return nl == std::string_view::npos ? s.size() : nl + 1;
}

// Offset of the start of the first line that contains the header word, or
// npos. The rule readers look for their section headers the same way.
size_t FindHeaderLine(std::string_view s, std::string_view header) {
  size_t pos = 0;
  while (pos < s.size()) {
    size_t end = EndOfLine(s, pos);
    if (s.substr(pos, end - pos).find(header) != std::string_view::npos) return pos;
    pos = end;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ScrambleRuleFile(std::string_view plain, RuleFileKind kind, std::string* error) {
  const std::string_view header = kind == RuleFileKind::kDisamb ? "SET-DECLARATIONS" : "SENTENCE-DELIMITERS";
  size_t at = FindHeaderLine(plain, header);
  if (at == std::string_view::npos) {
    if (error) *error = "no " + std::string(header) + " header line";
    return std::string();
  }
  size_t cut = EndOfLine(plain, at);
  if (kind == RuleFileKind::kSyntax) cut = EndOfLine(plain, cut);
  std::string out(plain.substr(0, cut));
  out.reserve(plain.size());
  for (size_t i = cut; i < plain.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(plain[i]);
    if (c == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n') continue;  // body uses "\n" alone
    out.push_back(static_cast<char>(RotateRight1(c)));
  }
  // The readers need every body line ended; a last line without its line
  // end would be refused as an unterminated line.
  if (plain.size() > cut && plain.back() != '\n') out.push_back(static_cast<char>(RotateRight1('\n')));
  return out;
}

std::string UnscrambleBody(std::string_view body) {
  std::string out;
  out.reserve(body.size());
  for (unsigned char c : body) {
    unsigned char d = RotateLeft1(c);
    if (d != 0) out.push_back(static_cast<char>(d));
  }
  return out;
}

}  // namespace vaarikas
