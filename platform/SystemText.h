// Texts where they meet the operating system. Inside the program paths are UTF-8;
// Windows takes them as UTF-16, and files saved by older editors hold the system's
// 8-bit code page.
#pragma once

#include <cstddef>

// Converts a text in the system's 8-bit code page to UTF-8 in `size` bytes, cut
// between characters. A system without such a code page copies the bytes unchanged.
void SystemCodePageToUtf8(const char* text, char* buffer, std::size_t size);

#ifdef _WIN32
#include <string>

// The UTF-16 form for the W functions; false, with ERROR_INVALID_NAME as the last
// error, when the text is not UTF-8: such a name cannot be meant.
bool ToUtf16(const char* text, std::wstring& wide);
// The same for showing a text: bytes that are not UTF-8 show as U+FFFD.
std::wstring Utf16ForDisplay(const char* text);
std::string ToUtf8(const wchar_t* text);
// Into a field of `size` bytes; false when the text had to be cut.
bool ToUtf8(const wchar_t* text, char* buffer, std::size_t size);
#endif
