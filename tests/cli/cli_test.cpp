// The console front end as a user runs it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CmdResult {
  int status;
  std::string out;  // standard output and error, in order
};

CmdResult Vaarikas(const std::string& args) {
  std::string cmd = std::string(VAARIKAS_BIN_DIR) + "/vaarikas " + args + " 2>&1";
  CmdResult r{-1, ""};
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
  int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

TEST(Cli, HelpDocumentsEverySubcommand) {
  CmdResult r = Vaarikas("--help");
  EXPECT_EQ(r.status, 0);
  for (const char* cmd : {"analyse", "disamb RULES INPUT", "syntax RULES INPUT", "scramble --disamb|--syntax",
                          "morph-tag LEXICON VERBLEX", "--workdir", "--encoding", "--heuristics", "--grammar"})
    EXPECT_NE(r.out.find(cmd), std::string::npos) << cmd;
}

TEST(Cli, MissingFileIsNamedAndFails) {
  CmdResult r = Vaarikas("analyse /nonexistent/tekst.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("vaarikas: /nonexistent/tekst.txt: cannot read: No such file or directory"),
            std::string::npos)
      << r.out;
}

TEST(Cli, BadUsageFails) {
  EXPECT_EQ(Vaarikas("analyse").status, 1);
  EXPECT_EQ(Vaarikas("analyse --heuristics 7 x.txt").status, 1);
  EXPECT_EQ(Vaarikas("analyse --encoding latin-9 x.txt").status, 1);
  EXPECT_EQ(Vaarikas("frobnicate").status, 2);
}

TEST(Cli, TooShortAndBinaryTextsAreRefused) {
  auto dir = fs::temp_directory_path() / ("vaarikas_cli_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "short.txt") << "a";
  std::ofstream(dir / "binary.txt", std::ios::binary) << std::string("ab\0cd", 5);
  CmdResult r = Vaarikas("analyse " + (dir / "short.txt").string());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("Open morphologically analysed text to find Noun Phrases."), std::string::npos);
  r = Vaarikas("analyse " + (dir / "binary.txt").string());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("holds zero bytes"), std::string::npos);
  fs::remove_all(dir);
}

TEST(Cli, WorkdirKeepsTheExportedSource) {
  auto dir = fs::temp_directory_path() / ("vaarikas_cli_wd_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  // "Šokolaad on hea" in UTF-8: no sentence end, a caron letter.
  std::ofstream(dir / "in.txt") << "\xc5\xa0okolaad on hea";
  CmdResult r = Vaarikas("analyse --workdir " + (dir / "w").string() + " " + (dir / "in.txt").string());
  std::ifstream src(dir / "w" / "source.nps", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(src)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("\xd0okolaad on hea.\0", 17));
  EXPECT_TRUE(fs::exists(dir / "w" / "phrases.nps"));
  // A spacing caron stays a "?" (not Z with caron), and a "?" put in for a
  // character without a Windows-1257 form does not count as a sentence end.
  std::ofstream(dir / "in2.txt") << "Tere \xcb\x87 \xd0\xb6";
  Vaarikas("analyse --workdir " + (dir / "w").string() + " " + (dir / "in2.txt").string());
  std::ifstream src2(dir / "w" / "source.nps", std::ios::binary);
  bytes.assign((std::istreambuf_iterator<char>(src2)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("Tere ? ?.\0", 10));
  EXPECT_EQ(fs::file_size(dir / "w" / "phrases.nps"), 0u);
  fs::remove_all(dir);
}

}  // namespace

namespace {

TEST(CliBatch, OneBadFileIsReportedAndTheOthersGoOn) {
  auto dir = fs::temp_directory_path() / ("vaarikas_cli_b_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "corpus" / "sub");
  std::ofstream(dir / "corpus" / "a.txt") << "Tere hommikust.";
  std::ofstream(dir / "corpus" / "sub" / "b.txt") << "x";
  std::ofstream(dir / "list.txt") << (dir / "corpus" / "a.txt").string() << "\n/nonexistent/c.txt\n";
  CmdResult r = Vaarikas("analyse -j 2 --workdir " + (dir / "w").string() + " --list " + (dir / "list.txt").string() +
                         " " + (dir / "corpus").string());
  EXPECT_EQ(r.status, 1);
  // Every file got its turn: the short one and the missing one are named.
  EXPECT_NE(r.out.find("sub/b.txt: Open morphologically analysed text"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("/nonexistent/c.txt: cannot read"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("vaarikas: 4 file(s), "), std::string::npos) << r.out;
  // Work directories by relative name.
  EXPECT_TRUE(fs::exists(dir / "w" / "a.txt" / "source.nps"));
  fs::remove_all(dir);
}

}  // namespace
