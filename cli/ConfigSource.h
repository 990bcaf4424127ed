// The configuration that `inspect` and `choices` go by, and the words that say which.
// Neither command ever creates a file.
#pragma once

#include <string>

#include "cli/Console.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

struct ConfigSource {
  ProgramConfiguration Configuration;
  std::string File;  // the file read; empty for the built-in text
  std::string Description;
};

// `configFile` when given, else ZQ347Fill.cfg of `settingsFolder` (empty: the current
// folder) when it is there, else the built-in text that a fresh start writes. ExitDone
// when the configuration is loaded; else why the named file or folder cannot be used is
// said on the console, and its exit code returned.
int LoadConfigSource(FileSystem& files, Console& console, const std::string& configFile,
                     const std::string& settingsFolder, ConfigSource& source);
