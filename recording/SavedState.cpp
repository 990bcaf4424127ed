#include "recording/SavedState.h"

#include <cstdio>

#include "config/ConfigText.h"

namespace {

const char* const NewFileSuffix = ".new";
constexpr std::size_t ReasonSize = 520;  // a system reason

bool WriteSettings(FileSystem& files, FileHandle file, const RecordingSettings& settings) {
  bool written = WriteFormatted(files, file, "FreqIndex   = %d\r\n", settings.FreqIndex) &&
                 WriteFormatted(files, file, "SizeIndex   = %d\r\n", settings.SizeIndex) &&
                 WriteFormatted(files, file, "FileNumber  = %d\r\n", settings.FileNumber) &&
                 WriteFormatted(files, file, "ZeroMul     = %d\r\n", settings.ZeroMul) &&
                 WriteFormatted(files, file, "CycleMode   = %d\r\n", settings.CycleMode) &&
                 WriteFormatted(files, file, "SynchroMode = %d\r\n", settings.SynchroMode) &&
                 WriteFormatted(files, file, "DigitalBIT0 = %d\r\n", settings.DigitalBIT0) &&
                 WriteText(files, file, "\r\n");
  // The padding keeps every '=' in column 13 for one- and two-digit channels.
  for (int32_t c = 1; written && c <= ChannelsPerGroup; ++c) {
    written = WriteFormatted(files, file, c < 10 ? "ChA%dIndex   = %d\r\n" : "ChA%dIndex  = %d\r\n",
                             c, settings.ChAIndex[c - 1]);
  }
  for (int32_t c = 1; written && c <= ChannelsPerGroup; ++c) {
    written = WriteFormatted(files, file, c < 10 ? "ChB%dIndex   = %d\r\n" : "ChB%dIndex  = %d\r\n",
                             c, settings.ChBIndex[c - 1]);
  }
  return written;
}

}  // namespace

void ReadSavedState(FileSystem& files, const char* name, RecordingSettings& settings) {
  ConfigText text;
  text.Load(name, files);
  if (!text.IsLoaded()) {
    return;
  }
  text.GetInt("FreqIndex", settings.FreqIndex, 0);
  text.GetInt("SizeIndex", settings.SizeIndex, 0);
  text.GetInt("FileNumber", settings.FileNumber, 0);
  text.GetInt("ZeroMul", settings.ZeroMul, 0);
  text.GetInt("CycleMode", settings.CycleMode, 0);
  text.GetInt("SynchroMode", settings.SynchroMode, 0);
  text.GetInt("DigitalBIT0", settings.DigitalBIT0, 0);
  char key[16];
  for (int32_t c = 1; c <= ChannelsPerGroup; ++c) {
    std::snprintf(key, sizeof key, "ChA%dIndex", c);
    text.GetInt(key, settings.ChAIndex[c - 1], 0);
  }
  for (int32_t c = 1; c <= ChannelsPerGroup; ++c) {
    std::snprintf(key, sizeof key, "ChB%dIndex", c);
    text.GetInt(key, settings.ChBIndex[c - 1], 0);
  }
}

std::string WriteSavedState(FileSystem& files, const char* name, const RecordingSettings& settings,
                            const PathTexts& paths) {
  char reason[ReasonSize] = {};
  auto failed = [&](const char* what) {
    std::string text = "Your choices could not be saved in \"" +
                       std::string(paths.StartupDirectory) + PathSeparator + name + "\": " + what;
    return reason[0] != '\0' ? text + "\n" + reason : text;
  };
  // The file belongs in the start-up directory, whatever the current one is. When that
  // directory is unknown or gone, writing would put the file into another folder.
  if (paths.StartupDirectory[0] == '\0') {
    return "Your choices could not be saved: the name of the folder the program was started "
           "in is longer than 255 characters.";
  }
  if (!files.SetCurrentDir(paths.StartupDirectory)) {
    files.LastErrorText(reason, sizeof reason);
    return failed("the folder cannot be entered.");
  }
  char newName[NameSize];
  int length = std::snprintf(newName, sizeof newName, "%s%s", name, NewFileSuffix);
  if (length < 0 || length >= static_cast<int>(sizeof newName)) {
    return failed("the name is too long.");
  }
  FileHandle file = files.CreateAlways(newName, true);
  if (file == InvalidFile) {
    files.LastErrorText(reason, sizeof reason);
    return failed("the file cannot be created.");
  }
  // The new file replaces the old one only once it is on the disk.
  bool written = WriteSettings(files, file, settings) && files.Flush(file);
  if (!written) {
    files.LastErrorText(reason, sizeof reason);
  }
  files.Close(file);
  bool replaced = written && files.Replace(newName, name);
  if (written && !replaced) {
    files.LastErrorText(reason, sizeof reason);
  }
  // A failed write (a full disk, a removed card) keeps the previous choices.
  if (!replaced) {
    files.Remove(newName);
    return failed(written ? "the old file cannot be replaced." : "the file cannot be written.");
  }
  return std::string();
}

void LoadStartValues(FileSystem& files, const StartFiles& names,
                     ProgramConfiguration& configuration, RecordingSettings& settings,
                     PathTexts& paths) {
  LoadDefaults(files, configuration, paths);
  settings = RecordingSettings();
  if (names.CreateConfiguration) {
    WriteDefaultConfiguration(files, names.Configuration);
  }
  ReadConfiguration(files, names.Configuration, configuration);
  if (names.SavedState != nullptr) {
    ReadSavedState(files, names.SavedState, settings);
  }
}
