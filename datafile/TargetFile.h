// The choice of the folder and base name of data files in the save-file dialog.
#pragma once

#include <windows.h>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"

// True when the user chose a file: OutputDirectory and File are set from it and the
// automatic numbering starts again at 1. On cancel nothing changes, the current
// directory included; after a choice the chosen folder is the current directory.
bool ChooseTargetFile(HWND owner, ProgramConfiguration& configuration, PathTexts& paths);
