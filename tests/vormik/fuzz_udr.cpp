// Fuzz target: the user dictionary reader and the analysis of its words.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "vormik/analyser.h"
#include "vormik/dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char path[] = "/tmp/vormik_fuzz_udrXXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) return 0;
  if (write(fd, data, size) != static_cast<ssize_t>(size)) {}
  close(fd);
  vormik::Dictionary d;
  std::vector<std::string> msgs;
  d.LoadUser(path, &msgs);
  d.LoadCompiled(path);  // must reject it cleanly
  unlink(path);
  vormik::Analyser a(d);
  std::string text(reinterpret_cast<const char*>(data), size);
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
