// The morphological stage driven through CMainFrame::RunMorphology with the
// stand-in analyser library.
#include <gtest/gtest.h>

#include <filesystem>

#include "morph/stage.h"
#include "morph_test_util.h"
#include "pipeline/mainframe.h"

namespace vaarikas::morph {
namespace {

using testing::CurrentDirScope;
using testing::ReadFile;
using testing::RecordingUI;
using testing::TempDir;
using testing::WriteFile;

const char kCanned[] =
    "%log\n"
    "%capacity 2\n"
    "Mees\n    mees+0 //_S_ sg n, //\n"
    "tuli\n    tule+i //_V_ s, //\n    tuli+0 //_S_ sg n, //\n"
    ".\n    . //_Z_ //\n";

class StageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_symlink(STANDIN_VORMIK, prog / "libvormik.so");
    WriteFile(prog / "lexicon.lex", testing::kTestLexicon);
    WriteFile(prog / "verblex.lx", "tule\nmain > #Intr\n");
    WriteFile(prog / "eesti.dct", kCanned);
  }
  int Run(std::string* out = nullptr) {
    CurrentDirScope cd(work.path());
    CMainFrame frame(ui, work.path(), prog.path());
    // The readers' console messages go to standard output.
    ::testing::internal::CaptureStdout();
    int rc = frame.RunMorphology();
    std::string o = ::testing::internal::GetCapturedStdout();
    if (out) *out = o;
    return rc;
  }
  std::string Calls() { return ReadFile(prog / "calls.log"); }

  TempDir prog, work;
  RecordingUI ui;
};

TEST_F(StageTest, TokensThroughAnalyserTaggerAndVerbLexicon) {
  WriteFile(work / "source.lal", "$LA$\nMees\ntuli\n.\n$LL$\n");
  std::string out;
  ASSERT_EQ(Run(&out), 0);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(out, "S6nu loetud:  1\nL~opp\n");
  EXPECT_EQ(ReadFile(work / "source.txt"),
            "$LA$\n    $LA$ //_Z_ //\n"
            "Mees\n    mees+0 //_S_ com sg nom  #cap //\n"
            "tuli\n    tule+i //_V_ main indic impf ps3 sg ps af  #FinV #Intr //\n"
            "    tuli+0 //_S_ com sg nom  //\n"
            "$.\n    . //_Z_ Fst //\n"
            "$LL$\n    $LL$ //_Z_ //\n");
  EXPECT_EQ(ReadFile(work / "morf.txt"),
            "$LA$\n    $LA$ //_Z_ //\n"
            "Mees\n    mees+0 //_S_ sg n, //\n"
            "tuli\n    tule+i //_V_ s, //\n    tuli+0 //_S_ sg n, //\n"
            ".\n    . //_Z_ //\n"
            "$LL$\n    $LL$ //_Z_ //\n");
  // Lines go in while there is room; results are taken only when there is
  // none, and the rest after the last line.
  EXPECT_EQ(Calls(),
            "start eesti.dct eesti2.udr baltic.cnv\n"
            "in:$LA$\nin:Mees\nout:$LA$\nin:tuli\nout:Mees\nin:.\nout:tuli\nin:$LL$\n"
            "out:.\nout:$LL$\nstop\n");
}

TEST_F(StageTest, UnanalysedTokenIsAnalysedAgainAndMarked) {
  WriteFile(prog / "eesti2.udr",
            "Xyz\n    xyz+0 //_S_ sg n, //\n    xyz //_Z_ //\n    xyz+0 //_S_ sg g, //\n"
            "tuli\n    never used //_S_ //\n");
  WriteFile(work / "source.lal", "tuli\nXyz\n");
  ASSERT_EQ(Run(), 0);
  // morf.txt has the second analysis without marks, the cohort stream with
  // "#? " up to the first punctuation reading.
  EXPECT_EQ(ReadFile(work / "morf.txt"),
            "tuli\n    tule+i //_V_ s, //\n    tuli+0 //_S_ sg n, //\n"
            "Xyz\n    xyz+0 //_S_ sg n, //\n    xyz //_Z_ //\n    xyz+0 //_S_ sg g, //\n");
  EXPECT_EQ(ReadFile(work / "source.txt"),
            "tuli\n    tule+i //_V_ main indic impf ps3 sg ps af  #FinV #Intr //\n"
            "    tuli+0 //_S_ com sg nom  //\n"
            "Xyz\n    xyz+0 //_S_ com sg nom  #cap #? //\n    xyz //_Z_ //\n    xyz+0 //_S_ com sg gen  #cap //\n");
  EXPECT_NE(Calls().find("one:Xyz\n"), std::string::npos);
  EXPECT_EQ(Calls().find("one:tuli"), std::string::npos);
}

TEST_F(StageTest, LongLinesReachTheAnalyserInPiecesWithNothingLost) {
  std::string line(300, 'a');
  WriteFile(work / "source.lal", line + "\r\n" + std::string(248, 'b') + "\nlast");
  ASSERT_EQ(Run(), 0);
  std::string calls = Calls();
  EXPECT_NE(calls.find("in:" + std::string(248, 'a') + "\nin:" + std::string(52, 'a') + "\n"), std::string::npos);
  EXPECT_NE(calls.find("in:" + std::string(248, 'b') + "\n"), std::string::npos);
  EXPECT_NE(calls.find("in:last\n"), std::string::npos);
  EXPECT_EQ(calls.find("in:\n"), std::string::npos);  // no empty piece
  // The unknown long token's analyser text is over 252 bytes; it is analysed
  // again all the same.
  EXPECT_NE(calls.find("one:" + std::string(248, 'b') + "\n"), std::string::npos);
  std::string txt = ReadFile(work / "source.txt");
  EXPECT_NE(txt.find(std::string(248, 'b') + "\n    ####\n"), std::string::npos);
  EXPECT_NE(txt.find("last\n    ####\n"), std::string::npos);
}

TEST_F(StageTest, EmptyInputGivesNoCohortsAndFails) {
  WriteFile(work / "source.lal", "");
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ReadFile(work / "source.txt"), "");
  EXPECT_EQ(Calls(), "start eesti.dct eesti2.udr baltic.cnv\nstop\n");
}

TEST_F(StageTest, StartFailures) {
  WriteFile(work / "source.lal", "Mees\n");
  std::filesystem::remove(prog / "eesti.dct");
  EXPECT_EQ(Run(), 1);
  std::filesystem::remove(prog / "libvormik.so");
  EXPECT_EQ(Run(), 1);
  // A library without the analyser's entry points counts as not started.
  std::filesystem::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", prog / "libvormik.so");
  EXPECT_EQ(Run(), 1);
  ASSERT_EQ(ui.messages.size(), 3u);
  for (const auto& m : ui.messages) EXPECT_EQ(m, "Failed to initialise morphological analyser.");
  EXPECT_FALSE(std::filesystem::exists(work / "source.txt"));
}

TEST_F(StageTest, LexiconFailuresStopTheAnalyser) {
  WriteFile(work / "source.lal", "Mees\n");
  std::filesystem::remove(prog / "verblex.lx");
  std::string out;
  EXPECT_EQ(Run(&out), 1);
  EXPECT_EQ(out, "Ei leidnud faili.\n");
  EXPECT_EQ(Calls(), "start eesti.dct eesti2.udr baltic.cnv\nstop\n");
  std::filesystem::remove(prog / "lexicon.lex");
  EXPECT_EQ(Run(&out), 1);
  EXPECT_EQ(out, "\nlexicon.lex : open failed\n");
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Cannot open verblex.lx.", "Cannot open lexicon.lex."}));
}

TEST_F(StageTest, MissingInputAndUncreatableOutput) {
  std::string out;
  EXPECT_EQ(Run(&out), 1);
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Preprocessing failed."});
  EXPECT_EQ(out, "S6nu loetud:  1\nL~opp\n");
  WriteFile(work / "source.lal", "Mees\n");
  std::filesystem::create_directory(work / "source.txt");
  EXPECT_EQ(Run(&out), 1);
  EXPECT_EQ(out, "S6nu loetud:  1\nFailed creating output file.L~opp\n");
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(StageTest, AnalyserThatNeverMakesRoomDoesNotHang) {
  WriteFile(prog / "eesti.dct", std::string("%stall\n%log\n") + kCanned);
  WriteFile(work / "source.lal", "Mees\ntuli\n");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kMsgAnalyserStalled)});
  EXPECT_EQ(Calls(), "start eesti.dct eesti2.udr baltic.cnv\nstop\n");
}

TEST_F(StageTest, EveryRunStartsAfresh) {
  WriteFile(work / "source.lal", "Mees\n");
  ASSERT_EQ(Run(), 0);
  std::string first = ReadFile(work / "source.txt");
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(ReadFile(work / "source.txt"), first);
}

}  // namespace
}  // namespace vaarikas::morph
