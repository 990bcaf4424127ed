// The help text of every control of the main dialog, in code page 1251.
#pragma once

#include <cstdint>

struct HelpTextEntry {
  int32_t ControlId;  // 0: the dialog window itself
  const char* Text;   // none ends a table
};

constexpr int32_t HelpTextRows = 43;
// Tested in this order; the end row has id 0 and no text.
extern const HelpTextEntry HelpTexts[HelpTextRows + 1];
