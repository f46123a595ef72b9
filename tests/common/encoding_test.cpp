#include "common/encoding.h"

#include <gtest/gtest.h>

namespace vaarikas {
namespace {

TEST(Encoding, EstonianLettersRoundTrip) {
  const std::string utf8 = "\xc3\xb5\xc3\xa4\xc3\xb6\xc3\xbc \xc5\xa1\xc5\xbe \xc3\x95\xc3\x84\xc3\x96\xc3\x9c \xc5\xa0\xc5\xbd";
  std::size_t bad = 99;
  std::string cp = Utf8ToCp1257(utf8, &bad);
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(cp, "\xf5\xe4\xf6\xfc \xf0\xfe \xd5\xc4\xd6\xdc \xd0\xde");
  EXPECT_EQ(Cp1257ToUtf8(cp), utf8);
}

TEST(Encoding, EveryDefinedByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back = Utf8ToCp1257(Cp1257ToUtf8(all));
  // Undefined positions come back as '?', every other byte as itself.
  ASSERT_EQ(back.size(), all.size());
  int undefined = 0;
  for (size_t i = 0; i < all.size(); ++i)
    if (back[i] != all[i]) {
      EXPECT_EQ(back[i], '?');
      ++undefined;
    }
  EXPECT_EQ(undefined, 12);
}

TEST(Encoding, UnrepresentableAndMalformedAreCountedNotDropped) {
  std::size_t bad = 0;
  // Cyrillic "ж", a lone continuation byte, a truncated sequence.
  std::string cp = Utf8ToCp1257("a\xd0\xb6" "b\x80" "c\xe2\x82", &bad);
  EXPECT_EQ(cp, "a?b?c??");
  EXPECT_EQ(bad, 4u);
}

TEST(Encoding, LeadingByteOrderMarkIsSkipped) {
  EXPECT_EQ(Utf8ToCp1257("\xef\xbb\xbfTere"), "Tere");
}

}  // namespace
}  // namespace vaarikas
