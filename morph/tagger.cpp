#include "morph/tagger.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "morph/lexicon.h"

namespace vaarikas::morph {

namespace {

constexpr size_t npos = std::string::npos;

char At(const std::string& s, size_t i) { return i < s.size() ? s[i] : '\0'; }

// Position of the part-of-speech letter: the first "/" plus 3.
size_t PosLetterPos(const std::string& r) {
  size_t sl = r.find('/');
  return sl == npos ? npos : sl + 3;
}
char PosLetter(const std::string& r) {
  size_t p = PosLetterPos(r);
  return p == npos ? '\0' : At(r, p);
}
void SetPosLetter(std::string& r, char c) {
  size_t p = PosLetterPos(r);
  if (p != npos && p < r.size()) r[p] = c;
}
// Position right after the tag opener "//_X_".
size_t OpenerEnd(const std::string& r) {
  size_t sl = r.find('/');
  return sl == npos ? npos : std::min(sl + 5, r.size());
}
// Position right after the tag opener and the blank that follows it.
size_t AfterOpenerBlank(const std::string& r) {
  size_t p = OpenerEnd(r);
  if (p == npos) return r.size();
  return At(r, p) == ' ' ? p + 1 : p;
}

bool Contains(const std::string& r, const char* s) { return r.find(s) != npos; }

// Replaces the first occurrence of from by to; false when there is none.
bool ReplaceFirst(std::string& r, std::string_view from, std::string_view to, size_t start = 0) {
  size_t p = r.find(from, start);
  if (p == npos) return false;
  r.replace(p, from.size(), to);
  return true;
}

// ---- verb form table ----
enum Mark { kE, kA, kN, kLast };
struct TagString {
  const char* text;
  Mark mark;
};
struct VerbForm {
  const char* pattern;  // searched in the reading
  const char* code;     // replaced, with the byte after it
  std::vector<TagString> tags;
};

const std::vector<VerbForm>& VerbForms() {
  static const std::vector<VerbForm> t = {
      {" b, vad", "b, vad", {{"main indic pres ps3 sg ps af ", kE}, {"main indic pres ps3 pl ps af ", kLast}}},
      {" da, ta,", "da, ta,", {{"main indic pres imps neg ", kE}, {"main inf ", kLast}}},
      {" b ", "b", {{"main indic pres ps3 sg ps af ", kLast}}},
      {" d ", "d", {{"main indic pres ps2 sg ps af ", kLast}}},
      {" da ", "da", {{"main inf ", kLast}}},
      {" des ", "des", {{"main ger af ", kLast}}},
      {" ge ", "ge", {{"main imper pres ps2 pl ps af ", kN}, {"main imper pres ps2 pl ps neg ", kLast}}},
      {" gem ", "gem", {{"main imper pres ps1 pl ps af ", kN}, {"main imper pres ps1 pl ps neg ", kLast}}},
      {" gu ", "gu",
       {{"main imper pres sg ps af ", kA},
        {"main imper pres ps3 pl ps af ", kN},
        {"main imper pres ps3 sg ps neg ", kE},
        {"main imper pres ps3 pl ps neg ", kLast}}},
      {" ks ", "ks", {{"main cond pres ps af ", kN}, {"main cond pres ps neg ", kLast}}},
      {" ksid ", "ksid", {{"main cond pres ps2 sg ps af ", kA}, {"main cond pres ps3 pl ps af ", kLast}}},
      {" ksime ", "ksime", {{"main cond pres ps1 pl ps af ", kLast}}},
      {" ksin ", "ksin", {{"main cond pres ps1 sg ps af ", kLast}}},
      {" ksite ", "ksite", {{"main cond pres ps2 pl ps af ", kLast}}},
      {" ma ", "ma", {{"main sup ps ill ", kLast}}},
      {" maks ", "maks", {{"main sup ps tr ", kLast}}},
      {" mas ", "mas", {{"main sup ps in ", kLast}}},
      {" mast ", "mast", {{"main sup ps el ", kLast}}},
      {" mata ", "mata", {{"main sup ps abes ", kLast}}},
      {" me ", "me", {{"main indic pres ps1 pl ps af ", kLast}}},
      {" n ", "n", {{"main indic pres ps1 sg ps af ", kLast}}},
      {" nud ", "nud", {{"main partic past ps ", kN}, {"main indic impf ps neg ", kLast}}},
      {" nuks ", "nuks", {{"main cond past ps af ", kN}, {"main cond past ps neg ", kLast}}},
      {" nuksid ", "nuksid", {{"main cond past ps2 sg ps af ", kA}, {"main cond past ps3 pl ps af ", kLast}}},
      {" nuksime ", "nuksime", {{"main cond past ps1 pl ps af ", kLast}}},
      {" nuksin ", "nuksin", {{"main cond past ps1 sg ps af ", kLast}}},
      {" nuksite ", "nuksite", {{"main cond past ps2 pl ps af ", kLast}}},
      {" nuvat ", "nuvat", {{"main quot past ps af ", kN}, {"main quot past ps neg ", kLast}}},
      {" o ", "o",
       {{"main imper pres ps2 sg ps af ", kN},
        {"main imper pres ps2 sg ps neg ", kE},
        {"main indic pres ps neg ", kLast}}},
      {" s ", "s", {{"main indic impf ps3 sg ps af ", kLast}}},
      {" sid ", "sid", {{"main indic impf ps2 sg ps af ", kA}, {"main indic impf ps3 pl ps af ", kLast}}},
      {" sime ", "sime", {{"main indic impf ps1 pl ps af ", kLast}}},
      {" sin ", "sin", {{"main indic impf ps1 sg ps af ", kLast}}},
      {" site ", "site", {{"main indic impf ps2 pl ps af ", kLast}}},
      {" ta ", "ta", {{"main indic pres imps neg ", kLast}}},
      {" tagu ", "tagu", {{"main imper pres imps af ", kN}, {"main imper pres imps neg ", kLast}}},
      {" taks ", "taks", {{"main cond pres imps af ", kN}, {"main cond pres imps neg ", kLast}}},
      {" takse ", "takse", {{"main indic pres imps af ", kLast}}},
      {" tama ", "tama", {{"main sup imps ", kLast}}},
      {" tav ", "tav", {{"main partic pres imps ", kLast}}},
      {" tavat ", "tavat", {{"main quot pres imps af ", kN}, {"main quot pres imps neg ", kLast}}},
      {" te ", "te", {{"main indic pres ps2 pl ps af ", kLast}}},
      {" ti ", "ti", {{"main indic impf imps af ", kLast}}},
      {" tud ", "tud", {{"main partic past imps ", kN}, {"main indic impf imps neg ", kLast}}},
      {" tuks ", "tuks", {{"main cond past imps af ", kN}, {"main cond past imps neg ", kLast}}},
      {" tuvat ", "tuvat", {{"main quot past imps af  ", kN}, {"main quot past imps neg ", kLast}}},
      {" v ", "v", {{"main partic pres ps ", kLast}}},
      {" vad ", "vad", {{"main indic pres ps3 pl ps af ", kLast}}},
      {" vat ", "vat", {{"main quot pres ps af ", kN}, {"main quot pres ps neg ", kLast}}},
  };
  return t;
}

// Chain roles of auxiliary and modal verbs.
enum class Role { kNone, kAuxCopy, kAux, kMainThenMod, kMod };
struct ChainEntry {
  const char* lemma;
  Role role;
  const char* complement;
};
const ChainEntry kChain[] = {
    {"ole", Role::kAuxCopy, ""},
    {"\xE4r", Role::kAux, ""},
    {"\xE4ra", Role::kAux, ""},
    {"v\xF5i", Role::kMainThenMod, "#inf "},
    {"tohti", Role::kMainThenMod, "#inf "},
    {"n\xE4i", Role::kMainThenMod, "#vat "},
    {"tundu", Role::kMainThenMod, "#vat "},
    {"pida", Role::kMod, "#sup "},
    {"saa", Role::kMod, "#inf "},
    {"paist", Role::kMod, "#vat "},
};

const char* const kGovernmentTags[] = {" #Postp ", " #Postn ", " #Prekom ", " #Postkom ", " #Postel ", " #Preg ",
                                       " #Prep ",  " #Pren ",  " #Preabes ", " #Post ",   " #Preall "};

const char* const kCoordinating[] = {"ja", "v\xF5i", "ning", "aga", "ega", "kuid", "ent", "vaid", "saati", "elik"};
const char* const kSubordinating[] = {"et",     "kuna", "sest",    "olgugi",   "ehkki",  "kuigi",
                                      "nagu",   "otsekui", "justkui", "otse_kui", "just_kui"};
const char* const kBoth[] = {"ehk", "kui", "kuni"};

template <size_t N>
bool InList(const char* const (&list)[N], std::string_view w) {
  for (const char* s : list)
    if (w == s) return true;
  return false;
}

// Text from the line's first "*", else from "#Correct!", else from its
// first at sign, to the end; empty when there is none.
std::string MarkerText(const std::string& line) {
  size_t p = line.find('*');
  if (p == npos) p = line.find("#Correct!");
  if (p == npos) p = line.find('@');
  return p == npos ? std::string() : line.substr(p);
}

bool IsCapitalByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || c == 0xD5 || c == 0xC4 || c == 0xD6 || c == 0xDC;
}

}  // namespace

size_t DefaultInsertionPoint(const std::string& r) {
  size_t p = r.find('*');
  if (p != npos) return p;
  size_t pl = PosLetterPos(r);
  if (pl != npos && pl + 1 < r.size()) {
    p = r.find('/', pl + 1);
    if (p != npos) return p;
  }
  p = r.find("#Correct!");
  if (p != npos) return p;
  p = r.find('@');
  if (p != npos) return p;
  p = r.find('\n');
  if (p != npos) return p;
  return r.size();
}

void InsertTag(std::string& r, size_t pos, size_t count, const std::string& text) {
  if (pos == npos) pos = DefaultInsertionPoint(r);
  if (pos > r.size()) pos = r.size();
  r.replace(pos, std::min(count, r.size() - pos), text);
}

namespace {
void InsertDefault(std::string& r, const std::string& text) { InsertTag(r, npos, 0, text); }
}  // namespace

std::string CohortTagger::Tag(const std::string& text) {
  out_.clear();
  out_.reserve(text.size() * 2 + 16);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t nl = text.find('\n', pos);
    if (nl == npos) nl = text.size();
    line_.assign(text, pos, nl - pos);
    w_ = line_;
    if (!line_.empty() && line_[0] == ' ') {
      ReadingLine();
    } else {
      WordLine();
      // The lemmas of the cohort's verb readings, wherever they stand.
      for (size_t r = nl + 1; r < text.size() && text[r] == ' ';) {
        size_t e = text.find('\n', r);
        if (e == npos) e = text.size();
        std::string reading = text.substr(r, e - r);
        if (PosLetter(reading) == 'V') {
          size_t plus = reading.find('+', 4);
          if (plus != npos) verb_lemmas_.push_back(reading.substr(4, plus - 4));
        }
        r = e + 1;
      }
    }
    pos = nl + 1;
  }
  return out_;
}

void CohortTagger::WordLine() {
  const std::string& l = line_;
  size_t sp = l.find(' ');
  if (sp != npos) {
    word_ = l.substr(0, sp);
  } else {
    size_t lt = l.find('<');
    size_t gt = lt == npos ? npos : l.find('>', lt + 1);
    word_ = gt != npos ? l.substr(lt + 1, gt - lt - 1) : l;
  }
  if (word_.size() > 511) word_.resize(511);
  unsigned char first = static_cast<unsigned char>(At(l, 0));
  capital_ = IsCapitalByte(first);
  hyphen_ = !l.empty() && l.back() == '-';
  verb_lemmas_.clear();
  if ((first != 0 && std::strchr("<.,?!:();\xAE\xAF\"", first)) || (first == '-' && (l.size() == 1 || l[1] == ' ')))
    out_.push_back('$');
  if (first == '<' || (first == '>' && l.size() == 2)) out_.push_back('$');
  out_.append(l).push_back('\n');
}

void CohortTagger::AddCapital(std::string& r) {
  if (capital_ && r.find(" #cap ") == npos) InsertDefault(r, "#cap ");
}

// The lemma: the current line from its fifth byte up to its first "+"; when
// there is none, the rest of the line (restWhenNone) or up to the first
// space after the seventh byte.
std::string CohortTagger::LemmaToPlus(bool restWhenNone) const {
  if (line_.size() <= 4) return std::string();
  size_t plus = line_.find('+', 4);
  if (plus != npos) return line_.substr(4, plus - 4);
  if (restWhenNone) return line_.substr(4);
  size_t sp = line_.size() > 7 ? line_.find(' ', 7) : npos;
  return sp == npos ? line_.substr(4) : line_.substr(4, sp - 4);
}

void CohortTagger::ReadingLine() {
  if (w_.find('/') == npos) {
    out_.append("    ####\n");
    return;
  }
  char letter = PosLetter(w_);
  if (letter == 'Z' || letter == 'T') {
    PunctuationReading();
    out_.append(w_);
    return;
  }
  AddCapital(w_);
  if (letter == 'K') {
    AdpositionReading();
    out_.append(w_);
    return;
  }
  if (letter == 'J') {
    ConjunctionReading();
    out_.append(w_);
    return;
  }
  w_.push_back('\n');
  auto rewrite = [&](std::string& r) {
    if (PosLetter(r) == 'V')
      VerbReading(r);
    else
      NominalReading(r);
  };
  size_t commas = 0;
  for (char c : line_) commas += c == ',';
  size_t comma = line_.find(',');
  auto slashAfterComma = [&] {
    size_t p = comma + 1;
    for (int i = 0; i < 3; ++i, ++p) {
      if (At(line_, p) == '/') return true;
      if (At(line_, p) != ' ') return false;
    }
    return false;
  };
  if (commas == 0) {
    size_t pl = PosLetterPos(w_);
    if (pl == npos || w_.find('/', pl + 1) == npos) InsertTag(w_, w_.find('\n'), 0, " // ");
    rewrite(w_);
    out_.append(w_);
    return;
  }
  if (commas == 1 && slashAfterComma()) {
    size_t c = w_.find(',');
    if (c != npos) w_[c] = ' ';
    rewrite(w_);
    out_.append(w_);
    return;
  }
  if (Contains(w_, "//_V_ da, ta, //") || Contains(w_, "//_V_ b, vad, //")) {
    VerbReading(w_);
    out_.append(w_);
    return;
  }
  // Several codes: one reading for each code that is followed by a comma.
  size_t head = AfterOpenerBlank(line_);
  std::string prefix = line_.substr(0, head);
  std::string marker = MarkerText(line_);
  size_t pl = PosLetterPos(line_);
  size_t close = pl == npos ? npos : line_.find('/', pl + 1);
  size_t end = close == npos ? line_.size() : close;
  size_t p = head;
  bool any = false;
  while (p < end) {
    while (p < end && line_[p] == ' ') ++p;
    size_t c = line_.find(',', p);
    if (c == npos || c >= end) break;
    std::string code = line_.substr(p, c - p);
    p = c + 1;
    w_ = prefix;
    w_.append(code).append(" // ").append(marker).push_back('\n');
    rewrite(w_);
    AddCapital(w_);
    out_.append(w_);
    any = true;
  }
  // Commas only outside the code list: the reading is kept as one reading
  // rather than dropped.
  if (!any) {
    rewrite(w_);
    out_.append(w_);
  }
  w_.clear();
}

void CohortTagger::NominalReading(std::string& r) {
  size_t oe = OpenerEnd(r);
  auto restHas = [&](const char* s) { return oe != npos && r.find(s, oe) != npos; };
  auto atOpener = [&](const char* s) {
    if (oe != npos) r.insert(oe, s);
  };
  switch (PosLetter(r)) {
    case 'A':
      if (!restHas("pos")) atOpener(" pos");
      break;
    case 'C':
      atOpener(" comp");
      SetPosLetter(r, 'A');
      break;
    case 'U':
      atOpener(" super");
      SetPosLetter(r, 'A');
      break;
    case 'H':
      atOpener(" prop");
      SetPosLetter(r, 'S');
      break;
    case 'S':
      if (!restHas("com")) atOpener(" com");
      break;
    case 'O':
      atOpener(" ord");
      SetPosLetter(r, 'N');
      break;
    case 'N':
      if (!restHas("card")) atOpener(" card");
      break;
    case 'P':
      PronounSubclass(r);
      break;
    default:
      break;
  }
  // Case codes, each at its first occurrence: the code and the blank after
  // it give way to the case tag.
  struct CaseCode {
    const char* code;
    const char* tag;
    const char* tagNoSg;
  };
  static const CaseCode kCases[] = {
      {" n ", "nom ", nullptr},          {" g ", "gen ", nullptr},       {" p ", "part ", nullptr},
      {" adt ", "adit ", "sg adit "},    {" (adt) ", "adit ? ", "sg adit ? "},
      {" ter ", "term ", nullptr},       {" ab ", "abes ", nullptr},
  };
  for (const CaseCode& c : kCases) {
    size_t p = r.find(c.code);
    if (p == npos) continue;
    const char* tag = c.tagNoSg && !Contains(r, " sg ") ? c.tagNoSg : c.tag;
    r.replace(p + 1, std::strlen(c.code) - 1, tag);
  }
  // Numerals by the look of the lemma.
  if (PosLetter(r) == 'N') {
    char c = At(r, 4);
    const char* tag;
    if ((c >= '0' && c <= '9') || c == ':')
      tag = "digit ";
    else if (c == 'I' || c == 'D' || c == 'X' || c == 'L' || c == 'C')
      tag = "roman ";
    else if (c == 'V' || c == 'M')
      tag = std::strchr("sjeSJE", At(r, 7)) && At(r, 7) != '\0' ? "l " : "roman ";
    else
      tag = "l ";
    InsertDefault(r, tag);
  }
  if (Contains(r, "+ki "))
    InsertDefault(r, "#ki ");
  else if (Contains(r, "+gi "))
    InsertDefault(r, "#gi ");
  char letter = PosLetter(r);
  if (letter == 'A' || letter == 'S') {
    size_t s = r.find('=');
    if (s != npos) {
      ++s;
    } else {
      for (const char* pat : {"line+", "nud+", "tud+"}) {
        s = r.find(pat);
        if (s != npos) break;
      }
    }
    if (s != npos) {
      size_t e1 = r.find('+', s);
      size_t e2 = r.find(" //_", s);
      size_t e = std::min(e1, e2);
      if (e != npos && e - s < 7) {
        std::string tag = "#" + r.substr(s, e - s) + " ";
        if (tag.find('_') == npos) InsertDefault(r, tag);
      }
    }
    for (const char* pat : {"=nud+", "=nu+", "=tud+", "=tu+", "=dud+", "=du+", "=tav+", "=v+", "=ev+"}) {
      if (Contains(r, pat)) {
        InsertDefault(r, "partic ");
        // A participle whose stem is not its verb's (teh=tud of tege+ud,
        // tul=nud of tule+nud): its adjective lemma does not show the
        // verb, so the grammar keeps the verb reading beside it.
        size_t eq = r.find('=');
        std::string stem = eq != npos && eq > 4 ? r.substr(4, eq - 4) : std::string();
        if (!verb_lemmas_.empty() && std::find(verb_lemmas_.begin(), verb_lemmas_.end(), stem) == verb_lemmas_.end())
          InsertDefault(r, "#irreg ");
        size_t f = r.find(" #FinV ");
        if (f != npos) r.erase(f, 6);
        break;
      }
    }
  }
  if (hyphen_) InsertDefault(r, "#- ");
}

void CohortTagger::PronounSubclass(std::string& r) {
  std::string lemma = LemmaToPlus(false);
  int i = Pronouns().Find(lemma);
  size_t oe = OpenerEnd(r);
  if (i >= 0 && oe != npos) r.insert(oe, Pronouns().Value(i));
}

void CohortTagger::AdpositionReading() {
  for (const char* t : kGovernmentTags) {
    size_t p = w_.find(t);
    if (p != npos) w_.erase(p, std::strlen(t) - 1);
  }
  std::string lemma = LemmaToPlus(true);
  w_.push_back('\n');
  int i = Adpositions().Find(lemma);
  if (i < 0) return;
  const std::string copy = w_;
  std::string_view gov = Adpositions().Value(i);
  if (!gov.empty()) gov.remove_prefix(1);
  size_t pos = 0;
  while (true) {
    size_t amp = gov.find('&', pos);
    if (amp == std::string_view::npos) break;
    std::string r = copy;
    r.insert(AfterOpenerBlank(r), gov.substr(pos, amp - pos));
    out_.append(r);
    pos = amp + 1;
    if (pos < gov.size() && gov[pos] == ' ') ++pos;
  }
  w_ = copy;
  std::string last(gov.substr(std::min(pos, gov.size())));
  last.push_back(' ');
  w_.insert(AfterOpenerBlank(w_), last);
}

void CohortTagger::ConjunctionReading() {
  std::string lemma = LemmaToPlus(false);
  const char* tag = nullptr;
  if (InList(kCoordinating, lemma))
    tag = "crd ";
  else if (InList(kSubordinating, lemma))
    tag = "sub ";
  else if (InList(kBoth, lemma))
    tag = "crd sub ";
  if (tag) w_.insert(AfterOpenerBlank(w_), tag);
  w_.push_back('\n');
}

void CohortTagger::PunctuationReading() {
  const PunctuationTable& t = Punctuation();
  bool twoLt = word_ == "<<";
  bool twoGt = word_ == ">>";
  char first = word_.empty() ? '\0' : word_[0];
  for (int i = 0; i < t.count; ++i) {
    std::string_view key = t.Key(i);
    if (key.empty()) continue;
    bool pair = (twoLt && key[0] == '\xAE') || (twoGt && key[0] == '\xAF');
    if (key[0] != first && !pair) continue;
    w_ = "    ";
    if (pair)
      w_.append(word_);
    else
      w_.append(key);
    w_.append(" //_Z_ ").append(t.Value(i)).append(" //\n");
    return;
  }
  w_.push_back('\n');
}

// ---- verb readings ----

void CohortTagger::VerbReading(std::string& r) {
  AddCapital(r);
  size_t sl = r.find('/');
  size_t area = sl == npos ? r.size() : std::min(sl + 6, r.size());
  if (Contains(r, " \xE4ra+0 ")) {
    InsertTag(r, area, 6, "aux imper pres ps2 sg ps neg ");
    return;
  }
  if (Contains(r, " ei+0 ")) {
    InsertTag(r, area, 0, "aux ");
    return;
  }
  size_t from = area > 0 ? area - 1 : 0;
  bool negative = false;
  if (size_t n = r.find(" neg ", from); n != npos) {
    negative = true;
    r.replace(n, 5, " ");
  }
  const VerbForm* form = nullptr;
  size_t at = npos;
  for (const VerbForm& f : VerbForms()) {
    at = r.find(f.pattern, from);
    if (at != npos) {
      form = &f;
      break;
    }
  }
  auto last = [&](std::string& x) {
    if (negative) NegativeConversions(x);
    Finish(x);
  };
  if (!form) {
    last(r);
    return;
  }
  const std::string saved = r;
  size_t codeLen = std::strlen(form->code) + 1;
  for (const TagString& ts : form->tags) {
    std::string cur = saved;
    cur.replace(at + 1, std::min(codeLen, cur.size() - (at + 1)), ts.text);
    switch (ts.mark) {
      case kE:
        Finish(cur);
        out_.append(cur);
        break;
      case kA:
        Finish(cur);
        if (negative) ReplaceFirst(cur, " af ", " neg ");
        out_.append(cur);
        break;
      case kN:
        if (negative) {
          r = std::move(cur);
          last(r);
          return;
        }
        Finish(cur);
        out_.append(cur);
        break;
      case kLast:
        r = std::move(cur);
        last(r);
        return;
    }
  }
}

void CohortTagger::NegativeConversions(std::string& r) {
  if (!ReplaceFirst(r, " af ", " neg ")) InsertDefault(r, "neg ");
  ReplaceFirst(r, "partic past", "indic impf");
  ReplaceFirst(r, "partic", "indic");
  ReplaceFirst(r, "imper pres ps2 sg ps", "indic pres ps");
}

void CohortTagger::Finish(std::string& r) {
  FiniteMark(r);
  ChainRole(r);
}

void CohortTagger::FiniteMark(std::string& r) {
  if (Contains(r, "  \xE4ra+")) return;
  if (size_t p = r.find(" #FinV "); p != npos) r.erase(p, 6);
  if (Contains(r, "indic") || Contains(r, "imper") || Contains(r, "cond") || Contains(r, "quot"))
    InsertDefault(r, "#FinV ");
}

void CohortTagger::ChainRole(std::string& r) {
  std::string lemma = LemmaToPlus(true);
  const ChainEntry* e = nullptr;
  for (const ChainEntry& c : kChain)
    if (lemma == c.lemma) e = &c;
  if (!e || !Contains(r, " main ")) return;
  switch (e->role) {
    case Role::kAuxCopy: {
      std::string copy = r;
      ReplaceFirst(copy, " main", " aux");
      out_.append(copy);
      break;
    }
    case Role::kAux:
      ReplaceFirst(r, " main", " aux");
      break;
    case Role::kMainThenMod:
      out_.append(r);
      ReplaceFirst(r, " main", " mod");
      InsertDefault(r, e->complement);
      break;
    case Role::kMod:
      ReplaceFirst(r, " main", " mod");
      InsertDefault(r, e->complement);
      break;
    case Role::kNone:
      break;
  }
}

std::string MarkSecondAnalysis(const std::string& t) {
  std::string out;
  out.reserve(t.size() + 32);
  size_t pos = 0;
  while (true) {
    size_t open = t.find("//_", pos);
    if (open == npos || At(t, open + 3) == 'Z') break;
    size_t close = t.find("//", open + 3);
    if (close == npos) break;
    out.append(t, pos, close - pos).append("#? ").append("//");
    pos = close + 2;
  }
  out.append(t, pos, npos);
  return out;
}

}  // namespace vaarikas::morph
