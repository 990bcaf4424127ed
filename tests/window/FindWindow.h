#pragma once

#include <windows.h>

// A visible window of `process` with this title and, when given, this class; none
// when there is none. Sends it no message: its thread may be waiting for this one.
inline HWND FindVisibleWindow(DWORD process, const wchar_t* title,
                              const wchar_t* className = nullptr) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, title));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process && IsWindowVisible(window)) {
      return window;
    }
  }
  return nullptr;
}
