#include "config/ProgramConfiguration.h"

#include <cstring>

namespace {

// The fallback series: rates halve from 100 kHz, sizes double from 1 Ks. Sizes stop
// growing at 1 Gs, the last doubling that stays within a signed 32-bit value.
constexpr int32_t LastDoubledSize = 20;

}  // namespace

ProgramConfiguration::ProgramConfiguration()
    : HelpPreDelay(2000),
      HelpPostDelay(5000),
      ADCRange(10.0),
      MaxFreq(100000.0),
      MaxFreqMCh(100000.0),
      Gain{0, 1, 10, 100, 200},
      FreqCount(ListCapacity),
      SizeCount(ListCapacity),
      TimeArray{},
      TimeCount(0),
      File{},
      FileAutoIncrement(0),
      FillValue(0xFFFF) {
  double rate = 100000.0;
  for (double& entry : FreqArray) {
    entry = rate;
    rate /= 2.0;
  }
  for (int32_t i = 0; i < ListCapacity; ++i) {
    SizeArray[i] = 1024 << (i < LastDoubledSize ? i : LastDoubledSize);
  }
  std::strcpy(File, "Dat");
}

void RestartNumbering(ProgramConfiguration& configuration) {
  if (configuration.FileAutoIncrement != 0) {
    configuration.FileAutoIncrement = 1;
  }
}
