#include "tera/conv_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <new>

namespace vaarikas::tera {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one character of a sequence or internal byte at t[i]: a plain byte or
// one escape. Returns false for a malformed escape.
bool ReadChar(std::string_view t, std::size_t& i, unsigned char* out) {
  if (t[i] != '\\') {
    *out = static_cast<unsigned char>(t[i++]);
    return true;
  }
  if (i + 1 < t.size() && t[i + 1] == '\\') {
    *out = '\\';
    i += 2;
    return true;
  }
  if (i + 3 < t.size() && t[i + 1] == 'x' && HexValue(t[i + 2]) >= 0 && HexValue(t[i + 3]) >= 0) {
    *out = static_cast<unsigned char>(HexValue(t[i + 2]) * 16 + HexValue(t[i + 3]));
    i += 4;
    return true;
  }
  if (i + 3 < t.size() && IsOctal(t[i + 1]) && IsOctal(t[i + 2]) && IsOctal(t[i + 3])) {
    const int v = (t[i + 1] - '0') * 64 + (t[i + 2] - '0') * 8 + (t[i + 3] - '0');
    if (v > 255) return false;
    *out = static_cast<unsigned char>(v);
    i += 4;
    return true;
  }
  return false;
}

int Fail(std::string* detail, int line, const char* what) {
  if (detail) *detail = "rida " + std::to_string(line) + ": " + what;
  return kErrBadTableLine;
}

}  // namespace

int ConvTable::Parse(std::string_view raw, std::string* detail) {
  entries_.clear();
  // Text-mode reading: a carriage return before a line feed is dropped; the
  // walk below relies on a final line feed.
  std::string t;
  t.reserve(raw.size() + 1);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    t.push_back(raw[i]);
  }
  const std::size_t end = t.size();  // where the file's own text ends
  t.push_back('\n');

  int line = 1;
  std::size_t i = 0;
  while (i < end) {
    const char c = t[i];
    if (c == '\n' || c == '\r') {
      if (c == '\n') ++line;
      ++i;
      continue;
    }
    if (c == '#') {
      while (t[i] != '\n') ++i;
      continue;
    }
    if (c == ' ' || c == '\t') return Fail(detail, line, "t'uhi jada (rida algab t'uhikuga)");
    ConvEntry e;
    while (!IsSeparator(t[i])) {
      unsigned char b;
      if (!ReadChar(t, i, &b)) return Fail(detail, line, "vigane paojada");
      if (b == 0) return Fail(detail, line, "nullbait jadas");
      e.seq.push_back(static_cast<char>(b));
    }
    // One separator, then blanks; a line end here means the internal byte is
    // missing (it must not be taken from the next line).
    if (t[i] == '\n' || t[i] == '\r') return Fail(detail, line, "sisemine bait puudub");
    ++i;
    while (t[i] == ' ' || t[i] == '\t') ++i;
    if (t[i] == '\n' || t[i] == '\r') return Fail(detail, line, "sisemine bait puudub");
    if (!ReadChar(t, i, &e.internal)) return Fail(detail, line, "vigane paojada");
    while (t[i] != '\n') ++i;  // the rest of the line is a comment
    entries_.push_back(std::move(e));
  }
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const ConvEntry& a, const ConvEntry& b) { return a.seq < b.seq; });
  Index();
  return 0;
}

void ConvTable::Index() {
  max_len_ = 1;
  out_.fill(nullptr);
  for (const auto& e : entries_) {
    max_len_ = std::max(max_len_, e.seq.size());
    if (!out_[e.internal]) out_[e.internal] = &e.seq;
  }
  std::size_t k = 0;
  for (int b = 0; b < 256; ++b) {
    while (k < entries_.size() && static_cast<unsigned char>(entries_[k].seq[0]) < b) ++k;
    const auto ub = static_cast<std::size_t>(b);
    first_[ub] = k;
    if (k == entries_.size() || static_cast<unsigned char>(entries_[k].seq[0]) != b)
      direct_[ub] = static_cast<short>(b);  // no sequence begins with b
    else if (entries_[k].seq.size() == 1)
      direct_[ub] = entries_[k].internal;  // the first, shortest one is just b
    else
      direct_[ub] = -1;  // longer sequences only: scan them
  }
}

int ConvTable::Load(const std::string& path, std::string* detail) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return errno ? errno : kErrTableNotFound;
  std::string text;
  char buf[4096];
  std::size_t n;
  try {
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  } catch (const std::bad_alloc&) {
    std::fclose(f);
    return kErrNoMemory;
  }
  const bool bad = std::ferror(f);
  const int err = errno;
  std::fclose(f);
  if (bad) return err ? err : 5;
  try {
    return Parse(text, detail);
  } catch (const std::bad_alloc&) {
    return kErrNoMemory;
  }
}

}  // namespace vaarikas::tera
