// The recording choices as the dialog holds them: after it has shown a saved state,
// after a list changed, and when a file is about to start.
#pragma once

#include <cstdint>
#include <string>

#include "config/ProgramConfiguration.h"
#include "recording/RecordingSettings.h"

// What the dialog's lists make of a saved state: B channels follow their A channels,
// a position that its list does not have becomes no choice (-1), and the rate is
// taken from its saved position.
void SettleSavedChoices(RecordingSettings& settings, const ProgramConfiguration& configuration);

// Rebuilds the offered rates for the enabled channels and settles the rate against
// them, as the rate list does; a rate the list cannot show leaves it without a choice.
VisibleRateList SettleRate(RecordingSettings& settings, const ProgramConfiguration& configuration,
                           bool takeIndex);

// The caption of the first list that the next file needs but that has no choice;
// empty when every one has.
std::string ListWithoutChoice(const RecordingSettings& settings);

// The number of entries in a channel's range list (1-based channel).
int32_t RangeListSize(const ProgramConfiguration& configuration, int32_t channel);
