#include "common/Utf8.h"

#include <cstdint>

bool IsUtf8(const char* text, std::size_t length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t i = 0;
  while (i < length) {
    unsigned char lead = bytes[i];
    std::size_t extra = 0;
    uint32_t low = 0;  // the smallest code point that needs this many bytes
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      low = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      low = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      low = 0x10000;
    } else {
      return false;
    }
    if (length - i <= extra) {
      return false;
    }
    uint32_t code = lead & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
      if (!IsContinuationByte(text[i + k])) {
        return false;
      }
      code = (code << 6) | (bytes[i + k] & 0x3F);
    }
    if (code < low || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

std::size_t Utf16Units(const char* text, std::size_t length) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuationByte(text[i])) {
      units += byte >= 0xF0 ? 2 : 1;
    }
  }
  return units;
}

std::size_t FitUtf16Units(const char* text, std::size_t length, std::size_t units) {
  std::size_t counted = 0;
  for (std::size_t i = 0; i < length; ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (IsContinuationByte(text[i])) {
      continue;
    }
    counted += byte >= 0xF0 ? 2 : 1;
    if (counted > units) {
      return i;
    }
  }
  return length;
}
