#include "common/Numbers.h"
#include "common/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Formatted(double value) {
  char text[NumberTextSize];
  FormatNumber(text, value);
  return text;
}

// The labels' tests show most numbers; here zero, the sign and a number too long.
TEST(FormatNumber, ZeroSignAndHugeValues) {
  EXPECT_EQ(Formatted(0.0), "0");
  EXPECT_EQ(Formatted(0.0004), "0");
  EXPECT_EQ(Formatted(-1.5), "-1.5");
  // 1e40 does not fit: the text is cut to the buffer, and its zeros are digits.
  std::string text = Formatted(1e40);
  EXPECT_EQ(text.size(), NumberTextSize - 1);
  EXPECT_EQ(text.substr(0, 2), "10");
}

// Windows counts names in UTF-16 units: a character beyond the first 65536 counts twice.
TEST(Utf8, CountsAndCutsInUtf16Units) {
  const std::string text = "aД表\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16Units(text.c_str(), text.size()), 5u);
  EXPECT_EQ(FitUtf16Units(text.c_str(), text.size(), 4), 6u);  // not half of the last
  EXPECT_EQ(FitUtf16Units(text.c_str(), text.size(), 5), text.size());
}

}  // namespace
