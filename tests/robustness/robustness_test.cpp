// `vaarikas analyse` under hostile conditions: each case ends in a clear
// error (exit status 1 and a message) or a correct result, never a crash or
// a cut result passed off as success. Read-only and full file systems are
// made with tmpfs mounts; without the right to mount those cases are
// skipped with a message.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "tests/support/files.h"

namespace fs = std::filesystem;

namespace {

using vaarikas::test::ReadFile;
using vaarikas::test::WriteFile;

const std::string kProgram = std::string(VAARIKAS_BIN_DIR) + "/vaarikas";
const fs::path kText = fs::path(VAARIKAS_SOURCE_DIR) / "tests/perf_reference/data/text.txt";

struct Result {
  int status = -1;  // exit status; -1 when killed by a signal
  std::string out, err;
};

// Runs the program with the arguments (already quoted for the shell).
// Standard output goes to stdout_to when given.
Result RunProgram(const fs::path& dir, const std::string& args, const fs::path& stdout_to = {}) {
  const fs::path out = stdout_to.empty() ? dir / "stdout.txt" : stdout_to, err = dir / "stderr.txt";
  std::string cmd = kProgram + " " + args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
  int raw = std::system(cmd.c_str());
  Result r;
  if (raw != -1 && WIFEXITED(raw)) r.status = WEXITSTATUS(raw);
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  // A sanitizer report also ends in status 1: never a "clear error".
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("runtime error:"), std::string::npos) << r.err;
  return r;
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vaarikas-robust-XXXXXX";
    dir_ = ::mkdtemp(tmpl);
  }
  void TearDown() override {
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it) ::umount2(it->c_str(), MNT_DETACH);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // A tmpfs of the given size at dir_/name; false (and the reason in why)
  // when mounting is not possible here.
  bool MountTmpfs(const std::string& name, const std::string& options, std::string* why) {
    fs::path at = dir_ / name;
    fs::create_directories(at);
    if (::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      *why = std::string("cannot mount a tmpfs (") + std::strerror(errno) + ")";
      return false;
    }
    mounts_.push_back(at.string());
    return true;
  }
  bool RemountReadOnly(const std::string& name, std::string* why) {
    fs::path at = dir_ / name;
    if (::mount("tmpfs", at.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m") != 0) {
      *why = std::string("cannot remount read-only (") + std::strerror(errno) + ")";
      return false;
    }
    return true;
  }
  std::string Input(const std::string& name, const std::string& bytes) {
    WriteFile(dir_ / name, bytes);
    return (dir_ / name).string();
  }
  fs::path dir_;
  std::vector<std::string> mounts_;
};

TEST_F(Robustness, ReadOnlyWorkDirectoryIsAClearError) {
  std::string why;
  if (!MountTmpfs("ro", "size=1m", &why) || !RemountReadOnly("ro", &why)) GTEST_SKIP() << why;
  std::string in = Input("in.txt", ReadFile(kText));
  Result r = RunProgram(dir_, "analyse --no-progress --workdir " + (dir_ / "ro").string() + " " + in);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("in.txt"), std::string::npos) << r.err;
  // The same for a batch: every file fails with its reason, the summary says so.
  std::string in2 = Input("in2.txt", ReadFile(kText));
  r = RunProgram(dir_, "analyse --no-progress -j 2 --workdir " + (dir_ / "ro").string() + " --output-dir " +
                    (dir_ / "out").string() + " " + in + " " + in2);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "out/in.txt.snx"));
}

TEST_F(Robustness, FullDiskIsAClearErrorNeverACutResult) {
  std::string why;
  if (!MountTmpfs("small", "size=64k", &why)) GTEST_SKIP() << why;
  std::string text;
  for (int i = 0; i < 10; ++i) text += ReadFile(kText);
  std::string in = Input("in.txt", text);
  // The work files do not fit.
  Result r = RunProgram(dir_, "analyse --no-progress --workdir " + (dir_ / "small/work").string() + " " + in);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(r.err.empty());
  // The work files fit elsewhere, the result does not: no result file, not
  // even a partial one.
  fs::remove_all(dir_ / "small/work");
  r = RunProgram(dir_, "analyse --no-progress --output-dir " + (dir_ / "small/out").string() + " " + in);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_FALSE(fs::exists(dir_ / "small/out/in.txt.snx"));
  EXPECT_FALSE(fs::exists(dir_ / "small/out/in.txt.snx.part"));
  // Standard output on a full disk.
  r = RunProgram(dir_, "analyse --no-progress " + in, dir_ / "small/result.txt");
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("disk full"), std::string::npos) << r.err;
}

TEST_F(Robustness, LargeInputGivesTheWholeResult) {
  // The text repeated: every sentence is analysed on its own, so the result
  // is the single text's result repeated as often.
  const std::string one = ReadFile(kText);
  Result single = RunProgram(dir_, "analyse --no-progress " + kText.string());
  ASSERT_EQ(single.status, 0) << single.err;
  ASSERT_FALSE(single.out.empty());
  const int times = 10;
  std::string text, want;
  for (int i = 0; i < times; ++i) text += one, want += single.out;
  std::string in = Input("large.txt", text);
  Result r = RunProgram(dir_, "analyse --no-progress " + in);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out == want) << "result of " << r.out.size() << " bytes, expected " << want.size();
  // Through --output-dir as well.
  r = RunProgram(dir_, "analyse --no-progress --output-dir " + (dir_ / "out").string() + " " + in);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(ReadFile(dir_ / "out/large.txt.snx") == want);
}

TEST_F(Robustness, BinaryFilesFailClearlyOrAnalyse) {
  std::mt19937 rng(99);
  std::string junk;
  for (int i = 0; i < 30000; ++i) junk.push_back(static_cast<char>(rng()));
  std::string in = Input("junk.bin", junk);
  Result r = RunProgram(dir_, "analyse --no-progress " + in);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("not a text file"), std::string::npos) << r.err;
  // Binary junk without zero bytes, in both encodings: an error or a
  // result, never a crash.
  for (char& c : junk)
    if (c == '\0') c = '\x01';
  in = Input("junk2.bin", junk);
  for (const char* enc : {"utf-8", "windows-1257"}) {
    r = RunProgram(dir_, std::string("analyse --no-progress --encoding ") + enc + " " + in);
    EXPECT_TRUE(r.status == 0 || r.status == 1) << enc << ": " << r.err;
    if (r.status == 1) {
      EXPECT_FALSE(r.err.empty()) << enc;
    } else if (r.status == 0) {
      EXPECT_FALSE(r.out.empty()) << enc;
    }
  }
  // A batch with a binary file among text files: the others still succeed.
  std::string good = Input("good.txt", ReadFile(kText));
  in = Input("junk3.bin", std::string("\0\1\2", 3) + junk.substr(0, 1000));
  r = RunProgram(dir_, "analyse --no-progress -j 2 --output-dir " + (dir_ / "out").string() + " " + good + " " + in);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_TRUE(fs::exists(dir_ / "out/good.txt.snx"));
  EXPECT_FALSE(fs::exists(dir_ / "out/junk3.bin.snx"));
}

}  // namespace
