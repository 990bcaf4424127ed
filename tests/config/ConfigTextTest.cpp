#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/TestFiles.h"

namespace {

ConfigText Parse(const std::string& text) {
  ConfigText config;
  config.LoadBytes(text.data(), text.size());
  return config;
}

// Loads the text, then reads the key as an int: the result and the value.
std::pair<int, int32_t> IntOf(const std::string& text, const char* key, int32_t fallback = 0) {
  ConfigText config = Parse(text);
  int32_t value = -12345;
  int result = config.GetInt(key, value, fallback);
  return {result, value};
}

std::string StringOf(const std::string& text, const char* key) {
  ConfigText config = Parse(text);
  char value[256] = "untouched";
  config.GetString(key, value, sizeof value, nullptr);
  return value;
}

TEST(ConfigTextLoad, AcceptsOneToMaxLengthBytes) {
  TempFolder folder;
  WriteBytes(folder.File("empty.cfg"), "");
  WriteBytes(folder.File("largest.cfg"), "A 1" + std::string(ConfigText::MaxLength - 3, ' '));
  WriteBytes(folder.File("too-large.cfg"), "A 1" + std::string(ConfigText::MaxLength - 2, ' '));

  // An unloaded text answers -1 and touches nothing.
  ConfigText config;
  config.Load(folder.File("empty.cfg").c_str());
  int32_t value = 7;
  char text[8] = "keep";
  int32_t list[2] = {7, 7};
  EXPECT_EQ(config.GetInt("A", value, 5), -1);
  EXPECT_EQ(config.GetString("A", text, sizeof text, "fallback"), -1);
  EXPECT_EQ(config.GetIntArray("A", list, 2), -1);
  EXPECT_EQ(config.CountNumbers("A"), -1);
  EXPECT_EQ(value, 7);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(list[0], 7);
  config.Load(folder.File("too-large.cfg").c_str());
  EXPECT_FALSE(config.IsLoaded());
  config.Load(folder.File("missing.cfg").c_str());
  EXPECT_FALSE(config.IsLoaded());
  config.Load(folder.File("largest.cfg").c_str());
  ASSERT_TRUE(config.IsLoaded());
  EXPECT_EQ(config.GetInt("A", value, 0), 1);
  EXPECT_EQ(value, 1);

  FaultyFileSystem files;
  files.ShortRead = true;
  config.Load(folder.File("largest.cfg").c_str(), files);
  EXPECT_FALSE(config.IsLoaded());
}

TEST(ConfigTextSyntax, KeysMatchOnlyWholeWordsInAnyCaseAndSpacing) {
  for (const char* line : {"gain1=5", "GAIN1 5", "Gain1 = 5 ; five", "Gain 1 = 5", "\tGain1,5\r"}) {
    EXPECT_EQ(IntOf(line, "Gain1"), std::make_pair(1, 5)) << line;
  }
  EXPECT_EQ(IntOf("FileAutoIncrement = 1\nFile = 2", "File"), std::make_pair(1, 2));
  EXPECT_EQ(IntOf("MaxFreqMCh = 1\nMaxFreq = 2", "MaxFreq"), std::make_pair(1, 2));
  EXPECT_EQ(IntOf("ChA10Index = 3", "ChA1Index"), std::make_pair(0, -12345));
  EXPECT_EQ(IntOf("XGain1 = 3", "Gain1"), std::make_pair(0, -12345));
  // A key may stand anywhere in its line.
  EXPECT_EQ(IntOf("junk Gain1 = 4", "Gain1"), std::make_pair(1, 4));
  EXPECT_EQ(IntOf("A = 1\nA = 2", "A"), std::make_pair(1, 1));  // the earlier line wins
}

TEST(ConfigTextSyntax, OneMarkerContinuesALineAndACommentEndsIt) {
  EXPECT_EQ(Parse("SizeArray = 1K, 2K, \\\n 4K").CountNumbers("SizeArray"), 3);
  EXPECT_EQ(Parse("SizeArray = 1K, 2K \\ \\\n 4K").CountNumbers("SizeArray"), 2);
  // The marker may stand anywhere, and a slash counts too.
  EXPECT_EQ(StringOf("File = a/b\nc", "File"), "A B C");
  EXPECT_EQ(StringOf("File = \"a/b\"\nc", "File"), "a/b");
  // Markers inside a comment do not count.
  EXPECT_EQ(Parse("A = 1 ; a\\b\nB = 2").CountNumbers("A"), 1);
  // A key followed by a comment alone is there, without a value.
  EXPECT_EQ(Parse("Time: 5").HasKey("TIME"), 1);
  EXPECT_EQ(IntOf("Time: 5", "Time", 60000), std::make_pair(0, 60000));
  EXPECT_EQ(IntOf("B = 1 ; C = 2\nC = 3", "C"), std::make_pair(1, 3));
}

TEST(ConfigTextSyntax, QuotesKeepTextVerbatimWithinTheirLine) {
  EXPECT_EQ(StringOf("File = \"Dat\"", "File"), "Dat");
  EXPECT_EQ(StringOf("File = Dat", "File"), "DAT");
  EXPECT_EQ(StringOf("File = my file.1", "File"), "MY FILE.1");
  EXPECT_EQ(StringOf("File = \"a;b:c=d\" ; note", "File"), "a;b:c=d");
  // A quote left open keeps everything up to the line feed, the CR included.
  EXPECT_EQ(StringOf("File = \"open \r\nNext = 1", "File"), "open \r");
  // A quoted word in a comment is found first.
  EXPECT_EQ(StringOf("; the \"FILE\" key\r\nFile = \"Dat\"", "File"), "");
}

TEST(ConfigTextNumbers, AcceptedFormsAndTheirValues) {
  struct Case {
    const char* token;
    int32_t asInt;
    double asDouble;
  };
  const Case cases[] = {{"0xffff", 65535, 65535.0},
                        {"0x", 0, 0.0},
                        {"16K", 16384, 16384.0},
                        {"1M", 1048576, 1048576.0},
                        {"2T", 2000, 2000.0},
                        {"3L", 3000000, 3000000.0},
                        {"1.5K", 1536, 1536.0},
                        {"K", 0, 0.0},
                        {"-", 0, 0.0},
                        {"1D3", 1000, 1000.0},
                        {"1E+2", 100, 100.0},
                        {"2.5", 3, 2.5},
                        {"-2.5", -2, -2.5},
                        {"-2.7", -2, -2.7},
                        {"1.5E", 2, 1.5},
                        {"E5", 0, 0.0},
                        {".", 0, 0.0},
                        {"+7", 7, 7.0},
                        {"-7", -7, -7.0},
                        {"0xFFFFFFFF", -1, 4294967295.0},
                        {"4294967297", 1, 4294967297.0}};
  for (const Case& c : cases) {
    EXPECT_EQ(IntOf(std::string("N ") + c.token, "N"), std::make_pair(1, c.asInt)) << c.token;
    double asDouble = -12345.0;
    EXPECT_EQ(Parse(std::string("N ") + c.token).GetDouble("N", asDouble, 0.0), 1) << c.token;
    EXPECT_DOUBLE_EQ(asDouble, c.asDouble) << c.token;
  }
}

TEST(ConfigTextNumbers, RejectedForms) {
  // Quoted text keeps its lower case, which no number accepts.
  for (const char* text : {"N -0x10", "N 1K2", "N 1.2.3", "N 1E5E2", "N 0xG", "N abc", "N 1-2",
                           "N KK", "N \"1e5\"", "N \"0x10\""}) {
    EXPECT_EQ(IntOf(text, "N"), std::make_pair(0, -12345)) << text;
  }
}

TEST(ConfigTextNumbers, OverflowKeepsTheLowBits) {
  // 2^64 + 5 wraps to 5; a huge real saturates instead of misbehaving.
  EXPECT_EQ(IntOf("N 18446744073709551621", "N"), std::make_pair(1, 5));
  ConfigText config = Parse("N 1E999\nF 1E300");
  double real = 0;
  EXPECT_EQ(config.GetDouble("N", real, 0.0), 1);
  EXPECT_TRUE(real > 1e308);
  float single = 0;
  EXPECT_EQ(config.GetFloat("F", single, 0.0f), 1);
  EXPECT_TRUE(single > 3e38f);
  int16_t low = 0;
  EXPECT_EQ(Parse("S 0x12345").GetShort("S", low, 0), 1);
  EXPECT_EQ(low, 0x2345);
}

TEST(ConfigTextNumbers, ScalarDefaultsApplyOnlyWhenNotZero) {
  EXPECT_EQ(IntOf("Other 1", "Missing", 0), std::make_pair(0, -12345));
  EXPECT_EQ(IntOf("Other 1", "Missing", 60000), std::make_pair(0, 60000));
  EXPECT_EQ(IntOf("File =", "File", 9), std::make_pair(0, 9));
  EXPECT_EQ(StringOf("File =", "File"), "");
}

TEST(ConfigTextLists, StopAtTheFirstRejectedTokenAndStoreUpToTheCapacity) {
  ConfigText config = Parse("FreqArray = 100, 50, abc, 10");
  EXPECT_EQ(config.CountNumbers("FreqArray"), 2);
  double rates[4] = {-1, -1, -1, -1};
  EXPECT_EQ(config.GetDoubleArray("FreqArray", rates, 4), 2);
  EXPECT_EQ(std::vector<double>(rates, rates + 4), (std::vector<double>{100, 50, -1, -1}));
  EXPECT_EQ(config.GetDoubleArray("Missing", rates, 4), 0);

  config = Parse("L 1 2 3 4 5");
  int32_t values[3] = {};
  float reals[3] = {};
  EXPECT_EQ(config.CountNumbers("L"), 5);
  EXPECT_EQ(config.GetIntArray("L", values, 3), 3);
  EXPECT_EQ(values[2], 3);
  EXPECT_EQ(config.GetFloatArray("L", reals, 2), 2);
  EXPECT_EQ(reals[1], 2.0f);
  EXPECT_EQ(config.GetIntArray("L", values, 0), 0);
}

TEST(ConfigTextStrings, AreBoundedByTheDestination) {
  ConfigText config = Parse("File = abcdefgh   \nOther = 1");
  char small[4] = "xyz";
  EXPECT_EQ(config.GetString("File", small, sizeof small, nullptr), 1);
  EXPECT_STREQ(small, "ABC");
  EXPECT_EQ(config.GetString("Missing", small, sizeof small, "fallback text"), 0);
  EXPECT_STREQ(small, "fal");
  EXPECT_EQ(config.GetString("File", small, 0, nullptr), 0);
  EXPECT_EQ(StringOf("File = abcdefgh   \nOther = 1", "File"), "ABCDEFGH");
}

}  // namespace
