// A short text through the whole pipeline: `tera`, the morphological stage
// with the stand-in analyser, the disambiguator and the syntactic analyser.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "morph_test_util.h"
#include "pipeline/export.h"
#include "pipeline/mainframe.h"

namespace vaarikas {
namespace {

namespace fs = std::filesystem;
using morph::testing::CurrentDirScope;
using morph::testing::ReadFile;
using morph::testing::RecordingUI;
using morph::testing::TempDir;
using morph::testing::WriteFile;

// Canned analyser texts for every token of the text below.
const char kCanned[] =
    "Mees\n    mees+0 //_S_ sg n, //\n"
    "ostis\n    ost+is //_V_ s, //\n"
    "poest\n    pood+st //_S_ sg el, //\n"
    "leiba\n    leib+0 //_S_ sg p, //\n"
    ".\n    . //_Z_ //\n"
    "Ta\n    tema+0 //_P_ sg n, //\n"
    "ei\n    ei+0 //_V_ neg, //\n"
    "tulnud\n    tule+nud //_V_ neg nud, //\n"
    "koju\n    koju+0 //_D_ //\n";

const char kText[] = "Mees ostis poest leiba. Ta ei tulnud koju.";

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

TEST(MorphPipelineTest, ShortTextToResultFile) {
  const fs::path bin = VAARIKAS_BIN_DIR;
  for (const char* needed : {"tera", "tera.fst", "baltic.cnv", "grammar.rul", "grammar.rle", "lexicon.lex", "verblex.lx"})
    ASSERT_TRUE(fs::exists(bin / needed)) << (bin / needed) << " is missing: build tera and the data files first";

  TempDir prog, work;
  for (const auto& e : fs::directory_iterator(bin)) {
    std::string n = e.path().filename().string();
    if (n == "libvormik.so" || n == "eesti.dct" || n == "eesti2.udr" || n == "verblex.lx") continue;
    fs::create_symlink(e.path(), prog / n);
  }
  fs::create_symlink(STANDIN_VORMIK, prog / "libvormik.so");
  WriteFile(prog / "eesti.dct", kCanned);
  // A verb lexicon of the test's own, so that growing the shipped one does
  // not change the expected cohort stream.
  WriteFile(prog / "verblex.lx", "tule\nmain > #Intr\nost\nmain > #Obj\n");
  WriteFile(work / "source.nps", ExportBytes(kText));
  WriteFile(work / "phrases.nps", "");

  RecordingUI ui;
  CMainFrame frame(ui, work.path(), prog.path());
  bool ok;
  {
    CurrentDirScope cd(work.path());
    ::testing::internal::CaptureStdout();
    ok = frame.RunPipeline();
    ::testing::internal::GetCapturedStdout();
  }
  ASSERT_TRUE(ok) << (ui.messages.empty() ? std::string() : ui.messages[0]) << "\nderrors.txt:\n"
                  << ReadFile(work / "derrors.txt") << "\nsynerrors.txt:\n"
                  << ReadFile(work / "synerrors.txt");
  EXPECT_TRUE(ui.messages.empty());

  EXPECT_EQ(ReadFile(work / "source.lal"),
            "$LA$\nMees\nostis\npoest\nleiba\n.\n$LL$\n$LA$\nTa\nei\ntulnud\nkoju\n.\n$LL$\n");
  EXPECT_EQ(ReadFile(work / "source.txt"),
            "$LA$\n    $LA$ //_Z_ //\n"
            "Mees\n    mees+0 //_S_ com sg nom  #cap //\n"
            "ostis\n    ost+is //_V_ main indic impf ps3 sg ps af  #FinV #Obj //\n"
            "poest\n    pood+st //_S_ com sg el  //\n"
            "leiba\n    leib+0 //_S_ com sg part  //\n"
            "$.\n    . //_Z_ Fst //\n"
            "$LL$\n    $LL$ //_Z_ //\n"
            "$LA$\n    $LA$ //_Z_ //\n"
            "Ta\n    tema+0 //_P_ pers ps3 sg nom  #cap //\n"
            "ei\n    ei+0 //_V_ aux neg  //\n"
            "tulnud\n    tule+nud //_V_ main indic impf ps  neg #FinV #Intr //\n"
            "koju\n    koju+0 //_D_ //\n"
            "$.\n    . //_Z_ Fst //\n"
            "$LL$\n    $LL$ //_Z_ //\n");
  // The raw analyser texts, in order.
  std::string morf = ReadFile(work / "morf.txt");
  EXPECT_NE(morf.find("Mees\n    mees+0 //_S_ sg n, //\nostis\n"), std::string::npos);
  EXPECT_EQ(ReadFile(work / "cgplog.txt"),
            (work / "source.nps") + "\n" + kText +
                "\n\nLausestaja l\xf5petas\nMorf. anal\xfcsaator l\xf5petas\n\xdchestaja l\xf5petas");

  // The disambiguated stream and the result keep every token in order, and
  // the result gives every word a syntactic function tag.
  const std::vector<std::string> words = {"Mees", "ostis", "poest", "leiba", "Ta", "ei", "tulnud", "koju"};
  for (const char* file : {"source.cgd", "source.snx"}) {
    std::string text = ReadFile(work / file);
    ASSERT_FALSE(text.empty()) << file;
    size_t at = 0;
    for (const auto& w : words) {
      size_t p = text.find("\n" + w + "\n", at);
      if (p == std::string::npos && at == 0 && text.rfind(w + "\n", 0) == 0) p = 0;
      ASSERT_NE(p, std::string::npos) << w << " missing or out of order in " << file << ":\n" << text;
      at = p + 1;
    }
  }
  std::vector<std::string> snx = Lines(ReadFile(work / "source.snx"));
  for (const auto& w : words) {
    bool tagged = false;
    for (size_t i = 0; i < snx.size(); ++i) {
      if (snx[i] != w) continue;
      for (size_t j = i + 1; j < snx.size() && !snx[j].empty() && snx[j][0] == ' '; ++j)
        if (snx[j].find(" @") != std::string::npos) tagged = true;
    }
    EXPECT_TRUE(tagged) << w << " has no syntactic function tag in source.snx:\n" << ReadFile(work / "source.snx");
  }
}

}  // namespace
}  // namespace vaarikas
