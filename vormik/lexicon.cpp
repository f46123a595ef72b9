#include "vormik/lexicon.h"

#include <cstring>

namespace vormik {

bool IsPosLetter(char c) { return c != 0 && std::strchr("SHACUNOPVDKJIYXGZ", c) != nullptr; }

static std::vector<std::string_view> SplitBlanks(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    if (j > i) out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

bool ParseLexLine(std::string_view line, LexEntry& out, std::string& error) {
  out = LexEntry{};
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  std::vector<std::string_view> w = SplitBlanks(line);
  if (w.empty() || w[0][0] == '#') return true;
  if (w.size() < 2) {
    error = "a lemma needs a part-of-speech letter after it";
    return false;
  }
  if (w[0].find('/') != std::string_view::npos || w[0].find('+') != std::string_view::npos) {
    error = "a lemma may not contain \"/\" or \"+\"";
    return false;
  }
  if (w[1].size() != 1 || !IsPosLetter(w[1][0])) {
    error = "unknown part of speech \"" + std::string(w[1]) + "\"";
    return false;
  }
  out.lemma = std::string(w[0]);
  out.pos = w[1][0];
  for (std::size_t i = 2; i < w.size(); ++i) {
    std::string_view item = w[i];
    std::size_t colon = item.find(':');
    if (colon == std::string_view::npos || colon + 1 >= item.size()) {
      error = "item \"" + std::string(item) + "\" is not CLASS:stem";
      return false;
    }
    StemClass c = ClassFromName(item.substr(0, colon));
    if (c == kClassCount) {
      error = "unknown stem class \"" + std::string(item.substr(0, colon)) + "\"";
      return false;
    }
    Stem s;
    s.cls = c;
    std::string_view rest = item.substr(colon + 1);
    if (c == kFixed) {
      std::size_t eq = rest.find('=');
      if (eq == std::string_view::npos || eq == 0) {
        error = "item \"" + std::string(item) + "\" needs F:form=codes";
        return false;
      }
      s.text = std::string(rest.substr(0, eq));
      std::string_view codes = rest.substr(eq + 1);
      std::size_t k = 0;
      while (k <= codes.size()) {
        std::size_t comma = codes.find(',', k);
        if (comma == std::string_view::npos) comma = codes.size();
        std::string_view code = codes.substr(k, comma - k);
        if (!code.empty()) {
          for (char ch : code) s.codes.push_back(ch == '_' ? ' ' : ch);
          s.codes += ", ";
        }
        k = comma + 1;
      }
    } else {
      s.text = std::string(rest);
    }
    if (s.text.find('/') != std::string::npos) {
      error = "a stem may not contain \"/\"";
      return false;
    }
    out.stems.push_back(std::move(s));
  }
  if (out.stems.empty()) out.stems.push_back(Stem{kWord, out.lemma, {}});
  return true;
}

std::string FormatLexLine(const LexEntry& e) {
  std::string r = e.lemma;
  r += ' ';
  r += e.pos;
  for (const Stem& s : e.stems) {
    r += ' ';
    r += ClassName(s.cls);
    r += ':';
    r += s.text;
    if (s.cls == kFixed) {
      r += '=';
      std::string codes = s.codes;
      // "sg n, pl p, " -> "sg_n,pl_p"
      std::string packed;
      for (std::size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == ',' ) {
          packed += ',';
          ++i;  // skip the blank after the comma
        } else {
          packed += codes[i] == ' ' ? '_' : codes[i];
        }
      }
      if (!packed.empty() && packed.back() == ',') packed.pop_back();
      r += packed;
    }
  }
  return r;
}

std::string OutputLemma(std::string_view lemma, char pos) {
  if (pos == 'V' && lemma.size() > 2 && lemma.substr(lemma.size() - 2) == "ma")
    return std::string(lemma.substr(0, lemma.size() - 2));
  return std::string(lemma);
}

std::string OutputLemma(const LexEntry& e) { return OutputLemma(e.lemma, e.pos); }

}  // namespace vormik
