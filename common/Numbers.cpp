#include "common/Numbers.h"

#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>

int32_t ClampInt(int32_t value, int32_t low, int32_t high) {
  if (value < low) {
    return low;
  }
  if (value > high) {
    return high;
  }
  return value;
}

int64_t TruncateToInt64(double value) {
  if (value != value) {
    return 0;
  }
  if (value >= 9223372036854775808.0) {
    return INT64_MAX;
  }
  if (value < -9223372036854775808.0) {
    return INT64_MIN;
  }
  return static_cast<int64_t>(value);
}

float ToFloat(double value) {
  if (value > FLT_MAX) {
    return std::numeric_limits<float>::infinity();
  }
  if (value < -FLT_MAX) {
    return -std::numeric_limits<float>::infinity();
  }
  return static_cast<float>(value);
}

void FormatNumber(char (&buffer)[NumberTextSize], double value) {
  std::snprintf(buffer, sizeof buffer, "%4.3f", value);
  // A text cut by the buffer has lost its point: its zeros are digits then.
  if (std::strchr(buffer, '.') == nullptr) {
    return;
  }
  std::size_t length = std::strlen(buffer);
  while (length > 1 && buffer[length - 1] == '0') {
    buffer[--length] = '\0';
  }
  if (length > 1 && buffer[length - 1] == '.') {
    buffer[--length] = '\0';
  }
}
