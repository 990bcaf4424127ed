// Turns what the user types on the command line into positions of the dialog's
// lists: by the list's own label ("+-0.1V D", "10KHz", "Size 1 Ks") or by value.
// Blanks, letter case and trailing dots do not matter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/ProgramConfiguration.h"
#include "recording/RecordingSettings.h"

// "+-10V D" and "+-10vd" become the same text.
std::string NormaliseLabel(const std::string& text);

// A whole text as a finite number; false for anything else.
bool ParseNumber(const std::string& text, double& value);

// The position in a channel's range list; -1 when no label matches.
int32_t FindRangePosition(const ProgramConfiguration& configuration, int32_t channel,
                          const std::string& text);
// The position among the offered rates, by label or by rate in Hz ("9000", "9KHz");
// -1 when none matches.
int32_t FindRatePosition(const VisibleRateList& visible, const std::string& text);
// The position in the size/time list of a size: its label or its number of samples
// ("1024", "1K", "1 Ks"); -1 when none matches.
int32_t FindSizePosition(const ProgramConfiguration& configuration, const std::string& text);
// The same for a duration: its label or minutes ("5", "5 min", "1 h", "30 s").
int32_t FindDurationPosition(const ProgramConfiguration& configuration, const std::string& text);

// "3=+-1V" or "1-4=+-10V D": channels First..Last (1-based) and a range text.
struct ChannelChoice {
  int32_t First = 0;
  int32_t Last = 0;
  std::string Range;
};
bool ParseChannelChoice(const std::string& text, ChannelChoice& choice);

// The labels of a list for a message: "OFF, Gnd, +-10V".
std::string JoinLabels(const std::vector<std::string>& labels);
