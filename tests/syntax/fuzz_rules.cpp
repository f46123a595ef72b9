// Fuzz target: the syntax rule reader, plain and scrambled.
#include <cstdint>
#include <cstdio>
#include <string>

#include "syntax/rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::syntax;
  static FILE* sink = std::fopen("/dev/null", "w");
  SetErrorStream(sink);
  std::string text(reinterpret_cast<const char*>(data), size);
  for (int mode = 0; mode < 2; ++mode) {
    FILE* f = fmemopen(text.empty() ? nullptr : text.data(), text.size(), "r");
    if (f == nullptr) f = std::tmpfile();
    if (f == nullptr) return 0;
    ReadSyntaxRules(f, mode == 0, mode == 0 ? 255 : 10);
    std::fclose(f);
    FreeSyntaxRules();
  }
  SetErrorStream(nullptr);
  return 0;
}
