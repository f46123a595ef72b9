// Fuzz target: the result file reader and the plain-text decoder of the
// editor take any bytes without crashing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editor/resultmodel.h"
#include "editor/textio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  auto sentences = vaarikas::sirel::ParseResult(bytes);
  for (const auto& s : sentences)
    for (const auto& w : s.words)
      if (w.word.empty()) __builtin_trap();
  vaarikas::sirel::TextFormat f;
  (void)vaarikas::sirel::DecodePlainText(bytes, &f);
  return 0;
}
