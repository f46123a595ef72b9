// vaarikas scramble --disamb|--syntax PLAIN OUT
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "cli/commands.h"
#include "common/scramble.h"

namespace vaarikas::cli {

int CmdScramble(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "--disamb") != 0 && std::strcmp(argv[1], "--syntax") != 0))
    return Fail("usage: vaarikas scramble --disamb|--syntax PLAIN OUT");
  RuleFileKind kind = std::strcmp(argv[1], "--disamb") == 0 ? RuleFileKind::kDisamb : RuleFileKind::kSyntax;
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) return Fail("cannot read %s: %s", argv[2], std::strerror(errno));
  std::string plain((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail("cannot read %s", argv[2]);
  std::string error;
  std::string out = ScrambleRuleFile(plain, kind, &error);
  if (!error.empty()) return Fail("%s: %s", argv[2], error.c_str());
  // Write beside the target and rename, so a failed write never leaves a
  // truncated rule file in place.
  std::string tmp = std::string(argv[3]) + ".tmp";
  {
    std::ofstream o(tmp, std::ios::binary | std::ios::trunc);
    if (!o) return Fail("cannot write %s: %s", tmp.c_str(), std::strerror(errno));
    o.write(out.data(), static_cast<std::streamsize>(out.size()));
    o.close();
    if (!o) {
      std::remove(tmp.c_str());
      return Fail("cannot write %s", tmp.c_str());
    }
  }
  if (std::rename(tmp.c_str(), argv[3]) != 0) {
    int e = errno;
    std::remove(tmp.c_str());
    return Fail("cannot write %s: %s", argv[3], std::strerror(e));
  }
  return 0;
}

}  // namespace vaarikas::cli
