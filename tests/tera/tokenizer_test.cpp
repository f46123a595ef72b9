#include "tera/tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vaarikas::tera {
namespace {

// "text/class text/class ..." for a stretch of internal text.
std::string Toks(const std::string& text) {
  std::string out;
  for (const Token& t : Tokenize(text)) {
    if (!out.empty()) out += ' ';
    out += t.text + "/" + std::to_string(t.cls);
  }
  return out;
}

TEST(Tokenizer, PunctuationIsSplitOffTheEnd) {
  EXPECT_EQ(Toks("Tere!"), "Tere/8 !/15");
  EXPECT_EQ(Toks("Mis?!"), "Mis/8 ?/16 !/15");
  EXPECT_EQ(Toks("(vt. lk. 5)."), "(/9 vt./21 /5 lk./21 /5 5/31 )/10 ./12");
  EXPECT_EQ(Toks("sina,"), "sina/7 ,/29");
  EXPECT_EQ(Toks("a,;,"), "a/7 ,;,/29");
  EXPECT_EQ(Toks("vaata::"), "vaata/7 ::/30");
  EXPECT_EQ(Toks("[x]}"), "[/9 x/7 ]/10 }/10");
  EXPECT_EQ(Toks("!!!"), "!!!/15");
  EXPECT_EQ(Toks("-"), "-/6");
}

TEST(Tokenizer, Dots) {
  EXPECT_EQ(Toks("...."), "./12 .../14");
  EXPECT_EQ(Toks("....."), "../13 .../14");
  EXPECT_EQ(Toks("aga.."), "aga/7 ../13");
  EXPECT_EQ(Toks("jne..."), "jne/19 .../14");
  EXPECT_EQ(Toks("jne."), "jne./19");
  EXPECT_EQ(Toks("x."), "x/7 ./12");
}

TEST(Tokenizer, NumbersAndOrdinals) {
  EXPECT_EQ(Toks("1998."), "1998./11");
  EXPECT_EQ(Toks("1998"), "1998/31");
  EXPECT_EQ(Toks("12,5"), "12,5/7");
  EXPECT_EQ(Toks("5.)"), "5./11 )/10");
  EXPECT_EQ(Toks("3-aastane"), "3-aastane/7");
}

TEST(Tokenizer, AbbreviationTables) {
  EXPECT_EQ(Toks("Dr."), "Dr./17");  // by the lower-cased key
  EXPECT_EQ(Toks("akad."), "akad./17");
  EXPECT_EQ(Toks("Tln."), "Tln./21");  // first row of its table
  EXPECT_EQ(Toks("Co."), "Co./19");    // first row of its table
  EXPECT_EQ(Toks("e.m.a."), "e.m.a./19");
  EXPECT_EQ(Toks("U.S.A."), "U.S.A./19");  // dotted letters
  EXPECT_EQ(Toks("a.b"), "a.b/7");
  EXPECT_EQ(Toks("1.a."), "1.a./19");
  EXPECT_EQ(Toks("\x81.m.p."), "\x81.m.p./19");
  // U-umlaut has no lower-case form, so this is not the closing row with u-umlaut.
  EXPECT_EQ(Toks("\x9A" "hisk."), "\x9A" "hisk/8 ./12");
  EXPECT_EQ(Toks("VT."), "VT./21");
  EXPECT_EQ(Toks("Vt.)"), "Vt./21 )/10");
}

TEST(Tokenizer, TablesHaveEveryRowAndFindIt) {
  EXPECT_EQ(TitleTable().size(), 11u);
  EXPECT_EQ(InnerTable().size(), 83u);
  EXPECT_EQ(ClosingTable().size(), 131u);
  for (auto k : TitleTable()) EXPECT_EQ(AbbreviationClass(k), 17) << k;
  for (auto k : InnerTable()) EXPECT_EQ(AbbreviationClass(k), 21) << k;
  for (auto k : ClosingTable()) EXPECT_EQ(AbbreviationClass(k), 19) << k;
  EXPECT_TRUE(InInnerTable("n\x84it."));
  EXPECT_TRUE(InClosingTable("\x93pil."));
  EXPECT_FALSE(InClosingTable("\x93pil"));
}

TEST(Tokenizer, MonthsAndNumerals) {
  EXPECT_EQ(Toks("Jaanuaril"), "Jaanuaril/25");
  EXPECT_EQ(Toks("m\x84rtsis"), "m\x84rtsis/23");
  EXPECT_EQ(Toks("maitse"), "maitse/23");  // begins with a month stem
  EXPECT_EQ(Toks("jaan."), "jaan./24");
  EXPECT_EQ(Toks("Sept."), "Sept./24");
  EXPECT_EQ(Toks("okt."), "okt./24");  // month abbreviation before the closing table
  EXPECT_EQ(Toks("Detsembris."), "Detsembris/25 ./12");
  EXPECT_EQ(Toks("XII"), "XII/26");
  EXPECT_EQ(Toks("xii"), "xii/7");
  EXPECT_EQ(Toks("XIII"), "XIII/8");
  EXPECT_EQ(Toks("IV."), "IV/26 ./12");
}

TEST(Tokenizer, Quotes) {
  EXPECT_EQ(Toks("\"sõna\","), "\"/27 sõna/7 \"/28 ,/29");
  EXPECT_EQ(Toks("\"Tere.\""), "\"/27 Tere/8 ./12 \"/28");
  EXPECT_EQ(Toks("\x8BTere!\x9B"), "\x8B/27 Tere/8 !/15 \x9B/28");
  EXPECT_EQ(Toks("\""), "\"/27");
  EXPECT_EQ(Toks("\x9B"), "\x9B/28");
}

TEST(Tokenizer, LettersOfTheInternalCode) {
  EXPECT_EQ(Toks("\xD1okk \x8E\x84 \x99\x94 \xE5un"), "\xD1okk/8 /5 \x8E\x84/8 /5 \x99\x94/8 /5 \xE5un/8");
  EXPECT_EQ(Toks("\xAC\xAB\x93\x84\x94\x81"), "\xAC\xAB\x93\x84\x94\x81/7");
  EXPECT_EQ(ToLower("\xD1\xE8\xE5\x8E\x99\x9A" "AZ"), "\xAC\xAB\x93\x84\x99\x9A" "az");
}

TEST(Tokenizer, Whitespace) {
  EXPECT_EQ(Toks("a\n\nb"), "a/7 /4 b/7");
  EXPECT_EQ(Toks("a\r\n\r\nb"), "a/7 /4 b/7");
  EXPECT_EQ(Toks("a\nb"), "a/7 /5 b/7");
  EXPECT_EQ(Toks("a  \t b"), "a/7 /5 b/7");
  EXPECT_EQ(Toks("a\n  b"), "a/7 /4 b/7");
  // A zero byte counts as a blank (the pipeline's source file ends in one).
  EXPECT_EQ(Toks(std::string("Tere.\0", 6)), "Tere/8 ./12 /5");
  EXPECT_EQ(Toks(std::string("a\n\0b", 4)), "a/7 /5 b/7");
}

TEST(Tokenizer, LongRawWordsAreCutAndNothingIsLost) {
  // 300 letters: a raw word of 256, then one of 44; the first is too long
  // for a token record and goes out as 254 + 2.
  const std::string word(300, 'a');
  auto toks = Tokenize(word);
  std::string joined;
  for (const auto& t : toks) {
    EXPECT_LE(t.text.size(), kMaxTokenText);
    joined += t.text;
  }
  EXPECT_EQ(joined, word);
  ASSERT_EQ(toks.size(), 3u);
  EXPECT_EQ(toks[0].text.size(), 254u);
  EXPECT_EQ(toks[1].text.size(), 2u);
  EXPECT_EQ(toks[2].text.size(), 44u);

  // An over-long ordinal loses its dot to the cut and is classed by form.
  const std::string digits = std::string(255, '7') + ".";
  toks = Tokenize(digits);
  ASSERT_EQ(toks.size(), 2u);
  EXPECT_EQ(toks[0].cls, kClsNumber);
  EXPECT_EQ(toks[1].text, "7.");
  EXPECT_EQ(toks[1].cls, kClsOrdinal);

  const std::string bangs(256, '!');
  toks = Tokenize(bangs);
  ASSERT_EQ(toks.size(), 2u);
  EXPECT_EQ(toks[0].cls, kClsExclaim);
  EXPECT_EQ(toks[1].text, "!!");
  EXPECT_EQ(toks[1].cls, kClsExclaim);
}

}  // namespace
}  // namespace vaarikas::tera

namespace vaarikas::tera {
namespace {

TEST(Tokenizer, MultiByteSequenceAcrossABlockBoundary) {
  ConvTable utf8;
  ASSERT_EQ(utf8.Load(VAARIKAS_SOURCE_DIR "/data/utf8.cnv"), 0);
  // "yä" with the two bytes of "ä" on both sides of the first 512-byte block.
  std::string text;
  while (text.size() < 510) text += "x ";
  text += "y\xC3\xA4 \xE2\x80\x9Eq\xE2\x80\x9D";
  ASSERT_EQ(text.find("\xC3"), 511u);
  std::FILE* f = fmemopen(text.data(), text.size(), "rb");
  Input in(f, utf8);
  int blocks = 0;
  in.OnBlock([&] { ++blocks; });
  Tokenizer tz(in);
  Token t;
  std::vector<std::string> words;
  while (tz.Next(&t) != kClsEnd)
    if (t.cls != kClsSpace) words.push_back(t.text + "/" + std::to_string(t.cls));
  std::fclose(f);
  ASSERT_EQ(words.size(), 259u);
  EXPECT_EQ(words[255], "y\x84/7");
  EXPECT_EQ(words[256], "\x8B/27");
  EXPECT_EQ(words[257], "q/7");
  EXPECT_EQ(words[258], "\x9B/28");
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(tz.Error(), kEndOfInput);
}

}  // namespace
}  // namespace vaarikas::tera
