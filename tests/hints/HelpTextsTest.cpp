#include "hints/HelpTexts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "hints/HintLayout.h"

namespace {

std::string TextOf(int32_t id) {
  for (const HelpTextEntry* row = HelpTexts; row->Text != nullptr; ++row) {
    if (row->ControlId == id) {
      return row->Text;
    }
  }
  return "<none>";
}

int32_t WordsOf(int32_t id) {
  return static_cast<int32_t>(FindWords(TextOf(id).c_str()).size());
}

TEST(HelpTexts, OneRowForEveryControlInOrderThenTheEndRow) {
  const int32_t order[HelpTextRows] = {
      1010, 1011, 1018, 1014, 1015, 1012, 1013, 1019, 1052, 1053, 1054, 1020, 1021, 1022, 1023,
      1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038,
      1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047, 1048, 1049, 1050, 1051};
  std::set<int32_t> seen;
  for (int32_t row = 0; row < HelpTextRows; ++row) {
    EXPECT_EQ(HelpTexts[row].ControlId, order[row]) << "row " << row + 1;
    ASSERT_NE(HelpTexts[row].Text, nullptr) << "row " << row + 1;
    seen.insert(HelpTexts[row].ControlId);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(HelpTextRows));
  EXPECT_EQ(HelpTexts[HelpTextRows].ControlId, 0);
  EXPECT_EQ(HelpTexts[HelpTextRows].Text, nullptr);
}

TEST(HelpTexts, KeepTheirOwnSpacingAndTheCyrillicLetter) {
  EXPECT_EQ(TextOf(1010),
            "Write a file with the following number, the command is available using the F2 "
            "key.");
  EXPECT_EQ(TextOf(1015), "Free space on the selected disk.");
  EXPECT_EQ(TextOf(1053),
            "Enabling synchronous mode. In this mode, channels A and B are  switched on "
            "synchronously, the selection occurs at the same time. ");
  EXPECT_NE(TextOf(1019).find("per channel.It does not work"), std::string::npos);
  EXPECT_NE(TextOf(1013).find("per channel.  The time"), std::string::npos);
  EXPECT_EQ(TextOf(1036),
            "Enabling and selecting the voltage range for channel number 9.  ADC (A).");
  EXPECT_EQ(TextOf(1043),
            "Enabling and selecting the voltage range for channel number 16. ADC (A).");
  EXPECT_EQ(TextOf(1035),
            "Enabling and selecting the voltage range for channel number 8. ADC (B). It can be "
            "used in differential mode (D). Works only when the button is pressed {A \xE8 B}.");
  EXPECT_EQ(TextOf(1044),
            "Enabling and selecting the voltage range for channel number 9.  ADC (B). Works only "
            "when the button is pressed {A \xE8 B}.");
  // The letter between A and B is the one byte 0xE8 of code page 1251 in every B row.
  for (int32_t id = 1028; id <= 1051; ++id) {
    if (id >= 1036 && id <= 1043) {
      continue;
    }
    std::string text = TextOf(id);
    ASSERT_GE(text.size(), 8u);
    EXPECT_EQ(text.substr(text.size() - 8), "{A \xE8 B}.") << id;
  }
  for (const HelpTextEntry* row = HelpTexts; row->Text != nullptr; ++row) {
    std::string text = row->Text;
    for (char c : text) {
      EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80 || static_cast<unsigned char>(c) == 0xE8)
          << row->ControlId;
    }
  }
}

TEST(HelpTexts, LongerTextsStayLonger) {
  // Fewer than 20 words: the post-delay once.
  for (int32_t id : {1010, 1011, 1018, 1014, 1015, 1012}) {
    EXPECT_LT(WordsOf(id), 20) << id;
  }
  for (int32_t id = 1036; id <= 1043; ++id) {
    EXPECT_LT(WordsOf(id), 20) << id;
  }
  // 20 to 29 words: twice.
  for (int32_t id : {1053, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1044, 1045, 1046, 1047,
                     1048, 1049, 1050, 1051}) {
    EXPECT_EQ(DisplayTime(1000, WordsOf(id)), 2000) << id;
  }
  // 30 to 39 words: three times.
  for (int32_t id : {1013, 1019, 1054, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035}) {
    EXPECT_EQ(DisplayTime(1000, WordsOf(id)), 3000) << id;
  }
  EXPECT_EQ(WordsOf(1052), 64);
  EXPECT_EQ(DisplayTime(1000, WordsOf(1052)), 6000);
}

}  // namespace
