// The configuration that `inspect` and `choices` go by, and the words that say which.
// Neither command ever creates a file.
#pragma once

#include <string>

#include "cli/Console.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

// Where `inspect` and `choices` take their configuration from, and how they answer.
struct ConfigRequest {
  std::string ConfigFile;      // read instead of the folder's ZQ347Fill.cfg; empty: see below
  std::string SettingsFolder;  // home of that ZQ347Fill.cfg; empty: the current folder
  bool Json = false;
};

struct ConfigSource {
  ProgramConfiguration Configuration;
  std::string File;  // the file read; empty for the built-in text
  std::string Description;
};

// The request's configuration file when given, else ZQ347Fill.cfg of its settings
// folder when it is there, else the built-in text that a fresh start writes. The console
// answers as the request asks. ExitDone when the configuration is loaded; else why the
// named file or folder cannot be used is said on the console, and its exit code returned.
int LoadConfigSource(FileSystem& files, Console& console, const ConfigRequest& request,
                     ConfigSource& source);
