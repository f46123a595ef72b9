// Fuzz target: the user dictionary reader, the compiled dictionary reader
// (which must reject junk cleanly) and the analysis of the words read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "vormik/analyser.h"
#include "vormik/dictionary.h"
#include "vormik/vormik.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  vormik::Dictionary d;
  std::vector<std::string> msgs;
  d.AddUserText(text, "fuzz.udr", &msgs);
  if (size % 16 == 0) {
    // Now and then through a file, as the library reads it.
    char path[] = "/tmp/vormik_fuzz_udrXXXXXX";
    int fd = mkstemp(path);
    if (fd >= 0) {
      if (write(fd, data, size) != static_cast<ssize_t>(size)) {}
      close(fd);
      vormik::Dictionary c;
      int rc = c.LoadCompiled(path);
      if (rc != VORMIK_OK && rc != VORMIK_EDCT_CORRUPT) __builtin_trap();
      unlink(path);
    }
  }
  vormik::Analyser a(d);
  std::size_t p = 0;
  for (int n = 0; n < 8 && p < text.size(); ++n) {
    std::size_t e = text.find(' ', p);
    if (e == std::string::npos) e = text.size();
    vormik::TokenContext ctx;
    ctx.guess = true;
    a.Analyse(text.substr(p, e - p), ctx);
    p = e + 1;
  }
  return 0;
}
