// The choice of the folder and base name of data files in the save-file dialog.
#pragma once

#include <windows.h>

#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

// True when the user chose a file: OutputDirectory and File are set from it, the
// automatic numbering starts again at 1 and the chosen folder is the current
// directory. Otherwise nothing changes, the current directory included, and
// `problem` says why when it was not the user's cancel: the dialog failed, or the
// chosen folder cannot be entered or stored.
bool ChooseTargetFile(HWND owner, FileSystem& files, ProgramConfiguration& configuration,
                      PathTexts& paths, std::string& problem);
