#include "config/ConfigText.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "common/Numbers.h"

namespace {

// Every byte's normalised form: letters upper-cased, digits and "+-._" kept, ':' made
// a comment start like ';', everything else a space.
constexpr std::array<unsigned char, 256> MakeCharClassTable() {
  std::array<unsigned char, 256> table{};
  for (int byte = 0; byte < 256; ++byte) {
    unsigned char normalised = ' ';
    if (byte >= 'a' && byte <= 'z') {
      normalised = static_cast<unsigned char>(byte - 'a' + 'A');
    } else if ((byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == '+' ||
               byte == '-' || byte == '.' || byte == '_') {
      normalised = static_cast<unsigned char>(byte);
    } else if (byte == ';' || byte == ':') {
      normalised = ';';
    }
    table[byte] = normalised;
  }
  return table;
}

constexpr std::array<unsigned char, 256> CharClassTable = MakeCharClassTable();

constexpr int32_t MaxKeyBytes = 256;
constexpr int32_t MaxRealBytes = 100;

bool IsBlank(unsigned char byte) {
  return byte <= ' ';
}

bool IsDigit(unsigned char byte) {
  return byte >= '0' && byte <= '9';
}

uint64_t SuffixFactor(unsigned char byte) {
  switch (byte) {
    case 'K':
      return 1024;
    case 'M':
      return 1048576;
    case 'T':
      return 1000;
    case 'L':
      return 1000000;
    default:
      return 0;
  }
}

struct Number {
  int32_t Int;
  double Double;
};

Number FromInteger(uint64_t bits) {
  return {static_cast<int32_t>(static_cast<uint32_t>(bits)),
          static_cast<double>(static_cast<int64_t>(bits))};
}

Number FromReal(double value) {
  uint64_t rounded = static_cast<uint64_t>(TruncateToInt64(value + 0.5));
  return {static_cast<int32_t>(static_cast<uint32_t>(rounded)), value};
}

// Reads the digits of "0X..." (without the prefix); overflow drops the high bits.
bool ConvertHex(const unsigned char* digits, int32_t length, Number& number) {
  uint64_t value = 0;
  for (int32_t i = 0; i < length; ++i) {
    unsigned char byte = digits[i];
    if (IsDigit(byte)) {
      value = (value << 4) | static_cast<uint64_t>(byte - '0');
    } else if (byte >= 'A' && byte <= 'F') {
      value = (value << 4) | static_cast<uint64_t>(byte - 'A' + 10);
    } else {
      return false;
    }
  }
  number = FromInteger(value);
  return true;
}

// An optional sign, a body of digits, points and exponent letters ('D' is one as
// well as 'E'), and an optional size suffix as the last byte.
bool ConvertDecimal(const unsigned char* token, int32_t length, Number& number) {
  int32_t begin = 0;
  bool negative = false;
  if (token[0] == '-' || token[0] == '+') {
    negative = token[0] == '-';
    begin = 1;
  }
  int32_t end = length;
  uint64_t factor = 1;
  if (end > begin && SuffixFactor(token[end - 1]) != 0) {
    factor = SuffixFactor(token[end - 1]);
    --end;
  }
  int points = 0;
  int exponents = 0;
  for (int32_t i = begin; i < end; ++i) {
    unsigned char byte = token[i];
    if (byte == '.') {
      ++points;
    } else if (byte == 'E' || byte == 'D') {
      ++exponents;
    } else if (byte == '+' || byte == '-') {
      if (exponents != 1) {
        return false;
      }
    } else if (!IsDigit(byte)) {
      return false;
    }
  }
  if (points == 0 && exponents == 0) {
    uint64_t value = 0;
    for (int32_t i = begin; i < end; ++i) {
      value = value * 10 + static_cast<uint64_t>(token[i] - '0');
    }
    value *= factor;
    number = FromInteger(negative ? 0 - value : value);
    return true;
  }
  if (points > 1 || exponents > 1) {
    return false;
  }
  char body[MaxRealBytes + 1];
  int32_t bodyLength = end - begin < MaxRealBytes ? end - begin : MaxRealBytes;
  for (int32_t i = 0; i < bodyLength; ++i) {
    body[i] = token[begin + i] == 'D' ? 'E' : static_cast<char>(token[begin + i]);
  }
  body[bodyLength] = '\0';
  // strtod reads the longest prefix that is a number and gives 0 for none; the body
  // holds no letters that could make it read "INF", "NAN" or hexadecimal.
  double value = std::strtod(body, nullptr) * static_cast<double>(factor);
  number = FromReal(negative ? -value : value);
  return true;
}

template <typename T>
int ParseInto(const ConfigText& text, int32_t lineEnd, int32_t& position, T& value);

template <>
int ParseInto(const ConfigText& text, int32_t lineEnd, int32_t& position, int32_t& value) {
  return text.ParseNumber(lineEnd, position, &value, nullptr, nullptr);
}

template <>
int ParseInto(const ConfigText& text, int32_t lineEnd, int32_t& position, int16_t& value) {
  int32_t wide = 0;
  int result = text.ParseNumber(lineEnd, position, &wide, nullptr, nullptr);
  if (result == 1) {
    value = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(wide) & 0xFFFF));
  }
  return result;
}

template <>
int ParseInto(const ConfigText& text, int32_t lineEnd, int32_t& position, double& value) {
  return text.ParseNumber(lineEnd, position, nullptr, &value, nullptr);
}

template <>
int ParseInto(const ConfigText& text, int32_t lineEnd, int32_t& position, float& value) {
  return text.ParseNumber(lineEnd, position, nullptr, nullptr, &value);
}

}  // namespace

void ConfigText::Load(const char* name, FileSystem& files) {
  Text.reset();
  Length = 0;
  FileHandle file = files.OpenForReading(name);
  if (file == InvalidFile) {
    return;
  }
  int64_t size = files.FileSize(file);
  if (size <= 0 || size > MaxLength) {
    files.Close(file);
    return;
  }
  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size + 1]);
  int64_t read = buffer ? files.Read(file, buffer.get(), static_cast<uint32_t>(size)) : -1;
  files.Close(file);
  if (read != size) {
    return;
  }
  Adopt(std::move(buffer), static_cast<int32_t>(size));
}

void ConfigText::LoadBytes(const char* data, std::size_t size) {
  Text.reset();
  Length = 0;
  if (size == 0 || size > static_cast<std::size_t>(MaxLength)) {
    return;
  }
  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[size + 1]);
  if (!buffer) {
    return;
  }
  std::memcpy(buffer.get(), data, size);
  Adopt(std::move(buffer), static_cast<int32_t>(size));
}

// Normalises in place: lines end in NUL, unquoted bytes go through CharClassTable,
// comments become spaces, and a line with exactly one '\' or '/' marker outside
// quotes and comments is joined with the next.
void ConfigText::Adopt(std::unique_ptr<unsigned char[]> text, int32_t length) {
  bool inQuote = false;
  bool inComment = false;
  int markers = 0;
  for (int32_t i = 0; i < length; ++i) {
    unsigned char byte = text[i];
    if (!inQuote && !inComment && (byte == '\\' || byte == '/')) {
      ++markers;
    }
    if (byte == '\n') {
      text[i] = markers == 1 ? ' ' : '\0';
      inQuote = false;
      inComment = false;
      markers = 0;
      continue;
    }
    if (inQuote && byte != '"') {
      continue;
    }
    unsigned char normalised = CharClassTable[byte];
    if (byte == '"') {
      inQuote = !inQuote;
    }
    if (normalised == ';') {
      inComment = true;
    }
    text[i] = inComment ? ' ' : normalised;
  }
  text[length] = '\0';
  Text = std::move(text);
  Length = length;
}

bool ConfigText::FindKey(const char* name, int32_t& lineEnd, int32_t& valuePosition) const {
  if (!IsLoaded() || name == nullptr) {
    return false;
  }
  unsigned char key[MaxKeyBytes];
  int32_t keyLength = 0;
  for (int32_t i = 0; i < MaxKeyBytes && name[i] != '\0'; ++i) {
    unsigned char byte = CharClassTable[static_cast<unsigned char>(name[i]) & 0x7F];
    if (keyLength == 0 && byte == ' ') {
      continue;
    }
    key[keyLength++] = byte;
  }
  if (keyLength == 0) {
    return false;
  }
  const unsigned char* text = Text.get();
  for (int32_t start = 0; start < Length; ++start) {
    if (text[start] != key[0] || (start > 0 && !IsBlank(text[start - 1]))) {
      continue;
    }
    int32_t at = start;
    int32_t matched = 0;
    while (matched < keyLength && text[at] != '\0') {
      if (text[at] == ' ') {
        ++at;
      } else if (key[matched] == ' ') {
        ++matched;
      } else if (text[at] == key[matched]) {
        ++at;
        ++matched;
      } else {
        break;
      }
    }
    if (matched == keyLength && IsBlank(text[at])) {
      valuePosition = at;
      while (text[at] != '\0') {
        ++at;
      }
      lineEnd = at;
      return true;
    }
  }
  return false;
}

int ConfigText::ParseNumber(int32_t lineEnd, int32_t& position, int32_t* intValue,
                            double* doubleValue, float* floatValue) const {
  if (!IsLoaded() || lineEnd > Length || position < 0) {
    return 0;
  }
  const unsigned char* text = Text.get();
  int32_t at = position;
  while (at < lineEnd && IsBlank(text[at])) {
    ++at;
  }
  int32_t start = at;
  while (at < lineEnd && !IsBlank(text[at])) {
    ++at;
  }
  position = at;
  int32_t length = at - start;
  if (length == 0) {
    return 0;
  }
  const unsigned char* token = text + start;
  Number number;
  bool valid = length >= 2 && token[0] == '0' && token[1] == 'X'
                   ? ConvertHex(token + 2, length - 2, number)
                   : ConvertDecimal(token, length, number);
  if (!valid) {
    return 0;
  }
  if (intValue != nullptr) {
    *intValue = number.Int;
  }
  if (doubleValue != nullptr) {
    *doubleValue = number.Double;
  }
  if (floatValue != nullptr) {
    *floatValue = ToFloat(number.Double);
  }
  return 1;
}

int ConfigText::CheckNumber(int32_t lineEnd, int32_t& position) const {
  return ParseNumber(lineEnd, position, nullptr, nullptr, nullptr);
}

int ConfigText::CountNumbers(const char* name) const {
  if (!IsLoaded()) {
    return -1;
  }
  int32_t lineEnd = 0;
  int32_t position = 0;
  if (!FindKey(name, lineEnd, position)) {
    return 0;
  }
  int count = 0;
  while (CheckNumber(lineEnd, position) == 1) {
    ++count;
  }
  return count;
}

int ConfigText::HasKey(const char* name) const {
  if (!IsLoaded()) {
    return -1;
  }
  int32_t lineEnd = 0;
  int32_t position = 0;
  return FindKey(name, lineEnd, position) ? 1 : 0;
}

int ConfigText::GetString(const char* name, char* destination, int32_t size,
                          const char* fallback) const {
  if (!IsLoaded()) {
    return -1;
  }
  if (destination == nullptr || size <= 0) {
    return 0;
  }
  int32_t lineEnd = 0;
  int32_t position = 0;
  if (!FindKey(name, lineEnd, position)) {
    if (fallback != nullptr && fallback[0] != '\0') {
      std::size_t length = std::strlen(fallback);
      if (length > static_cast<std::size_t>(size - 1)) {
        length = static_cast<std::size_t>(size - 1);
      }
      std::memcpy(destination, fallback, length);
      destination[length] = '\0';
    }
    return 0;
  }
  while (position < lineEnd && IsBlank(Text[position])) {
    ++position;
  }
  int32_t length = lineEnd - position < size - 1 ? lineEnd - position : size - 1;
  std::memcpy(destination, Text.get() + position, static_cast<std::size_t>(length));
  destination[length] = '\0';
  while (length > 0 && destination[length - 1] == ' ') {
    destination[--length] = '\0';
  }
  return 1;
}

template <typename T>
int ConfigText::GetScalar(const char* name, T& destination, T fallback) const {
  if (!IsLoaded()) {
    return -1;
  }
  int32_t lineEnd = 0;
  int32_t position = 0;
  if (FindKey(name, lineEnd, position) && ParseInto(*this, lineEnd, position, destination) == 1) {
    return 1;
  }
  if (fallback != 0) {
    destination = fallback;
  }
  return 0;
}

template <typename T>
int ConfigText::GetArray(const char* name, T* destination, int32_t capacity) const {
  if (!IsLoaded()) {
    return -1;
  }
  int32_t lineEnd = 0;
  int32_t position = 0;
  if (!FindKey(name, lineEnd, position)) {
    return 0;
  }
  int32_t count = 0;
  while (count < capacity && ParseInto(*this, lineEnd, position, destination[count]) == 1) {
    ++count;
  }
  return count;
}

int ConfigText::GetInt(const char* name, int32_t& destination, int32_t fallback) const {
  return GetScalar(name, destination, fallback);
}

int ConfigText::GetShort(const char* name, int16_t& destination, int16_t fallback) const {
  return GetScalar(name, destination, fallback);
}

int ConfigText::GetDouble(const char* name, double& destination, double fallback) const {
  return GetScalar(name, destination, fallback);
}

int ConfigText::GetFloat(const char* name, float& destination, float fallback) const {
  return GetScalar(name, destination, fallback);
}

int ConfigText::GetIntArray(const char* name, int32_t* destination, int32_t capacity) const {
  return GetArray(name, destination, capacity);
}

int ConfigText::GetDoubleArray(const char* name, double* destination, int32_t capacity) const {
  return GetArray(name, destination, capacity);
}

int ConfigText::GetFloatArray(const char* name, float* destination, int32_t capacity) const {
  return GetArray(name, destination, capacity);
}
