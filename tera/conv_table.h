// Character conversion table: maps byte sequences of the external text to the
// one-byte internal letter code the tokenizer works in, and back.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vaarikas::tera {

// Run error codes shared by everything a processing run does.
inline constexpr int kErrTableNotFound = 2;
inline constexpr int kErrAutomaton = -1;
inline constexpr int kErrNoMemory = 12;
inline constexpr int kErrBadTableLine = 22;
inline constexpr int kEndOfInput = 900;

struct ConvEntry {
  std::string seq;          // external bytes, never empty, no zero byte
  unsigned char internal;   // the byte that stands for them inside
};

class ConvTable {
 public:
  // Parses the text of a table file (already read whole). Returns 0, or
  // kErrBadTableLine with a description of the first bad line in *detail.
  int Parse(std::string_view text, std::string* detail = nullptr);

  // Reads and parses a file. Returns 0, errno of a failed open/read, or the
  // Parse error code.
  int Load(const std::string& path, std::string* detail = nullptr);

  // Input conversion at p (avail > 0 bytes available; fewer than MaxSeqLen()
  // only at the end of the input). Stores the internal byte in *out and
  // returns the number of input bytes it covers.
  std::size_t Convert(const unsigned char* p, std::size_t avail, unsigned char* out) const {
    const unsigned char b = p[0];
    // Most bytes begin no sequence, or a one-byte one, which as the shortest
    // always wins: the result is known without the scan.
    if (direct_[b] >= 0) {
      *out = static_cast<unsigned char>(direct_[b]);
      return 1;
    }
    for (std::size_t i = first_[b]; i < entries_.size(); ++i) {
      const std::string& s = entries_[i].seq;
      std::size_t k = 0;
      for (; k < s.size(); ++k) {
        if (k >= avail) break;
        const unsigned char e = static_cast<unsigned char>(s[k]);
        if (p[k] != e) break;
      }
      if (k == s.size()) {
        *out = entries_[i].internal;
        return s.size();
      }
      // The input ends before the sequence does, or is smaller: no entry
      // further on can match. Greater: this entry sorts below, go on.
      if (k >= avail || p[k] < static_cast<unsigned char>(s[k])) break;
    }
    *out = b;
    return 1;
  }

  // Output conversion: the external text for one internal byte, or null when
  // the byte is written unchanged.
  const std::string* External(unsigned char internal) const { return out_[internal]; }

  std::size_t MaxSeqLen() const { return max_len_; }
  const std::vector<ConvEntry>& Entries() const { return entries_; }

 private:
  void Index();

  std::vector<ConvEntry> entries_;
  // first_[b]: the first entry whose sequence does not sort below the byte b;
  // the linear scan would skip every entry before it anyway.
  std::array<std::size_t, 256> first_{};
  std::array<const std::string*, 256> out_{};
  std::array<short, 256> direct_ = Identity();
  static std::array<short, 256> Identity() {
    std::array<short, 256> a{};
    for (int i = 0; i < 256; ++i) a[static_cast<std::size_t>(i)] = static_cast<short>(i);
    return a;
  }
  std::size_t max_len_ = 1;
};

}  // namespace vaarikas::tera
