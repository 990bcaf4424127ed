// Feeds arbitrary bytes to the configuration text reader and asks it everything the
// program asks.
#include <cstddef>
#include <cstdint>

#include "config/ConfigText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  ConfigText text;
  text.LoadBytes(reinterpret_cast<const char*>(data), size);
  static const char* const keys[] = {"HelpPreDelay", "ADCRange", "Gain1",  "FreqArray",
                                     "SizeArray",    "File",     "Gain 1", "ChA10Index",
                                     "  x",          "",         "0X"};
  for (const char* key : keys) {
    int32_t number = 0;
    int16_t small = 0;
    double real = 0;
    float single = 0;
    char name[8];
    int32_t numbers[4];
    double reals[100];
    float singles[3];
    text.GetInt(key, number, 60000);
    text.GetShort(key, small, 1);
    text.GetDouble(key, real, 1.0);
    text.GetFloat(key, single, 1.0f);
    text.GetString(key, name, sizeof name, "fallback");
    text.GetIntArray(key, numbers, 4);
    text.GetDoubleArray(key, reals, 100);
    text.GetFloatArray(key, singles, 3);
    text.CountNumbers(key);
    text.HasKey(key);
  }
  return 0;
}
