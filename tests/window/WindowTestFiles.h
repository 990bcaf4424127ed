// Small file helpers for the window and end-to-end tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/SystemText.h"

// The UTF-16 form of a UTF-8 name, and back, for the W functions.
inline std::wstring Wide(const std::string& name) {
  return Utf16ForDisplay(name.c_str());
}

inline std::string Narrow(const std::wstring& name) {
  return ToUtf8(name.c_str());
}

inline std::string CurrentDirectory() {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH + 1, buffer);
  return Narrow(buffer);
}

// Reads a whole file; empty when it cannot be read.
inline std::string ReadWholeFile(const std::string& name) {
  std::ifstream file(std::filesystem::u8path(name), std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

// A new empty folder that is the current directory while the object lives; its name
// ends with `suffix` (UTF-8, as paths are inside the program).
class FreshFolder {
 public:
  explicit FreshFolder(const std::string& suffix = "");
  ~FreshFolder();
  const std::string& Path() const { return Folder; }
  // The path of a file in the folder.
  std::string File(const char* name) const { return Folder + "\\" + name; }

 private:
  std::string Previous;
  std::string Folder;
};

inline FreshFolder::FreshFolder(const std::string& suffix) : Previous(CurrentDirectory()) {
  wchar_t buffer[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, buffer);
  // Wine's process ids repeat from run to run, and a run that was stopped leaves its
  // folders behind: take the first name that is really new.
  static int counter = 0;
  do {
    Folder = Narrow(buffer) + "zq347-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter) + suffix;
  } while (!CreateDirectoryW(Wide(Folder).c_str(), nullptr) && counter < 100000);
  SetCurrentDirectoryW(Wide(Folder).c_str());
}

inline FreshFolder::~FreshFolder() {
  SetCurrentDirectoryW(Wide(Previous).c_str());
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(Folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = Wide(File(Narrow(found.cFileName).c_str()));
      SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(name.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(Wide(Folder).c_str());
}

inline void WriteTextFile(const std::string& name, const std::string& text) {
  HANDLE file =
      CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// -1 when the file does not exist.
inline int64_t FileSizeOf(const std::string& name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Wide(name).c_str(), GetFileExInfoStandard, &data)) {
    return -1;
  }
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The list ids of channel 1..16, as the labels read.
inline int ChannelA(int channel) {
  return channel <= 8 ? 1020 + channel - 1 : 1036 + channel - 9;
}
inline int ChannelB(int channel) {
  return channel <= 8 ? 1028 + channel - 1 : 1044 + channel - 9;
}
