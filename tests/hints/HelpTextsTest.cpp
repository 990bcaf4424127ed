#include "hints/HelpTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Each control has one row, so none hides another's text; an end row closes the table.
TEST(HelpTexts, OneRowPerControlThenTheEndRow) {
  std::set<int32_t> seen;
  for (int32_t row = 0; row < HelpTextRows; ++row) {
    ASSERT_NE(HelpTexts[row].Text, nullptr) << "row " << row + 1;
    seen.insert(HelpTexts[row].ControlId);
    // Code page 1251 text: ASCII, and the letter 0xE8 between A and B.
    for (char c : std::string(HelpTexts[row].Text)) {
      unsigned char u = static_cast<unsigned char>(c);
      EXPECT_TRUE(u < 0x80 || u == 0xE8) << HelpTexts[row].ControlId;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(HelpTextRows));
  EXPECT_EQ(HelpTexts[HelpTextRows].ControlId, 0);
  EXPECT_EQ(HelpTexts[HelpTextRows].Text, nullptr);
}

}  // namespace
