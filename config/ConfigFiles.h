// The configuration: its built-in values and "ZQ347Fill.cfg", created from the built-in
// text when absent; and the writing of the program's small text files.
#pragma once

#include <cstdarg>
#include <string>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "platform/FileSystem.h"

constexpr const char* ConfigurationFileName = "ZQ347Fill.cfg";

// Built-in values, and the start-up directory as the data files' folder.
void LoadDefaults(FileSystem& files, ProgramConfiguration& configuration, PathTexts& paths);

// Creates the configuration file from the built-in text unless it exists.
void WriteDefaultConfiguration(FileSystem& files, const char* name);

// Reads the configuration file, then enforces the limits whether or not it was read.
void ReadConfiguration(FileSystem& files, const char* name, ProgramConfiguration& configuration);
// The same from the built-in text, as if a fresh start had written it and read it back.
void ReadBuiltinConfiguration(ProgramConfiguration& configuration);

// Formats into 260 bytes and writes with WriteText; true when every byte was written.
bool WriteFormatted(FileSystem& files, FileHandle file, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Writes the text without its NUL in one write call; true when every byte was written.
bool WriteText(FileSystem& files, FileHandle file, const char* text);
