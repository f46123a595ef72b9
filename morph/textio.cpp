#include "morph/textio.h"

#include <memory>

namespace vaarikas::morph {

bool ReadWholeFile(const std::string& path, bool text, std::string* out, bool* opened) {
  out->clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (opened) *opened = f != nullptr;
  if (!f) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out->append(buf, n);
  bool ok = !std::ferror(f);
  if (std::fclose(f) != 0) ok = false;
  if (text) {
    std::string t;
    t.reserve(out->size());
    for (size_t i = 0; i < out->size(); ++i) {
      if ((*out)[i] == '\r' && i + 1 < out->size() && (*out)[i + 1] == '\n') continue;
      t.push_back((*out)[i]);
    }
    out->swap(t);
  }
  return ok;
}

std::vector<TextLine> SplitLines(const std::string& bytes) {
  std::vector<TextLine> lines;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    if (nl == std::string::npos) {
      lines.push_back({bytes.substr(pos), false});
      break;
    }
    lines.push_back({bytes.substr(pos, nl - pos), true});
    pos = nl + 1;
  }
  return lines;
}

}  // namespace vaarikas::morph
