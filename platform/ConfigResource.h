// The built-in configuration text as the program carries it.
#pragma once

#include <cstdint>

struct ResourceBytes {
  const char* Data;
  uint32_t Size;
};

// Resource 107 of type "CONFIG" on Windows; an array built into the program elsewhere.
// Size 0 when the text is not available.
ResourceBytes BuiltinConfigurationText();
