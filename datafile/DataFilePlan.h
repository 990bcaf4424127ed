// What the next data file will hold, in the words both front ends show: its name,
// its size and how long the logger records into it.
#pragma once

#include <cstdint>
#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "recording/RecordingSettings.h"

struct DataFilePlan {
  std::string FileName;  // with its extension, without its folder
  int64_t Bytes = 0;
  int32_t Channels = 0;  // A channels recorded; 0 when none is on
  bool Synchro = false;  // each A channel with its B channel
  double RateHz = 0;     // per channel, as the header records it
  double Seconds = 0;    // the recording's length at RateHz
};

// `settings` as a file would be started from them: SampleRate and ChannelCount settled.
DataFilePlan PlanDataFile(const RecordingSettings& settings,
                          const ProgramConfiguration& configuration, const PathTexts& paths);

// "0002Dat.VDF, 47.3 MB, 4 channels × 10 kHz for 10 min 0 s".
std::string PlanText(const DataFilePlan& plan);

// "61.9 MB": KB, MB and GB of 1024, 1024² and 1024³ bytes.
std::string SizeText(int64_t bytes);

// "2.5 s", "10 min 0 s", "20 h 0 min", "197 d 3 h".
std::string DurationText(double seconds);
