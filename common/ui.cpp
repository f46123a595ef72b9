#include "common/ui.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/encoding.h"

namespace vaarikas {

void ConsoleUserInterface::MessageBox(const std::string& text) {
  std::string out = Cp1257ToUtf8(text);
  std::fprintf(stderr, "vaarikas: %s\n", out.c_str());
}

void ConsoleUserInterface::ShowErrorFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (auto z = text.find('\0'); z != std::string::npos) text.resize(z);
  std::string out = Cp1257ToUtf8(text);
  std::fprintf(stderr, "---- %s ----\n%s", path.c_str(), out.c_str());
  if (!out.empty() && out.back() != '\n') std::fputc('\n', stderr);
  std::fprintf(stderr, "---- end of %s ----\n", path.c_str());
}

void ConsoleUserInterface::SetStatusText(const std::string& text) {
  if (verbose_) std::fprintf(stderr, "%s\n", Cp1257ToUtf8(text).c_str());
}

}  // namespace vaarikas
