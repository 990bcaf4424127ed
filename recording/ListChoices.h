// What the dialog's lists make of the recording settings: the positions they can
// show, the rate they settle on, and whether the next data file has every choice it
// needs. The dialog and the command line both go by these.
#pragma once

#include <cstdint>
#include <string>

#include "config/ProgramConfiguration.h"
#include "recording/RecordingSettings.h"

// A saved state as the lists show it: B channels follow their A channels, a position
// that its list does not have becomes no choice (-1), and the rate is taken from its
// saved position.
VisibleRateList SettleSavedChoices(RecordingSettings& settings,
                                   const ProgramConfiguration& configuration);

// Rebuilds the offered rates for the enabled channels and settles the rate against
// them; a rate the list cannot show leaves it without a choice. Fills `list` with the
// enabled A channels when given.
VisibleRateList SettleRate(RecordingSettings& settings, const ProgramConfiguration& configuration,
                           bool takeIndex, ChannelList* list = nullptr);

// The caption of the first list that the next file needs but that has no choice;
// empty when every one has.
std::string ListWithoutChoice(const RecordingSettings& settings);
