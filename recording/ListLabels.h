// The texts of the dialog's lists, exactly as the user reads them. Portable, so the
// command line and the tests use the same labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/ProgramConfiguration.h"

constexpr std::size_t LabelSize = 256;  // 255 characters and the NUL
constexpr int32_t RangePositions = 10;  // with the differential entries
constexpr int32_t RecordNumbers = 1000;
constexpr int32_t ChannelsWithDifferential = 8;  // channels 1 to 8 have differential inputs

// " OFF", " Gnd" (when the first gain is 0 or less), the single-ended ranges and,
// with `differential`, the four differential ones.
std::vector<std::string> RangeLabels(const ProgramConfiguration& configuration, bool differential);
// The range list of a channel (1-based).
std::vector<std::string> ChannelRangeLabels(const ProgramConfiguration& configuration,
                                            int32_t channel);
// The sizes, then the durations.
std::vector<std::string> SizeTimeLabels(const ProgramConfiguration& configuration);
// "%sKHz" above 1000 Hz, else "%sHz".
std::string RateLabel(double displayedRate);
// " %d": position p shows p + 1.
std::string RecordNumberLabel(int32_t number);
