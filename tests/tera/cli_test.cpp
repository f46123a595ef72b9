#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tera/tera_main.h"
#include "tera_process.h"

namespace vaarikas::tera {
namespace {

using testing::kData;
using testing::kTera;
using testing::ReadFile;
using testing::RunTera;
using testing::ScratchDir;
using testing::WriteFile;

const std::string kUsage =
    "syntaks:\n   " + kTera + " [-h|-H|-?] [-o kataloog] [-k PATH] [-e EXT] fail [fail...]\n";
const std::string kFailed = "Ei saanud mingi faili avamise/loomisega hakkama\n";

bool Exists(const std::string& p) { return std::filesystem::exists(p); }

TEST(TeraOutputName, ExtensionAndDirectory) {
  Settings s;
  EXPECT_EQ(OutputName("notes", s), "notes.lal");
  EXPECT_EQ(OutputName("dir.old/notes", s), "dir.old/notes.lal");
  EXPECT_EQ(OutputName("a.b.c", s), "a.b.lal");
  EXPECT_EQ(OutputName("/work/source.txt", s), "/work/source.lal");
  s.ext = ".out";
  EXPECT_EQ(OutputName("x.txt", s), "x.out");
  s.ext = ".lal";
  s.out_dir = "/out";
  EXPECT_EQ(OutputName("/work/source.txt", s), "/out/source.lal");
  s.out_dir = "/out/";
  EXPECT_EQ(OutputName("source", s), "/out/source.lal");
}

TEST(TeraDataSearch, PathThenProgramDirectory) {
  ScratchDir d;
  std::filesystem::create_directories(d / "a");
  std::filesystem::create_directories(d / "b");
  std::filesystem::create_directories(d / "prog");
  WriteFile(d / "b/t.cnv", "");
  WriteFile(d / "a/t.cnv", "");
  WriteFile(d / "prog/own.cnv", "");
  EXPECT_EQ(FindDataFile("t.cnv", d / "a" + ":" + d / "b", d / "prog"), d / "a/t.cnv");
  EXPECT_EQ(FindDataFile("t.cnv", "::" + d / "b/", d / "prog"), d / "b/t.cnv");
  EXPECT_EQ(FindDataFile("own.cnv", d / "a", d / "prog"), d / "prog/own.cnv");
  EXPECT_EQ(FindDataFile("none.cnv", d / "a", d / "prog"), "");
  // A name with a directory in it is taken as it is, not searched for.
  EXPECT_EQ(FindDataFile("b/t.cnv", d.path(), d / "prog"), "");
  EXPECT_EQ(FindDataFile(d / "b/t.cnv", "", d / "prog"), d / "b/t.cnv");
  // A directory of that name is not a data file.
  EXPECT_EQ(FindDataFile("b", d.path(), d / "prog"), "");
}

TEST(TeraCommandLine, UsageAndUnknownOptions) {
  ScratchDir d;
  WriteFile(d / "file", "Tere.");
  for (const char* opt : {"-h", "-H", "-?", "-help"}) {
    auto r = RunTera({opt, "file"}, d.path());
    EXPECT_EQ(r.status, 1) << opt;
    EXPECT_EQ(r.out, kUsage) << opt;
  }
  EXPECT_FALSE(Exists(d / "file.lal"));
  auto r = RunTera({"-x"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Tundmatu parameeter: -x\n");
  r = RunTera({"-xyz", "file"}, d.path());
  EXPECT_EQ(r.out, "Tundmatu parameeter: -xyz\n");
  r = RunTera({"-"}, d.path());
  EXPECT_EQ(r.out, "Tundmatu parameeter: -\n");
  for (const char* opt : {"-o", "-k", "-c", "-e", "-f"}) {
    r = RunTera({"-k", kData, opt}, d.path());
    EXPECT_EQ(r.status, 1) << opt;
    EXPECT_EQ(r.out, kUsage) << opt;
  }
}

TEST(TeraCommandLine, ArgumentsAfterTheFirstFileAreFiles) {
  ScratchDir d;
  WriteFile(d / "a.txt", "Tere.");
  auto r = RunTera({"-k", kData, "a.txt", "-o", "out"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "a.txt\n\r|\r \r-o\n" + kFailed);
  EXPECT_EQ(ReadFile(d / "a.lal"), "$LA$\nTere\n.\n$LL$\n");
  EXPECT_FALSE(Exists(d / "out.lal"));
}

TEST(TeraCommandLine, StopsAtTheFirstFileThatCannotBeOpened) {
  ScratchDir d;
  WriteFile(d / "one.txt", "Esimene lause. Teine lause!");
  WriteFile(d / "three.txt", "Kolmas.");
  auto r = RunTera({"-k", kData, "one.txt", "two.txt", "three.txt"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "one.txt\n\r|\r \rtwo.txt\n" + kFailed);
  EXPECT_EQ(ReadFile(d / "one.lal"),
            "$LA$\nEsimene\nlause\n.\n$LL$\n$LA$\nTeine\nlause\n!\n$LL$\n");
  EXPECT_FALSE(Exists(d / "two.lal"));
  EXPECT_FALSE(Exists(d / "three.lal"));
}

TEST(TeraCommandLine, OutputDirectoryExtensionAndSpinner) {
  ScratchDir d;
  std::filesystem::create_directories(d / "out");
  // Six blocks of 512 bytes: the spinner turns once and a half.
  std::string text;
  while (text.size() < 2600) text += "Sõna. ";
  WriteFile(d / "x.txt", text);
  auto r = RunTera({"-k", kData, "-o", d / "out", "-e", ".tok", "x.txt"}, d.path());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "x.txt\n\r|\r/\r-\r\\\r|\r/\r \r");
  EXPECT_TRUE(Exists(d / "out/x.tok"));
  EXPECT_FALSE(Exists(d / "x.tok"));
}

TEST(TeraCommandLine, FilterModeWritesOnlyTheTokens) {
  ScratchDir d;
  auto r = RunTera({"-k", kData}, d.path(), {}, "Tere! Kuidas l\xE4heb?\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "$LA$\nTere\n!\n$LL$\n$LA$\nKuidas\nl\xE4heb\n?\n$LL$\n");
  r = RunTera({"-k", kData}, d.path(), {}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(TeraCommandLine, FilterModeReportsMissingDataFiles) {
  ScratchDir d;
  auto r = RunTera({"-k", kData, "-c", "puudub.cnv"}, d.path(), {}, "Tere.");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kFailed);
  r = RunTera({"-k", kData, "-f", "puudub.fst"}, d.path(), {}, "Tere.");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, kFailed);
}

TEST(TeraCommandLine, SearchPathFromTheEnvironment) {
  ScratchDir d;
  std::filesystem::create_directories(d / "data");
  std::filesystem::copy_file(kData + "/baltic.cnv", d / "data/minu.cnv");
  std::filesystem::copy_file(kData + "/tera.fst", d / "data/minu.fst");
  std::filesystem::copy_file(kData + "/tera.fst", d / "minu.fst");
  WriteFile(d / "in.txt", "Tere.");
  const std::vector<std::string> args = {"-c", "minu.cnv", "-f", "minu.fst", "in.txt"};
  for (const char* var : {"PATH=", "path=", "Path="}) {
    auto r = RunTera(args, d.path(), {"HOME=/", std::string(var) + "/nonexistent:" + d / "data"});
    EXPECT_EQ(r.status, 0) << var;
    EXPECT_EQ(ReadFile(d / "in.lal"), "$LA$\nTere\n.\n$LL$\n") << var;
  }
  // The first matching entry counts, in environment order.
  auto r = RunTera(args, d.path(), {"path=/nonexistent", "PATH=" + d / "data"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "in.txt\n" + kFailed);
  // -k replaces the environment's path; the current directory is not searched.
  r = RunTera({"-k", "/nonexistent", "-c", "data/minu.cnv", "-f", "minu.fst", "in.txt"}, d.path(),
              {"PATH=" + d / "data"});
  EXPECT_EQ(r.status, 1);
  // A name with a directory is used as given, relative to the current directory.
  r = RunTera({"-k", d / "data", "-c", "data/minu.cnv", "-f", "minu.fst", "in.txt"}, d.path());
  EXPECT_EQ(r.status, 0);
}

TEST(TeraCommandLine, MalformedDataFilesAreExplained) {
  ScratchDir d;
  WriteFile(d / "bad.cnv", "# ok\n\\x4 a\n");
  WriteFile(d / "bad.fst", "2 32 0 1* 0 40=2/0*");
  WriteFile(d / "in.txt", "Tere.");
  auto r = RunTera({"-k", d.path() + ":" + kData, "-c", "bad.cnv", "in.txt"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "in.txt\n" + d / "bad.cnv" + ": rida 2: vigane paojada\n" + kFailed);
  r = RunTera({"-k", d.path() + ":" + kData, "-f", "bad.fst", "in.txt"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "in.txt\n" + d / "bad.fst" + ": rida 1: klass 40 on vahemikust v'aljas\n" + kFailed);
}

TEST(TeraCommandLine, OutputNeverOverwritesItsInput) {
  ScratchDir d;
  WriteFile(d / "x.lal", "Tere.");
  auto r = RunTera({"-k", kData, "x.lal"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "x.lal\nx.lal: v'aljundfail on sama mis sisendfail\n" + kFailed);
  EXPECT_EQ(ReadFile(d / "x.lal"), "Tere.");
}

TEST(TeraCommandLine, RunErrorsStopWithWhatWasWritten) {
  ScratchDir d;
  WriteFile(d / "stop.fst", "2 32 0 1* 0 0=2/0;8=2,20/0;3=7/1*");
  WriteFile(d / "in.txt", "yks kaks Kolm neli");
  auto r = RunTera({"-k", d.path() + ":" + kData, "-f", "stop.fst", "in.txt"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "in.txt\n\r|Viga: Ei kuulu v'aljundt'ahestikku: 20\n");
  EXPECT_EQ(ReadFile(d / "in.lal"), "yks\nkaks\nKolm\n");
}

TEST(TeraCommandLine, ReadErrorsAreFailures) {
  ScratchDir d;
  std::filesystem::create_directories(d / "sub");  // opens, but cannot be read
  std::filesystem::create_directories(d / "out");
  auto r = RunTera({"-k", kData, "-o", "out", "sub"}, d.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "sub\n\rViga: sisendi lugemine eba'onnestus: Is a directory\n");
  EXPECT_EQ(ReadFile(d / "out/sub.lal"), "");
}

TEST(TeraCommandLine, WindowsLineEndsAndTheTrailingZeroByte) {
  ScratchDir d;
  WriteFile(d / "source.nps", std::string("Esimene l\xF5ik.\r\n\r\nTeine l\xF5ik\r\n") + std::string(1, '\0'));
  auto r = RunTera({"-k", kData, d / "source.nps"}, "/");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadFile(d / "source.lal"),
            "$LA$\nEsimene\nl\xF5ik\n.\n$LL$\n$LA$\nTeine\nl\xF5ik\n$LL$\n");
}

}  // namespace
}  // namespace vaarikas::tera
