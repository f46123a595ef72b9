// Fuzz target: the disambiguation rule reader. The first byte picks the mode
// (bit 0 scrambled, bit 1 heuristic); the rest is the rule file. A file that
// reads is also run over a short cohort stream.
#include <cstddef>
#include <cstdint>
#include <string>

#include "disamb/disamb.h"
#include "tests/disamb/helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::disamb;
  if (size == 0) return 0;
  const bool scrambled = data[0] & 1;
  const bool heuristic = data[0] & 2;
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string messages;
  if (test::LoadRules(text, &messages, scrambled, heuristic) == 0) {
    test::RunStream(
        "$LA$\n    $LA$ //_Z_ //\nsee\n    see+0 //_P_ dem sg nom //\nmaja\n    maja+0 //_S_ com sg nom //\n"
        "    maja+0 //_S_ com sg gen //\n    maja+0 //_V_ main inf //\n$,\n    , //_Z_ //\net\n"
        "    et+0 //_J_ sub //\n$LL$\n    $LL$ //_Z_ //\n",
        true);
  }
  FreeRules();
  return 0;
}
