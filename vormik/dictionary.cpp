#include "vormik/dictionary.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/encoding.h"
#include "vormik/vormik.h"

namespace vormik {

std::uint64_t Fnv1a64(std::string_view s) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

static bool ReadWholeFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return false;
  out = ss.str();
  return true;
}

Dictionary::Dictionary() { slots_.assign(1024, kNoRef); }

static std::uint32_t HashKey(std::string_view s) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

const Dictionary::Key* Dictionary::FindKey(std::string_view key) const {
  std::uint32_t h = HashKey(key);
  std::size_t mask = slots_.size() - 1;
  for (std::size_t i = h & mask;; i = (i + 1) & mask) {
    std::uint32_t k = slots_[i];
    if (k == kNoRef) return nullptr;
    const Key& rec = keys_[k];
    if (rec.hash == h && rec.text == key) return &rec;
  }
}

void Dictionary::Rehash(std::size_t size) {
  slots_.assign(size, kNoRef);
  std::size_t mask = size - 1;
  for (std::uint32_t k = 0; k < keys_.size(); ++k) {
    std::size_t i = keys_[k].hash & mask;
    while (slots_[i] != kNoRef) i = (i + 1) & mask;
    slots_[i] = k;
  }
}

Dictionary::Key& Dictionary::InsertKey(std::string_view key) {
  std::uint32_t h = HashKey(key);
  std::size_t mask = slots_.size() - 1;
  std::size_t i = h & mask;
  for (;; i = (i + 1) & mask) {
    std::uint32_t k = slots_[i];
    if (k == kNoRef) break;
    if (keys_[k].hash == h && keys_[k].text == key) return keys_[k];
  }
  keys_.push_back(Key{key, h, kNoRef, false});
  ++used_;
  slots_[i] = static_cast<std::uint32_t>(keys_.size() - 1);
  if (used_ * 10 > slots_.size() * 7) Rehash(slots_.size() * 2);
  return keys_.back();
}

std::string_view Dictionary::Own(std::string_view s) {
  owned_.emplace_back(s);
  return owned_.back();
}

std::uint32_t Dictionary::AddLemma(std::string_view output_lemma, char pos) {
  lemmas_.push_back(output_lemma);
  pos_.push_back(pos);
  return static_cast<std::uint32_t>(lemmas_.size() - 1);
}

void Dictionary::AddStem(std::uint32_t lemma, StemClass c, std::string_view text, std::string_view codes) {
  std::uint32_t ci = 0;
  if (c == kFixed) {
    auto it = code_index_.find(codes);
    if (it == code_index_.end()) {
      codes_.emplace_back(codes);
      ci = static_cast<std::uint32_t>(codes_.size() - 1);
      code_index_.emplace(std::string(codes), ci);
    } else {
      ci = it->second;
    }
  }
  Key& slot = InsertKey(text);
  for (std::uint32_t r = slot.head; r != kNoRef; r = refs_[r].next)
    if (refs_[r].lemma == lemma && refs_[r].cls == c && refs_[r].codes == ci) return;
  // Keep the order in which stems were added: append at the chain's end.
  StemRef ref{lemma, c, ci, kNoRef};
  refs_.push_back(ref);
  std::uint32_t idx = static_cast<std::uint32_t>(refs_.size() - 1);
  if (slot.head == kNoRef) {
    slot.head = idx;
  } else {
    std::uint32_t r = slot.head;
    while (refs_[r].next != kNoRef) r = refs_[r].next;
    refs_[r].next = idx;
  }
  char p = pos_[lemma];
  if ((p == 'S' || p == 'A') && (c == kNom || c == kGen) && text.size() >= 3) slot.first_part = true;
  if (c == kFirst && text.size() >= 2) slot.first_part = true;
}

void Dictionary::Add(const LexEntry& e) {
  std::uint32_t id = AddLemma(Own(OutputLemma(e)), e.pos);
  for (const Stem& s : e.stems) AddStem(id, s.cls, Own(s.text), s.codes);
}

void Dictionary::AddGuessRule(StemClass c, std::string_view suffix, GuessRule rule) {
  std::string key(1, static_cast<char>('A' + c));
  key += suffix;
  guess_[key].push_back(std::move(rule));
}

const std::vector<GuessRule>* Dictionary::Guess(StemClass c, std::string_view suffix, std::string& key) const {
  key.assign(1, static_cast<char>('A' + c));
  key += suffix;
  auto it = guess_.find(key);
  return it == guess_.end() ? nullptr : &it->second;
}

int Dictionary::LoadCompiled(const std::string& path) {
  std::string data;
  if (!ReadWholeFile(path, data)) return VORMIK_EDCT_OPEN;
  std::size_t nl1 = data.find('\n');
  if (nl1 == std::string::npos || std::string_view(data).substr(0, nl1) != kDctMagic) return VORMIK_EDCT_CORRUPT;
  std::size_t nl2 = data.find('\n', nl1 + 1);
  if (nl2 == std::string::npos) return VORMIK_EDCT_CORRUPT;
  unsigned long long len = 0, sum = 0;
  std::string head = data.substr(nl1 + 1, nl2 - nl1 - 1);
  if (std::sscanf(head.c_str(), "%llu %llx", &len, &sum) != 2) return VORMIK_EDCT_CORRUPT;
  if (data.size() - (nl2 + 1) != len || Fnv1a64(std::string_view(data).substr(nl2 + 1)) != sum)
    return VORMIK_EDCT_CORRUPT;
  file_ = std::move(data);
  std::string_view body = std::string_view(file_).substr(nl2 + 1);

  std::size_t lines = static_cast<std::size_t>(std::count(body.begin(), body.end(), '\n'));
  refs_.reserve(refs_.size() + lines);
  keys_.reserve(keys_.size() + lines * 3 / 4);
  std::size_t want = 1024;
  while (want * 7 < (keys_.size() + lines * 3 / 4) * 10) want *= 2;
  if (want > slots_.size()) Rehash(want);
  std::uint32_t current = 0;
  bool have_lemma = false;
  std::size_t pos = 0;
  std::string_view f[7];
  while (pos < body.size()) {
    std::size_t end = body.find('\n', pos);
    if (end == std::string_view::npos) end = body.size();
    std::string_view line = body.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    std::size_t nf = 0, i = 0;
    for (;;) {
      std::size_t t = line.find('\t', i);
      if (nf == 7) return VORMIK_EDCT_CORRUPT;
      if (t == std::string_view::npos) {
        f[nf++] = line.substr(i);
        break;
      }
      f[nf++] = line.substr(i, t - i);
      i = t + 1;
    }
    if (f[0] == "L") {
      if (nf != 3 || f[2].size() != 1) return VORMIK_EDCT_CORRUPT;
      current = AddLemma(f[1], f[2][0]);
      have_lemma = true;
    } else if (f[0] == "Q") {
      if (nf != 7) return VORMIK_EDCT_CORRUPT;
      StemClass c = ClassFromName(f[1]);
      if (c == kClassCount || f[5].size() != 1) return VORMIK_EDCT_CORRUPT;
      GuessRule r;
      r.strip = static_cast<std::uint8_t>(std::atoi(std::string(f[3]).c_str()));
      r.add = std::string(f[4]);
      r.pos = f[5][0];
      r.count = static_cast<std::uint32_t>(std::atol(std::string(f[6]).c_str()));
      AddGuessRule(c, f[2], std::move(r));
    } else {
      StemClass c = ClassFromName(f[0]);
      if (c == kClassCount || !have_lemma || f[1].empty()) return VORMIK_EDCT_CORRUPT;
      if (c == kFixed) {
        if (nf != 3) return VORMIK_EDCT_CORRUPT;
        AddStem(current, c, f[1], f[2]);
      } else {
        if (nf != 2) return VORMIK_EDCT_CORRUPT;
        AddStem(current, c, f[1], {});
      }
    }
  }
  return VORMIK_OK;
}

static bool LooksUtf8(std::string_view s) {
  bool multi = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) continue;
    int n = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (n < 0 || i + static_cast<std::size_t>(n) >= s.size() + 0) return false;
    for (int k = 1; k <= n; ++k) {
      if (i + static_cast<std::size_t>(k) >= s.size()) return false;
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80) return false;
    }
    i += static_cast<std::size_t>(n);
    multi = true;
  }
  return multi;
}

int Dictionary::LoadUser(const std::string& path, std::vector<std::string>* messages) {
  std::string data;
  if (!ReadWholeFile(path, data)) return VORMIK_EUDR_OPEN;
  std::string name = path;
  std::size_t slash = name.rfind('/');
  if (slash != std::string::npos) name = name.substr(slash + 1);
  AddUserText(data, name, messages);
  return VORMIK_OK;
}

void Dictionary::AddUserText(std::string data, const std::string& name, std::vector<std::string>* messages) {
  if (LooksUtf8(data)) data = vaarikas::Utf8ToCp1257(data);
  std::size_t pos = 0;
  int lineno = 0;
  while (pos < data.size()) {
    std::size_t end = data.find('\n', pos);
    if (end == std::string::npos) end = data.size();
    std::string_view line = std::string_view(data).substr(pos, end - pos);
    pos = end + 1;
    ++lineno;
    LexEntry e;
    std::string err;
    if (line.find('\0') != std::string_view::npos) {
      err = "the line holds a zero byte";
    } else if (ParseLexLine(line, e, err)) {
      if (!e.lemma.empty()) Add(e);
      continue;
    }
    if (messages) messages->push_back(name + ":" + std::to_string(lineno) + ": " + err);
  }
}

void AppendCompiledEntry(std::string& body, const LexEntry& e) {
  body += "L\t";
  body += OutputLemma(e);
  body += '\t';
  body += e.pos;
  body += '\n';
  for (const Stem& s : e.stems) {
    body += ClassName(s.cls);
    body += '\t';
    body += s.text;
    if (s.cls == kFixed) {
      body += '\t';
      body += s.codes;
    }
    body += '\n';
  }
}

void AppendCompiledGuess(std::string& body, StemClass c, std::string_view suffix, const GuessRule& r) {
  body += "Q\t";
  body += ClassName(c);
  body += '\t';
  body += suffix;
  body += '\t';
  body += std::to_string(r.strip);
  body += '\t';
  body += r.add;
  body += '\t';
  body += r.pos;
  body += '\t';
  body += std::to_string(r.count);
  body += '\n';
}

std::string FinishCompiled(const std::string& body) {
  char head[64];
  std::snprintf(head, sizeof head, "%zu %llx\n", body.size(),
                static_cast<unsigned long long>(Fnv1a64(body)));
  std::string out(kDctMagic);
  out += '\n';
  out += head;
  out += body;
  return out;
}

}  // namespace vormik
