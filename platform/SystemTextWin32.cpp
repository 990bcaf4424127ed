// UTF-8 inside, UTF-16 at the W functions, and the ANSI code page of older files.
#include <windows.h>

#include <cstring>

#include "common/Utf8.h"
#include "platform/SystemText.h"

namespace {

std::wstring Widen(UINT codePage, DWORD flags, const char* text) {
  int length = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
  if (length <= 0) {
    return std::wstring();
  }
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length) - 1);
  return wide;
}

}  // namespace

bool ToUtf16(const char* text, std::wstring& wide) {
  wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, text);
  if (wide.empty() && text[0] != '\0') {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  return true;
}

std::wstring Utf16ForDisplay(const char* text) {
  return Widen(CP_UTF8, 0, text);
}

std::string ToUtf8(const wchar_t* text) {
  int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) {
    return std::string();
  }
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], length, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length) - 1);
  return narrow;
}

bool ToUtf8(const wchar_t* text, char* buffer, std::size_t size) {
  if (size == 0) {
    return false;
  }
  std::string narrow = ToUtf8(text);
  std::size_t length = FitUtf8(narrow.c_str(), narrow.size(), size - 1);
  std::memcpy(buffer, narrow.c_str(), length);
  buffer[length] = '\0';
  return length == narrow.size();
}

void SystemCodePageToUtf8(const char* text, char* buffer, std::size_t size) {
  ToUtf8(Widen(CP_ACP, 0, text).c_str(), buffer, size);
}
