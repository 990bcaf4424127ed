#include "hints/HelpTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// Each control has one row, so none hides another's text; an end row closes the table.
// The texts are code page 1251: ASCII, and the letter 0xE8 between A and B.
TEST(HelpTexts, OneRowPerControlInCodePage1251ThenTheEndRow) {
  std::set<int32_t> seen;
  for (int32_t row = 0; row < HelpTextRows; ++row) {
    ASSERT_NE(HelpTexts[row].Text, nullptr) << "row " << row + 1;
    seen.insert(HelpTexts[row].ControlId);
    for (unsigned char c : std::string(HelpTexts[row].Text)) {
      EXPECT_TRUE(c < 0x80 || c == 0xE8) << HelpTexts[row].ControlId;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(HelpTextRows));
  EXPECT_EQ(HelpTexts[HelpTextRows].Text, nullptr);
}
