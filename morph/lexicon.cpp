#include "morph/lexicon.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "morph/textio.h"

namespace vaarikas::morph {

namespace {
std::FILE* g_diagnostics = nullptr;  // null: standard output
}  // namespace

std::FILE* Diagnostics() { return g_diagnostics ? g_diagnostics : stdout; }
void SetDiagnosticStream(std::FILE* f) { g_diagnostics = f; }

// ---------------------------------------------------------------------------
// lexicon.lex

namespace {

PunctuationTable g_punctuation;
AdpositionTable g_adpositions;
PronounTable g_pronouns;

void CopySlot(char* slot, int width, std::string_view text) {
  size_t n = std::min(text.size(), static_cast<size_t>(width));
  if (n > 0) std::memcpy(slot, text.data(), n);
  slot[n] = '\0';
}

// Fills one table from lines[*i...]: first looks for the header line, then
// takes entry lines up to a line that begins with "$" or the end.
// `skip` characters after the key's space are not stored.
template <class Table>
void FillTable(const std::vector<TextLine>& lines, size_t* i, const char* header, size_t skip, Table* t) {
  t->count = 0;
  while (*i < lines.size() && lines[*i].text.find(header) == std::string::npos) ++*i;
  if (*i >= lines.size()) return;
  ++*i;  // the header line is consumed
  for (; *i < lines.size(); ++*i) {
    const TextLine& l = lines[*i];
    if (!l.text.empty() && l.text[0] == '$') {
      ++*i;  // the end line is consumed too
      return;
    }
    if (l.text.size() + (l.newline ? 1 : 0) < 3) continue;
    size_t sp = l.text.find(' ');
    if (sp == std::string::npos) continue;  // no key/value split: not an entry
    if (t->count >= Table::kCapacity) continue;  // table full: the rest is ignored
    std::string_view line = l.text;
    std::string_view key = line.substr(0, sp);
    std::string_view value = sp + 1 + skip < line.size() ? line.substr(sp + 1 + skip) : std::string_view();
    CopySlot(t->key[t->count], Table::kKeyWidth, key);
    CopySlot(t->value[t->count], Table::kValueWidth, value);
    ++t->count;
  }
}

}  // namespace

PunctuationTable& Punctuation() { return g_punctuation; }
AdpositionTable& Adpositions() { return g_adpositions; }
PronounTable& Pronouns() { return g_pronouns; }

int ReadLexiconLists(const std::string& path) {
  std::string bytes;
  bool opened = false;
  bool ok = ReadWholeFile(path, true, &bytes, &opened);
  if (!opened) {
    std::fputs("\nlexicon.lex : open failed\n", Diagnostics());
    return 1;
  }
  std::vector<TextLine> lines = SplitLines(bytes);
  size_t i = 0;
  FillTable(lines, &i, "$$$ ####", 3, &g_punctuation);
  FillTable(lines, &i, "$$$ _K_", 2, &g_adpositions);
  FillTable(lines, &i, "$$$ _P_", 2, &g_pronouns);
  if (!ok) {
    std::fputs("viga faili sulgemisel", Diagnostics());
    return 1;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// verblex.lx

namespace {

struct VerbEntry {
  VerbEntry* next;
  std::string key;
  std::string value;
};

VerbEntry* g_buckets[kVerbLexiconBuckets] = {};
int g_verbCount = 0;

void ReleaseEntries() {
  for (auto& head : g_buckets) {
    while (head) {
      VerbEntry* e = head;
      head = e->next;
      delete e;
    }
  }
  g_verbCount = 0;
}

}  // namespace

uint32_t VerbLexiconBucket(std::string_view key) {
  uint32_t h = 0;
  for (char c : key) h = h * 37u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
  return h % kVerbLexiconBuckets;
}

const std::string* LookupVerb(std::string_view lemma) {
  for (VerbEntry* e = g_buckets[VerbLexiconBucket(lemma)]; e; e = e->next)
    if (e->key == lemma) return &e->value;
  return nullptr;
}

int VerbLexiconSize() { return g_verbCount; }

void FreeVerbLexicon() {
  ReleaseEntries();
  std::fputs("L~opp\n", Diagnostics());
}

int ReadVerbLexicon(const std::string& path) {
  ReleaseEntries();
  std::string bytes;
  bool opened = false;
  ReadWholeFile(path, true, &bytes, &opened);
  if (!opened) {
    std::fputs("Ei leidnud faili.\n", Diagnostics());
    return 1;
  }
  int pairs = 0;
  try {
    std::vector<TextLine> lines = SplitLines(bytes);
    // Pairs of lines: the verb lemma, then its rule text. A last lemma line
    // without its rule line is not entered.
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
      auto* e = new VerbEntry{nullptr, lines[i].text, lines[i + 1].text};
      uint32_t b = VerbLexiconBucket(e->key);
      e->next = g_buckets[b];
      g_buckets[b] = e;
      ++pairs;
      ++g_verbCount;
    }
  } catch (const std::bad_alloc&) {
    std::fprintf(Diagnostics(), "M\xa8lu otsas (%d s6na loetud)\n", pairs);
    FreeVerbLexicon();
    return 1;
  }
  std::fprintf(Diagnostics(), "S6nu loetud:  %d\n", pairs);
  return 0;
}

bool OccursAtWordStart(std::string_view b, std::string_view a) {
  for (size_t p = b.find(a); p != std::string_view::npos; p = b.find(a, p + 1))
    if (p == 0 || b[p - 1] == ' ') return true;
  return false;
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

struct VerbRule {
  std::vector<std::string_view> condition;  // tags, each tested at a word start
  std::vector<std::string_view> alternatives;
};

// rule text = rule {"&" rule}; rule = condition ">" alternative {"|" alternative}.
bool ParseRules(std::string_view text, std::vector<VerbRule>* rules) {
  size_t start = 0;
  while (true) {
    size_t amp = text.find('&', start);
    std::string_view rule = text.substr(start, amp == std::string_view::npos ? std::string_view::npos : amp - start);
    size_t gt = rule.find('>');
    if (gt == std::string_view::npos) return false;
    VerbRule r;
    std::string_view cond = Trim(rule.substr(0, gt));
    size_t p = 0;
    while (p < cond.size()) {
      size_t sp = cond.find(' ', p);
      if (sp == std::string_view::npos) sp = cond.size();
      if (sp > p) r.condition.push_back(cond.substr(p, sp - p));
      p = sp + 1;
    }
    std::string_view alts = rule.substr(gt + 1);
    size_t q = 0;
    while (true) {
      size_t bar = alts.find('|', q);
      std::string_view alt = alts.substr(q, bar == std::string_view::npos ? std::string_view::npos : bar - q);
      if (alt.find('>') != std::string_view::npos) return false;
      r.alternatives.push_back(Trim(alt));
      if (bar == std::string_view::npos) break;
      q = bar + 1;
    }
    rules->push_back(std::move(r));
    if (amp == std::string_view::npos) return true;
    start = amp + 1;
  }
}

bool IsLeadSkip(char c) { return c == ' ' || c == '-' || c == '+' || c == '/'; }

// Appends the rewritten form of one reading line (without its line feed)
// to out, each resulting line ending in "\n".
void ApplyToLine(const std::string& line, std::string* out) {
  auto unchanged = [&] {
    out->append(line);
    out->push_back('\n');
  };
  if (line.empty() || line[0] != ' ' || line.find('+') == std::string::npos) return unchanged();
  size_t p = 0;
  while (p < line.size() && IsLeadSkip(line[p])) ++p;
  size_t e = p;
  while (e < line.size() && line[e] != '+' && line[e] != ' ') ++e;
  const std::string* ruleText = LookupVerb(std::string_view(line).substr(p, e - p));
  if (!ruleText) return unchanged();

  size_t slash = line.find('/');
  if (slash == std::string::npos) {
    // Nothing to split into prefix, tags and rest.
    std::fprintf(Diagnostics(), "Syntax error in input: %s\n", line.c_str());
    return unchanged();
  }
  size_t prefixEnd = std::min(slash + 2, line.size());
  std::string prefix = line.substr(0, prefixEnd);
  size_t tagStart = slash + 1;
  while (tagStart < line.size() && IsLeadSkip(line[tagStart])) ++tagStart;
  // The prefix always covers the first "/" and the byte after it; tags never
  // start inside it.
  if (tagStart < prefixEnd) tagStart = prefixEnd;
  size_t tagEnd = line.find('/', tagStart);
  std::string tags, rest;
  if (tagEnd == std::string::npos) {
    std::fprintf(Diagnostics(), "Syntax error in input: %s\n", line.c_str());
    tags = line.substr(tagStart);
  } else {
    tags = line.substr(tagStart, tagEnd - tagStart);
    rest = line.substr(tagEnd);
  }
  // Bytes skipped between the prefix and the tags ("+", "-", spaces) are
  // kept in front of the tags so that nothing of the line is lost.
  std::string between = line.substr(prefixEnd, tagStart - prefixEnd);

  std::vector<VerbRule> rules;
  if (!ParseRules(*ruleText, &rules)) {
    std::fprintf(stderr, "Syntax error in lexicon: %s\n", ruleText->c_str());
    return unchanged();
  }
  bool replaced = false;
  for (const VerbRule& r : rules) {
    bool holds = true;
    for (std::string_view c : r.condition)
      if (!OccursAtWordStart(tags, c)) holds = false;
    if (!holds) continue;
    std::string copy = tags;
    for (std::string_view alt : r.alternatives) {
      if (OccursAtWordStart(copy, alt)) continue;
      copy.append(alt);
      if (copy.empty() || copy.back() != ' ') copy.push_back(' ');
      out->append(prefix).append(between).append(copy).append(rest).push_back('\n');
      replaced = true;
      copy = tags;
    }
  }
  if (!replaced) unchanged();
}

}  // namespace

std::string ApplyVerbLexicon(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 64);
  size_t pos = 0;
  while (true) {
    size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) break;  // text after the last line feed is not carried over
    ApplyToLine(text.substr(pos, nl - pos), &out);
    pos = nl + 1;
  }
  return out;
}

}  // namespace vaarikas::morph
