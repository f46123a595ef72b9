#include "common/encoding.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace vaarikas {
namespace {

// Windows-1257 upper half, 0x80..0xFF; 0 marks an undefined position.
constexpr std::array<char16_t, 128> kUpper = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0,      0x2039, 0,      0x00A8, 0x02C7, 0x00B8,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0,      0x203A, 0,      0x00AF, 0x02DB, 0,       // 98
    0x00A0, 0,      0x00A2, 0x00A3, 0x00A4, 0,      0x00A6, 0x00A7,  // A0
    0x00D8, 0x00A9, 0x0156, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00C6,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00F8, 0x00B9, 0x0157, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00E6,  // B8
    0x0104, 0x012E, 0x0100, 0x0106, 0x00C4, 0x00C5, 0x0118, 0x0112,  // C0
    0x010C, 0x00C9, 0x0179, 0x0116, 0x0122, 0x0136, 0x012A, 0x013B,  // C8
    0x0160, 0x0143, 0x0145, 0x00D3, 0x014C, 0x00D5, 0x00D6, 0x00D7,  // D0
    0x0172, 0x0141, 0x015A, 0x016A, 0x00DC, 0x017B, 0x017D, 0x00DF,  // D8
    0x0105, 0x012F, 0x0101, 0x0107, 0x00E4, 0x00E5, 0x0119, 0x0113,  // E0
    0x010D, 0x00E9, 0x017A, 0x0117, 0x0123, 0x0137, 0x012B, 0x013C,  // E8
    0x0161, 0x0144, 0x0146, 0x00F3, 0x014D, 0x00F5, 0x00F6, 0x00F7,  // F0
    0x0173, 0x0142, 0x015B, 0x016B, 0x00FC, 0x017C, 0x017E, 0x02D9,  // F8
};

void PutUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

const std::unordered_map<uint32_t, unsigned char>& ReverseTable() {
  static const auto* table = [] {
    auto* t = new std::unordered_map<uint32_t, unsigned char>;
    for (int i = 0; i < 128; ++i)
      if (kUpper[i] != 0) (*t)[kUpper[i]] = static_cast<unsigned char>(0x80 + i);
    return t;
  }();
  return *table;
}

}  // namespace

std::string Cp1257ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (unsigned char c : bytes) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      char16_t cp = kUpper[c - 0x80];
      PutUtf8(out, cp ? cp : 0xFFFD);
    }
  }
  return out;
}

std::string Utf8ToCp1257(std::string_view s, std::size_t* replaced) {
  std::string out;
  out.reserve(s.size());
  std::size_t bad = 0;
  const auto& rev = ReverseTable();
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++i;
      continue;
    }
    int len = (c >= 0xF0 && c < 0xF8) ? 4 : (c >= 0xE0) ? 3 : (c >= 0xC2 && c < 0xE0) ? 2 : 0;
    if (c >= 0xF8) len = 0;
    uint32_t cp = 0;
    bool ok = len > 0 && i + static_cast<std::size_t>(len) <= s.size();
    if (ok) {
      cp = c & (0xFF >> (len + 1));
      for (int k = 1; k < len; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) { ok = false; break; }
        cp = (cp << 6) | (d & 0x3F);
      }
    }
    if (!ok) {
      out.push_back('?');
      ++bad;
      ++i;
      continue;
    }
    i += static_cast<std::size_t>(len);
    if (cp == 0xFEFF && out.empty()) continue;  // byte-order mark at the start
    auto it = rev.find(cp);
    if (it != rev.end()) {
      out.push_back(static_cast<char>(it->second));
    } else {
      out.push_back('?');
      ++bad;
    }
  }
  if (replaced) *replaced = bad;
  return out;
}

}  // namespace vaarikas
