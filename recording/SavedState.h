// The user's last choices in "ZQ347Fill.sav", and the start-up sequence that reads
// them after the configuration. Beside the model they save: the configuration knows
// nothing of the recording choices.
#pragma once

#include <string>

#include "config/ConfigFiles.h"
#include "recording/RecordingSettings.h"

constexpr const char* SavedStateFileName = "ZQ347Fill.sav";

void ReadSavedState(FileSystem& files, const char* name, RecordingSettings& settings);

// Writes the 40 lines of the saved state into the start-up directory. The old file
// is replaced only once the new one is complete. Returns what tells the user why the
// choices could not be saved; empty when they were.
std::string WriteSavedState(FileSystem& files, const char* name, const RecordingSettings& settings,
                            const PathTexts& paths);

// The files the start-up values come from; by default the two of the current directory.
struct StartFiles {
  const char* Configuration = ConfigurationFileName;
  bool CreateConfiguration = true;              // from the built-in text when absent
  const char* SavedState = SavedStateFileName;  // none: every choice at its start value
};

// The start-up sequence: the built-in values and the start-up directory, the
// configuration file, then the saved choices.
void LoadStartValues(FileSystem& files, const StartFiles& names,
                     ProgramConfiguration& configuration, RecordingSettings& settings,
                     PathTexts& paths);
