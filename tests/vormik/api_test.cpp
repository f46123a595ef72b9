// The library's entry points: start failures, the pipeline, the single-word
// analysis and the user dictionary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "vormik/vormik.h"

namespace fs = std::filesystem;

namespace {

const std::string kBin = VAARIKAS_BIN_DIR;

class ApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(VAARIKAS_TEST_BIN_DIR) / ("vormik_api_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy_file(kBin + "/eesti.dct", dir_ / "eesti.dct");
    Write("eesti2.udr", "vaarikas S N:vaarikas G:vaarika P:vaarikat\n");
    Write("baltic.cnv", "table\n");
  }
  void TearDown() override {
    StoppVormik();
    fs::remove_all(dir_);
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  int Start() { return StartVormik(dir_.c_str(), "eesti.dct", "eesti2.udr", "baltic.cnv", 3); }
  fs::path dir_;
};

TEST_F(ApiTest, StartsAndReportsNoError) {
  EXPECT_EQ(Start(), 0);
  EXPECT_EQ(MrfErrNo(), 0);
  EXPECT_EQ(std::string(PohiSonastikuNimi()), (dir_ / "eesti.dct").string());
  EXPECT_EQ(std::string(LisaSonastikuNimi()), (dir_ / "eesti2.udr").string());
  EXPECT_EQ(std::string(TeisendusTabeliNimi()), (dir_ / "baltic.cnv").string());
  EXPECT_STRNE(VerDct(), "");
}

TEST_F(ApiTest, EveryStartFailureIsReported) {
  EXPECT_EQ(StartVormik(nullptr, "eesti.dct", "eesti2.udr", "baltic.cnv", 3), VORMIK_EARGS);
  EXPECT_EQ(MrfErrNo(), VORMIK_EARGS);
  EXPECT_EQ(StartVormik(dir_.c_str(), "puudub.dct", "eesti2.udr", "baltic.cnv", 3), VORMIK_EDCT_OPEN);
  EXPECT_EQ(MrfErrNo(), VORMIK_EDCT_OPEN);
  EXPECT_EQ(StartVormik(dir_.c_str(), "eesti.dct", "puudub.udr", "baltic.cnv", 3), VORMIK_EUDR_OPEN);
  EXPECT_EQ(StartVormik(dir_.c_str(), "eesti.dct", "eesti2.udr", "puudub.cnv", 3), VORMIK_ECNV_OPEN);
  EXPECT_EQ(StartVormik("/no/such/dir", "eesti.dct", "eesti2.udr", "baltic.cnv", 3), VORMIK_EDCT_OPEN);
  // A directory where the dictionary should be.
  fs::create_directories(dir_ / "kaust.dct");
  EXPECT_NE(StartVormik(dir_.c_str(), "kaust.dct", "eesti2.udr", "baltic.cnv", 3), 0);
}

TEST_F(ApiTest, CorruptDictionariesAreRejected) {
  std::string good;
  {
    std::ifstream in(dir_ / "eesti.dct", std::ios::binary);
    good.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::vector<std::string> bad = {
      "",                                   // empty
      "garbage\n",                          // wrong magic
      good.substr(0, good.size() / 2),      // cut short
      std::string(good).replace(good.size() / 2, 1, "\x01"),  // one byte changed
      "VORMIK-DCT 2\n5 0\nL\tx\n",          // checksum wrong
  };
  for (std::size_t i = 0; i < bad.size(); ++i) {
    Write("bad.dct", bad[i]);
    EXPECT_EQ(StartVormik(dir_.c_str(), "bad.dct", "eesti2.udr", "baltic.cnv", 3), VORMIK_EDCT_CORRUPT) << i;
    EXPECT_EQ(MrfErrNo(), VORMIK_EDCT_CORRUPT);
    // Calls after a failed start do no harm.
    EXPECT_NE(KonveierilRuumi(), 0);
    PistaKonveierile("maja");
    EXPECT_EQ(VotaKonveierilt(0x2002D0), nullptr);
    EXPECT_STREQ(YheSonaga(0x240280, "maja"), "maja\n    ####\n");
  }
}

TEST_F(ApiTest, PipelineHoldsLinesAndDrainsInOrder) {
  ASSERT_EQ(Start(), 0);
  std::vector<std::string> in = {"$LA$", "Maja", "on", "suur", ".", "$LL$"};
  std::vector<std::string> out;
  for (int round = 0; round < 4; ++round)
    for (const std::string& t : in) {
      while (!KonveierilRuumi()) {
        const char* r = VotaKonveierilt(0x2002D0);
        ASSERT_NE(r, nullptr);
        out.push_back(r);
      }
      PistaKonveierile(t.c_str());
    }
  EXPECT_GT(out.size(), 0u);  // the pipeline filled up before the end
  while (const char* r = VotaKonveierilt(0x2002D0)) out.push_back(r);
  EXPECT_EQ(VotaKonveierilt(0x2002D0), nullptr);
  ASSERT_EQ(out.size(), 24u);
  EXPECT_EQ(out[0], "$LA$\n    $LA$ //_Z_ //\n");
  EXPECT_EQ(out[1], "Maja\n    maja+0 //_S_ sg n, sg g, sg p, //\n");
  EXPECT_EQ(out[2], "on\n    ole+0 //_V_ b, vad, //\n");
  EXPECT_EQ(out[4], ".\n    . //_Z_ //\n");
  EXPECT_EQ(out[5], "$LL$\n    $LL$ //_Z_ //\n");
  EXPECT_EQ(out[23], out[5]);
}

TEST_F(ApiTest, CapitalsDependOnSentencePosition) {
  ASSERT_EQ(Start(), 0);
  for (const char* t : {"$LA$", "Zyxwvuvaarel", "elab", "Zyxwvuvaarel", "$LL$"}) PistaKonveierile(t);
  std::vector<std::string> out;
  while (const char* r = VotaKonveierilt(0)) out.push_back(r);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[1], "Zyxwvuvaarel\n    ####\n");  // sentence start: second analysis decides
  EXPECT_NE(out[3].find("//_H_ sg ad, //"), std::string::npos) << out[3];
  // The second analysis guesses.
  std::string again = YheSonaga(0x240280, "Zyxwvuvaarel");
  EXPECT_NE(again.find("//_H_"), std::string::npos);
  EXPECT_EQ(again.find("####"), std::string::npos);
}

TEST_F(ApiTest, EmptyAndOverlongLines) {
  ASSERT_EQ(Start(), 0);
  PistaKonveierile("");
  PistaKonveierile("   ");
  EXPECT_EQ(VotaKonveierilt(0), nullptr);
  std::string longword(5000, 'a');
  PistaKonveierile(longword.c_str());
  const char* r = VotaKonveierilt(0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(std::string(r).substr(0, 5000), longword);
}

TEST_F(ApiTest, UserDictionaryWordsAndMessages) {
  Write("eesti2.udr",
        "# words of my own\n"
        "kräbuvilt S N:kräbuvilt G:kräbuvildi P:kräbuvilti\n"
        "halb rida ilma\n"
        "googeldama V MA:googelda B:googelda\n"
        "ka/ldkriips S\n");
  testing::internal::CaptureStderr();
  ASSERT_EQ(Start(), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "eesti2.udr:3: unknown part of speech \"rida\"\n"
            "eesti2.udr:5: a lemma may not contain \"/\" or \"+\"\n");
  EXPECT_STREQ(YheSonaga(0, "kr\xE4" "buvildiga"), "kr\xE4" "buvildiga\n    kr\xE4" "buvilt+ga //_S_ sg kom, //\n");
  EXPECT_STREQ(YheSonaga(0, "googeldab"), "googeldab\n    googelda+b //_V_ b, //\n");
}

TEST_F(ApiTest, NothingSurvivesAStop) {
  Write("eesti2.udr", "zzyzx S N:zzyzx\n");
  ASSERT_EQ(Start(), 0);
  PistaKonveierile("zzyzx");
  EXPECT_STREQ(YheSonaga(0, "zzyzx"), "zzyzx\n    zzyzx+0 //_S_ sg n, //\n");
  StoppVormik();
  EXPECT_EQ(MrfErrNo(), VORMIK_ENOTSTARTED);
  Write("eesti2.udr", "\n");
  ASSERT_EQ(Start(), 0);
  EXPECT_EQ(VotaKonveierilt(0), nullptr);  // the old pipeline is gone
  PistaKonveierile("zzyzx");
  EXPECT_STREQ(VotaKonveierilt(0), "zzyzx\n    ####\n");
}

}  // namespace
