#include "tera/conv_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "common/encoding.h"

namespace vaarikas::tera {
namespace {

// Input conversion of a whole string: internal bytes, one per character.
std::string In(const ConvTable& t, const std::string& ext) {
  std::string out;
  std::size_t i = 0;
  while (i < ext.size()) {
    unsigned char c;
    i += t.Convert(reinterpret_cast<const unsigned char*>(ext.data()) + i, ext.size() - i, &c);
    out.push_back(static_cast<char>(c));
  }
  return out;
}

std::string Out(const ConvTable& t, const std::string& internal) {
  std::string out;
  for (char c : internal) {
    const std::string* s = t.External(static_cast<unsigned char>(c));
    out += s ? *s : std::string(1, c);
  }
  return out;
}

ConvTable Parsed(const std::string& text) {
  ConvTable t;
  std::string why;
  EXPECT_EQ(t.Parse(text, &why), 0) << why;
  return t;
}

ConvTable Shipped(const char* name) {
  ConvTable t;
  std::string why;
  EXPECT_EQ(t.Load(std::string(VAARIKAS_SOURCE_DIR) + "/data/" + name, &why), 0) << why;
  return t;
}

TEST(ConvTable, CommentsOnlyConvertNothing) {
  ConvTable t = Parsed("# nothing here\n\n#\n");
  EXPECT_TRUE(t.Entries().empty());
  EXPECT_EQ(In(t, "abc\xE4"), "abc\xE4");
  EXPECT_EQ(Out(t, "abc\xE4"), "abc\xE4");
}

TEST(ConvTable, ShortestOfOverlappingSequencesWins) {
  ConvTable t = Parsed("ab X\na Y\n");
  EXPECT_EQ(In(t, "abc"), "Ybc");
}

TEST(ConvTable, ScanPassesEntriesThatSortBelowTheInput) {
  ConvTable t = Parsed("ab X\nb Y\n");
  EXPECT_EQ(In(t, "b"), "Y");
  EXPECT_EQ(In(t, "ab"), "X");
}

TEST(ConvTable, SequenceRunningPastTheEndOfInputDoesNotMatch) {
  ConvTable t = Parsed("abc X\n");
  EXPECT_EQ(In(t, "ab"), "ab");
}

TEST(ConvTable, OutputUsesTheFirstSequenceInSortedOrder) {
  ConvTable t = Parsed("zz Q\nmm Q\n");
  EXPECT_EQ(Out(t, "Q"), "mm");
  EXPECT_EQ(In(t, "zzmm"), "QQ");
}

TEST(ConvTable, EscapesCommentsAndBlanks) {
  // Hex and octal for the same byte, a doubled backslash, tabs and blanks
  // before the internal byte, and a comment after it.
  ConvTable t = Parsed("\\x41\t  \\x80 trailing words\n\\101 \\x81\n\\\\ \\102\n# \\x00 in a comment\n");
  ASSERT_EQ(t.Entries().size(), 3u);
  EXPECT_EQ(In(t, "A\\"), "\x80" "B");
  EXPECT_EQ(Out(t, "\x80\x81" "B"), "AA\\");  // 0x81 has the same sequence, sorted after
}

TEST(ConvTable, WindowsLineEndsAreRead) {
  ConvTable t = Parsed("# c\r\nx Y\r\nz W\r\n");
  EXPECT_EQ(In(t, "xz"), "YW");
}

TEST(ConvTable, MalformedLinesAreRejectedWithTheirLine) {
  struct Case {
    const char* text;
    const char* why;
  } cases[] = {
      {"a b\nc\n", "rida 2: sisemine bait puudub"},          // no internal byte, not last line
      {"a b\nc", "rida 2: sisemine bait puudub"},            // no internal byte, end of file
      {"a \n", "rida 1: sisemine bait puudub"},              // only blanks after the separator
      {" a b\n", "rida 1: t'uhi jada (rida algab t'uhikuga)"},
      {"\tb\n", "rida 1: t'uhi jada (rida algab t'uhikuga)"},
      {"\\x4 b\n", "rida 1: vigane paojada"},
      {"\\xZZ b\n", "rida 1: vigane paojada"},
      {"\\12 b\n", "rida 1: vigane paojada"},
      {"\\400 b\n", "rida 1: vigane paojada"},
      {"a\\q b\n", "rida 1: vigane paojada"},
      {"a \\x1\n", "rida 1: vigane paojada"},
      {"a\\x00b c\n", "rida 1: nullbait jadas"},
      {"#\n\n\\000 c\n", "rida 3: nullbait jadas"},
  };
  for (const auto& c : cases) {
    ConvTable t;
    std::string why;
    EXPECT_EQ(t.Parse(c.text, &why), kErrBadTableLine) << c.text;
    EXPECT_EQ(why, c.why) << c.text;
  }
}

TEST(ConvTable, MissingFileGivesTheSystemError) {
  ConvTable t;
  EXPECT_EQ(t.Load("/nonexistent/dir/baltic.cnv"), 2);  // ENOENT
}

TEST(ConvTable, ShippedBalticTableMapsTheLettersAndQuotes) {
  ConvTable t = Shipped("baltic.cnv");
  // Windows-1257: a o u o-tilde umlauts, s/z caron, upper then lower.
  EXPECT_EQ(In(t, "\xE4\xF6\xFC\xF5\xF0\xFE"), "\x84\x94\x81\x93\xAC\xAB");
  EXPECT_EQ(In(t, "\xC4\xD6\xDC\xD5\xD0\xDE"), "\x8E\x99\x9A\xE5\xD1\xE8");
  EXPECT_EQ(In(t, "\x84\x94\x93\""), "\x8B\x9B\"\"");
}

TEST(ConvTable, ShippedBalticTableGivesEveryByteBackButTheLeftQuote) {
  ConvTable t = Shipped("baltic.cnv");
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x93) all.push_back(static_cast<char>(b));
  const std::string internal = In(t, all);
  ASSERT_EQ(internal.size(), all.size());
  EXPECT_EQ(Out(t, internal), all);
  EXPECT_EQ(Out(t, In(t, "\x93")), "\"");
}

TEST(ConvTable, ShippedUtf8TableAgreesWithTheBalticOne) {
  ConvTable u = Shipped("utf8.cnv");
  ConvTable b = Shipped("baltic.cnv");
  const std::string text =
      "\xC3\xB5un \xC3\xA4ra \xC3\xB6\xC3\xB6 \xC3\xBCks \xC5\xA1okk \xC5\xBE\xC3\xBCrii "
      "\xC3\x95IS \xC3\x84RA \xC3\x96\xC3\x96 \xC3\x9CKS \xC5\xA0OKK \xE2\x80\x9Etsitaat\xE2\x80\x9D";
  EXPECT_EQ(In(u, text), In(b, Utf8ToCp1257(text)));
}

TEST(ConvTable, ShippedUtf8TableGivesValidUtf8Back) {
  ConvTable u = Shipped("utf8.cnv");
  // Letters of other scripts share bytes with the internal letter code.
  const std::string text =
      "Ł\xC3\xB5\xC5\xA1 ĄČĘĖĮŠŲŪŽ ąčęėįšųūž Ωμέγα Привет ščř 日本語 ‹›«» „x” €";
  EXPECT_EQ(Out(u, In(u, text)), text);
}

}  // namespace
}  // namespace vaarikas::tera
