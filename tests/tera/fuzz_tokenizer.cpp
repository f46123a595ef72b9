// Fuzz target: the tokenizer over arbitrary bytes through a table with
// multi-byte sequences. Every token fits a token record, and the tokens
// together hold every non-blank character of the input, in order.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tera/tokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::tera;
  static ConvTable table = [] {
    ConvTable t;
    t.Parse("\\xC3\\xA4 \\x84\n\\xC3\\xB5 \\x93\n\\xE2\\x80\\x9E \\x8B\n\\xE2\\x80\\x9D \\x9B\n\\x84 \\xC1\n\\x93 \\xF7\n");
    return t;
  }();
  if (size == 0) return 0;
  std::string internal;
  for (std::size_t i = 0; i < size;) {
    unsigned char c;
    i += table.Convert(data + i, size - i, &c);
    if (!IsSpace(c)) internal.push_back(static_cast<char>(c));
  }
  std::string copy(reinterpret_cast<const char*>(data), size);
  std::FILE* f = fmemopen(copy.data(), copy.size(), "rb");
  if (!f) return 0;
  Input in(f, table);
  Tokenizer tokens(in);
  Token t;
  std::string joined;
  for (std::size_t guard = 0; tokens.Next(&t) != kClsEnd; ++guard) {
    if (t.cls < 2 || t.cls > 31 || t.text.size() > kMaxTokenText || guard > size + 1) __builtin_trap();
    if ((t.cls >= 2 && t.cls <= 5) != t.text.empty()) __builtin_trap();
    joined += t.text;
  }
  std::fclose(f);
  if (joined != internal) __builtin_trap();
  return 0;
}
