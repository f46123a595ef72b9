// Helpers for the tests that analyse words with the compiled main
// dictionary (eesti.dct in the program directory).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"
#include "vormik/analyser.h"
#include "vormik/dictionary.h"
#include "vormik/vormik.h"

namespace vormik_test {

// The compiled main dictionary, loaded once for the whole test program.
inline const vormik::Dictionary& Main() {
  static vormik::Dictionary* d = [] {
    auto* dict = new vormik::Dictionary;
    EXPECT_EQ(dict->LoadCompiled(std::string(VAARIKAS_BIN_DIR) + "/eesti.dct"), VORMIK_OK);
    return dict;
  }();
  return *d;
}

// The analysis of a UTF-8 word, returned in UTF-8.
inline std::string An(const std::string& word, bool start = false, bool guess = false) {
  vormik::Analyser a(Main());
  vormik::TokenContext ctx;
  ctx.sentence_start = start;
  ctx.guess = guess;
  return vaarikas::Cp1257ToUtf8(a.Analyse(vaarikas::Utf8ToCp1257(word), ctx));
}

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace vormik_test
