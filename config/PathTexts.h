// The directory and file-name texts that the main dialog holds next to its records.
#pragma once

#include "config/ProgramConfiguration.h"

struct PathTexts {
  char StartupDirectory[NameSize] = {};  // home of both configuration files
  char OutputDirectory[NameSize] = {};   // folder of data files, ending with a separator
  char OutputPath[NameSize] = {};        // the next data file, without extension
};
