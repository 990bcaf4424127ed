// The choice of the folder and base name of data files in the save-file dialog.
#pragma once

#include <windows.h>

#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

// True when the user chose a file: OutputDirectory and File are set from it and the
// automatic numbering starts again at 1. The current directory stays where it was, so
// that the program holds no card. Otherwise nothing changes, and `problem` says why
// when it was not the user's cancel: the dialog failed, or the chosen folder is not
// one or cannot be stored.
bool ChooseTargetFile(HWND owner, FileSystem& files, ProgramConfiguration& configuration,
                      PathTexts& paths, std::string& problem);
