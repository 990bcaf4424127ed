#include "datafile/FillBuffer.h"

#include <cstring>

bool FillBuffer::Obtain(int32_t words) {
  if (Bytes != nullptr && Words == words) {
    return true;
  }
  Release();
  if (words <= 0) {
    return false;
  }
  Bytes = static_cast<uint8_t*>(Files.AllocatePages(static_cast<std::size_t>(words) * 2));
  if (Bytes == nullptr) {
    return false;
  }
  Words = words;
  return true;
}

void FillBuffer::Fill(uint16_t word) {
  if (Bytes == nullptr) {
    return;
  }
  if (word == 0) {
    std::memset(Bytes, 0, SizeInBytes());
    return;
  }
  for (int32_t i = 0; i < Words; ++i) {
    Bytes[2 * i] = static_cast<uint8_t>(word);
    Bytes[2 * i + 1] = static_cast<uint8_t>(word >> 8);
  }
}

void FillBuffer::Release() {
  if (Bytes != nullptr) {
    Files.FreePages(Bytes, SizeInBytes());
  }
  Bytes = nullptr;
  Words = 0;
}
