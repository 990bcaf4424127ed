// Names for the W functions and the channel lists, beside the file helpers of every test.
#pragma once

#include <windows.h>

#include <string>

#include "platform/SystemText.h"
#include "tests/TestFiles.h"

// The UTF-16 form of a UTF-8 name, and back, for the W functions.
inline std::wstring Wide(const std::string& name) {
  return Utf16ForDisplay(name.c_str());
}

inline std::string Narrow(const std::wstring& name) {
  return ToUtf8(name.c_str());
}

// The list ids of channel 1..16, as the labels read.
inline int ChannelA(int channel) {
  return channel <= 8 ? 1020 + channel - 1 : 1036 + channel - 9;
}
inline int ChannelB(int channel) {
  return channel <= 8 ? 1028 + channel - 1 : 1044 + channel - 9;
}
