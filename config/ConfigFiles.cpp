#include "config/ConfigFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/Numbers.h"
#include "common/Utf8.h"
#include "config/ConfigText.h"
#include "platform/ConfigResource.h"
#include "platform/SystemText.h"

namespace {

constexpr std::size_t FormattedSize = 260;
constexpr int32_t MaxHelpDelay = 60000;
constexpr int32_t MinHelpPostDelay = 500;

void ReadConfigurationText(const ConfigText& text, ProgramConfiguration& configuration);

// Rounds up to a multiple of 256 in 32-bit arithmetic; the sizes must stay positive.
int32_t RoundSize(int32_t size) {
  int32_t rounded = static_cast<int32_t>((static_cast<uint32_t>(size) + 255u) & ~255u);
  return rounded > 0 ? rounded : 256;
}

// Names are UTF-8 inside the program. A name that is not was saved by an older editor
// in the system's 8-bit code page, and must give the name it always gave.
void ReadBaseName(const ConfigText& text, char (&name)[NameSize]) {
  char value[NameSize + 4];  // past the field, to see where its last character ends
  if (text.GetString("File", value, sizeof value, nullptr) != 1) {
    return;
  }
  std::size_t length = std::strlen(value);
  std::size_t whole = FitUtf8(value, length, NameSize - 1);
  bool utf8 = IsUtf8(value, whole);
  // One byte is one character in the code page; no such character is wider than three
  // bytes in UTF-8.
  length = utf8 ? FitUtf16Units(value, whole, NameUnits) : std::min<std::size_t>(length, NameUnits);
  while (length > 0 && value[length - 1] == ' ') {
    --length;
  }
  value[length] = '\0';
  if (utf8) {
    std::memcpy(name, value, length + 1);
  } else {
    SystemCodePageToUtf8(value, name, NameSize);
  }
}

}  // namespace

void LoadDefaults(FileSystem& files, ProgramConfiguration& configuration, PathTexts& paths) {
  paths = PathTexts();
  // A start-up directory longer than a name may be stays empty: data files then go to
  // the current directory, and the saved state is not written (see WriteSavedState).
  if (files.GetCurrentDir(paths.StartupDirectory, NameSize) &&
      Utf16Units(paths.StartupDirectory, std::strlen(paths.StartupDirectory)) > NameUnits) {
    paths.StartupDirectory[0] = '\0';
  }
  if (paths.StartupDirectory[0] != '\0') {
    std::size_t length = std::strlen(paths.StartupDirectory);
    std::memcpy(paths.OutputDirectory, paths.StartupDirectory, length);
    // A root such as "C:\" already ends with its separator. In UTF-8 no byte of a
    // longer character equals it, as the last byte of some code page 932 ones does.
    if (length == 0 || paths.StartupDirectory[length - 1] != PathSeparator) {
      paths.OutputDirectory[length++] = PathSeparator;
    }
    paths.OutputDirectory[length] = '\0';
  }
  configuration = ProgramConfiguration();
}

void WriteDefaultConfiguration(FileSystem& files, const char* name) {
  FileHandle file = files.CreateNew(name);
  if (file == InvalidFile) {
    return;
  }
  ResourceBytes text = BuiltinConfigurationText();
  bool complete = text.Data == nullptr || text.Size == 0 ||
                  files.Write(file, text.Data, text.Size) == static_cast<int64_t>(text.Size);
  files.Close(file);
  // A cut-off file would be read, and kept, at every later start; without it the
  // next start tries again.
  if (!complete) {
    files.Remove(name);
  }
}

void ReadConfiguration(FileSystem& files, const char* name, ProgramConfiguration& configuration) {
  ConfigText text;
  text.Load(name, files);
  ReadConfigurationText(text, configuration);
}

void ReadBuiltinConfiguration(ProgramConfiguration& configuration) {
  ResourceBytes bytes = BuiltinConfigurationText();
  ConfigText text;
  if (bytes.Data != nullptr && bytes.Size > 0) {
    text.LoadBytes(bytes.Data, bytes.Size);
  }
  ReadConfigurationText(text, configuration);
}

namespace {

void ReadConfigurationText(const ConfigText& text, ProgramConfiguration& configuration) {
  if (text.IsLoaded()) {
    text.GetInt("HelpPreDelay", configuration.HelpPreDelay, 60000);
    text.GetInt("HelpPostDelay", configuration.HelpPostDelay, 60000);
    configuration.HelpPreDelay = ClampInt(configuration.HelpPreDelay, 0, MaxHelpDelay);
    configuration.HelpPostDelay =
        ClampInt(configuration.HelpPostDelay, MinHelpPostDelay, MaxHelpDelay);

    text.GetDouble("ADCRange", configuration.ADCRange, 10.0);
    text.GetDouble("MaxFreq", configuration.MaxFreq, 100000.0);
    text.GetDouble("MaxFreqMCh", configuration.MaxFreqMCh, 100000.0);
    const int32_t gainDefaults[5] = {0, 1, 10, 100, 200};
    for (int32_t g = 0; g < 5; ++g) {
      char key[16];
      std::snprintf(key, sizeof key, "Gain%d", g + 1);
      text.GetInt(key, configuration.Gain[g], gainDefaults[g]);
    }

    if (text.CountNumbers("FreqArray") > 0) {
      configuration.FreqCount =
          text.GetDoubleArray("FreqArray", configuration.FreqArray, ListCapacity);
    }
    if (text.CountNumbers("SizeArray") > 0) {
      configuration.SizeCount =
          text.GetIntArray("SizeArray", configuration.SizeArray, ListCapacity);
    }
    if (text.CountNumbers("TimeArray") > 0) {
      configuration.TimeCount =
          text.GetDoubleArray("TimeArray", configuration.TimeArray, ListCapacity);
    }

    ReadBaseName(text, configuration.File);
    text.GetInt("FileAutoIncrement", configuration.FileAutoIncrement, 0);
    text.GetInt("FillValue", configuration.FillValue, 0xFFFF);
  }

  if (configuration.MaxFreq <= 0.0) {
    configuration.MaxFreq = 120000.0;
  }
  if (configuration.MaxFreqMCh >= configuration.MaxFreq) {
    configuration.MaxFreqMCh = configuration.MaxFreq;
  }
  for (int32_t i = 0; i < configuration.SizeCount; ++i) {
    configuration.SizeArray[i] = RoundSize(configuration.SizeArray[i]);
  }
}

}  // namespace

bool WriteFormatted(FileSystem& files, FileHandle file, const char* format, ...) {
  char text[FormattedSize];
  va_list arguments;
  va_start(arguments, format);
  int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return length >= 0 && WriteText(files, file, text);
}

bool WriteText(FileSystem& files, FileHandle file, const char* text) {
  uint32_t length = static_cast<uint32_t>(std::strlen(text));
  return files.Write(file, text, length) == static_cast<int64_t>(length);
}
