// One chunk of fill words, from the OS page allocator, written again and again.
#pragma once

#include <cstdint>

#include "platform/FileSystem.h"

class FillBuffer {
 public:
  explicit FillBuffer(FileSystem& files) : Files(files) {}
  ~FillBuffer() { Release(); }
  FillBuffer(const FillBuffer&) = delete;
  FillBuffer& operator=(const FillBuffer&) = delete;

  // Keeps the held buffer when it has exactly `words` words; otherwise replaces it.
  // False, and no buffer, when `words` is not positive or the pages cannot be had.
  bool Obtain(int32_t words);
  // Stores the word little-endian into every element.
  void Fill(uint16_t word);
  void Release();

  const uint8_t* Data() const { return Bytes; }
  int32_t Length() const { return Words; }  // in words; 0 when none is held
  uint32_t SizeInBytes() const { return static_cast<uint32_t>(Words) * 2; }

 private:
  FileSystem& Files;
  uint8_t* Bytes = nullptr;
  int32_t Words = 0;
};
