// The values that "ZQ347Fill.cfg" can set, with their built-in values.
#pragma once

#include <cstdint>

constexpr int32_t ListCapacity = 100;
// Folder and file names hold up to 255 characters of any language, counted as Windows
// counts them (UTF-16 units); as UTF-8 each unit takes at most three bytes.
constexpr int32_t NameUnits = 255;
constexpr int32_t NameSize = 3 * NameUnits + 1;

struct ProgramConfiguration {
  ProgramConfiguration();

  int32_t HelpPreDelay;   // ms before a hint is shown
  int32_t HelpPostDelay;  // ms a hint stays shown
  double ADCRange;        // V, ADC full scale
  double MaxFreq;         // Hz, aggregate ceiling for no more than one channel
  double MaxFreqMCh;      // Hz, aggregate ceiling for several channels
  int32_t Gain[5];
  double FreqArray[ListCapacity];  // Hz per channel
  int32_t FreqCount;
  int32_t SizeArray[ListCapacity];  // 16-bit samples per channel
  int32_t SizeCount;
  double TimeArray[ListCapacity];  // minutes
  int32_t TimeCount;
  char File[NameSize];        // base name of data files
  int32_t FileAutoIncrement;  // 0: numbering off; else added to the file number
  int32_t FillValue;          // low 16 bits pre-fill data files
};

// After a new target or record number, automatic numbering starts again at 1; off
// stays off.
void RestartNumbering(ProgramConfiguration& configuration);
