// The configuration that `inspect` and `choices` go by, and the words that say which.
// Neither command ever creates a file.
#pragma once

#include <string>

#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

struct ConfigSource {
  ProgramConfiguration Configuration;
  std::string File;  // the file read; empty for the built-in text
  std::string Description;
};

// `configFile` when given, else ZQ347Fill.cfg of `settingsFolder` (empty: the current
// folder) when it is there, else the built-in text that a fresh start writes. Returns
// why the named file or folder cannot be used; empty when the configuration is loaded.
std::string LoadConfigSource(FileSystem& files, const std::string& configFile,
                             const std::string& settingsFolder, ConfigSource& source);
