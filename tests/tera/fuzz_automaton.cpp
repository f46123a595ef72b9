// Fuzz target: the automaton file reader, then a run of whatever automaton
// it accepted over a short text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tera/automaton.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaarikas::tera;
  Automaton a;
  if (a.Parse(std::string(reinterpret_cast<const char*>(data), size)) != 0) return 0;
  static const ConvTable identity;
  std::string text = "Tere! Dr. Kask tuli 5. mail (vt. lk. 3). \"Jah.\" Ei...\n\nUus l\x93ik jne. ja XII.";
  std::FILE* in = fmemopen(text.data(), text.size(), "rb");
  std::FILE* msg = std::fopen("/dev/null", "w");
  if (in && msg) {
    Input input(in, identity);
    Tokenizer tokens(input);
    std::string out;
    Output sink(&out, identity);
    RunAutomaton(a, tokens, sink, msg);
  }
  if (in) std::fclose(in);
  if (msg) std::fclose(msg);
  return 0;
}
