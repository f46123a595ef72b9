// Fuzz target: the conversion table reader, then both conversions with
// whatever table it accepted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tera/conv_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using vaarikas::tera::ConvTable;
  const std::string text(reinterpret_cast<const char*>(data), size);
  ConvTable t;
  if (t.Parse(text) != 0) return 0;
  for (const auto& e : t.Entries())
    if (e.seq.empty() || e.seq.find('\0') != std::string::npos) __builtin_trap();
  std::size_t i = 0;
  while (i < size) {
    unsigned char c;
    const std::size_t n = t.Convert(data + i, size - i, &c);
    if (n == 0 || n > size - i) __builtin_trap();
    i += n;
  }
  std::size_t total = 0;
  for (int b = 0; b < 256; ++b)
    if (const std::string* s = t.External(static_cast<unsigned char>(b))) total += s->size();
  return total > 0 ? 0 : 0;
}
