// Texts inside the program are UTF-8 in fields of fixed size: a cut falls between
// characters, never inside one.
#pragma once

#include <cstddef>

inline bool IsContinuationByte(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the longest start of `text` (of `length` bytes) that holds at most
// `room` bytes and ends between two characters.
inline std::size_t FitUtf8(const char* text, std::size_t length, std::size_t room) {
  if (length <= room) {
    return length;
  }
  while (room > 0 && IsContinuationByte(text[room])) {
    --room;
  }
  return room;
}

// The UTF-16 units that Windows counts in the `length` bytes: one per character, two for
// one beyond the first 65536.
std::size_t Utf16Units(const char* text, std::size_t length);

// The length in bytes of the longest start of `text` that holds at most `units` UTF-16
// units and ends between two characters.
std::size_t FitUtf16Units(const char* text, std::size_t length, std::size_t units);

// True when the `length` bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const char* text, std::size_t length);
