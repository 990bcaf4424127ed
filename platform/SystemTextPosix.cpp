// POSIX systems take the bytes of a name as they are.
#include <cstring>

#include "platform/SystemText.h"

void SystemCodePageToUtf8(const char* text, char* buffer, std::size_t size) {
  if (size == 0) {
    return;
  }
  std::size_t length = strnlen(text, size - 1);
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}
