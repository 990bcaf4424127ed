// Start-up values: the built-in defaults, "ZQ347Fill.cfg" (created from the built-in
// text when absent) and the user's last choices in "ZQ347Fill.sav".
#pragma once

#include <cstdarg>
#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"
#include "recording/RecordingSettings.h"

constexpr const char* ConfigurationFileName = "ZQ347Fill.cfg";
constexpr const char* SavedStateFileName = "ZQ347Fill.sav";

// Built-in values, the start-up directory, and all saved choices at 0.
void LoadDefaults(FileSystem& files, ProgramConfiguration& configuration,
                  RecordingSettings& settings, PathTexts& paths);

// Creates the configuration file from the built-in text unless it exists.
void WriteDefaultConfiguration(FileSystem& files, const char* name);

// Reads the configuration file, then enforces the limits whether or not it was read.
void ReadConfiguration(FileSystem& files, const char* name, ProgramConfiguration& configuration);

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

// Formats into 260 bytes and writes with WriteText; true when every byte was written.
bool WriteFormatted(FileSystem& files, FileHandle file, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Writes the text without its NUL in one write call; true when every byte was written.
bool WriteText(FileSystem& files, FileHandle file, const char* text);
