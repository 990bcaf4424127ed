// Reader of the forgiving key-and-value text of "ZQ347Fill.cfg" and "ZQ347Fill.sav".
// Case does not matter, '=' and ',' separate, ';' and ':' start comments, quotes keep
// text verbatim, one '\' or '/' continues a line, and numbers may carry size suffixes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/FileSystem.h"

class ConfigText {
 public:
  // Larger files are not read at all.
  static constexpr int32_t MaxLength = 0x20000;

  ConfigText() = default;
  ConfigText(ConfigText&&) = default;
  ConfigText& operator=(ConfigText&&) = default;

  // Never fails loudly: on any failure the text is simply not loaded.
  void Load(const char* name, FileSystem& files = SystemFileSystem());
  // The same from bytes in memory.
  void LoadBytes(const char* data, std::size_t size);
  bool IsLoaded() const { return Text != nullptr; }

  // Finds the first line and leftmost position where the key stands between blanks.
  // The line end is the index of the NUL ending its line, the value position the
  // index just after the key.
  bool FindKey(const char* name, int32_t& lineEnd, int32_t& valuePosition) const;
  // Converts the next token before the line end: 1 when it is a valid number, 0
  // otherwise; writes the supplied outputs only on success. The position always
  // moves to the first blank after the token.
  int ParseNumber(int32_t lineEnd, int32_t& position, int32_t* intValue, double* doubleValue,
                  float* floatValue) const;
  int CheckNumber(int32_t lineEnd, int32_t& position) const;

  // Every lookup returns -1 when no text is loaded, leaving its outputs alone.
  int CountNumbers(const char* name) const;
  int HasKey(const char* name) const;
  int GetString(const char* name, char* destination, int32_t size, const char* fallback) const;
  // A default of zero leaves the destination as it is when the key gives no value.
  int GetInt(const char* name, int32_t& destination, int32_t fallback) const;
  int GetShort(const char* name, int16_t& destination, int16_t fallback) const;
  int GetDouble(const char* name, double& destination, double fallback) const;
  int GetFloat(const char* name, float& destination, float fallback) const;
  int GetIntArray(const char* name, int32_t* destination, int32_t capacity) const;
  int GetDoubleArray(const char* name, double* destination, int32_t capacity) const;
  int GetFloatArray(const char* name, float* destination, int32_t capacity) const;

 private:
  void Adopt(std::unique_ptr<unsigned char[]> text, int32_t length);
  template <typename T>
  int GetScalar(const char* name, T& destination, T fallback) const;
  template <typename T>
  int GetArray(const char* name, T* destination, int32_t capacity) const;

  std::unique_ptr<unsigned char[]> Text;  // the normalised bytes and a NUL
  int32_t Length = 0;
};
