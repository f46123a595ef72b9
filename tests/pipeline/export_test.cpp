#include "pipeline/export.h"

#include <gtest/gtest.h>

namespace vaarikas {
namespace {

using namespace std::string_literals;

TEST(Export, FullStopAppendedOnlyWithoutSentenceEnd) {
  EXPECT_EQ(ExportBytes("Tere"), "Tere.\0"s);
  EXPECT_EQ(ExportBytes("Kas tuled?"), "Kas tuled?\0"s);
  EXPECT_EQ(ExportBytes("Hinnad t\xf5usid 3.5 protsenti"), "Hinnad t\xf5usid 3.5 protsenti\0"s);
  EXPECT_EQ(ExportBytes("Appi!"), "Appi!\0"s);
}

TEST(Export, CaronLettersMoveOtherBytesStay) {
  EXPECT_EQ(ExportBytes("\x8a\x8e\x9a\x9e \xf5\xd0."), "\xd0\xde\xf0\xfe \xf5\xd0.\0"s);
}

TEST(Export, LengthIsTextPlusZero) {
  std::string text = "Mari l\xe4ks koju.";
  std::string out = ExportBytes(text);
  EXPECT_EQ(out.size(), text.size() + 1);
  EXPECT_EQ(out.back(), '\0');
}

}  // namespace
}  // namespace vaarikas
