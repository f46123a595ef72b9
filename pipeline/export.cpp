#include "pipeline/export.h"

namespace vaarikas {

std::string ExportBytes(std::string_view text) {
  std::string out(text);
  if (out.find_first_of(".?!") == std::string::npos) out.push_back('.');
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
      case 0x8A: c = static_cast<char>(0xD0); break;
      case 0x8E: c = static_cast<char>(0xDE); break;
      case 0x9A: c = static_cast<char>(0xF0); break;
      case 0x9E: c = static_cast<char>(0xFE); break;
      default: break;
    }
  }
  out.push_back('\0');
  return out;
}

}  // namespace vaarikas
