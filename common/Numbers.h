// Small numeric helpers shared by the configuration, the recording model and the dialog.
#pragma once

#include <cstddef>
#include <cstdint>

// A value below low becomes low, otherwise a value above high becomes high.
int32_t ClampInt(int32_t value, int32_t low, int32_t high);

// Truncates toward zero; values beyond the 64-bit range saturate and NaN gives 0,
// where a plain conversion would be undefined.
int64_t TruncateToInt64(double value);

// Rounds to single precision; values beyond its range become infinite.
float ToFloat(double value);

// Room for the number text of every label.
constexpr std::size_t NumberTextSize = 32;

// "%4.3f" with trailing zeros and a trailing point removed: 8.998875 gives "8.999",
// 10.0 gives "10". The text is cut to the buffer, never written past it.
void FormatNumber(char (&buffer)[NumberTextSize], double value);
