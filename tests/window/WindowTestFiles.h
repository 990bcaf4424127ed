// Small file helpers for the window tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/window/WindowTestSupport.h"

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
