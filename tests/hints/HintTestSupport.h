// Helpers for the hint tests: the cursor, waiting with the loop running, and the
// balloon windows of this thread.
#pragma once

#include <windows.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "tests/window/WindowTestSupport.h"

// A code page 1251 text as the user reads it.
inline std::wstring FromCyrillic(const char* text) {
  wchar_t wide[1024] = {};
  MultiByteToWideChar(1251, 0, text, -1, wide, 1024);
  return wide;
}

inline void RestCursorOn(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
}

// Runs the dialog's loop until `done` says so or `ms` milliseconds have passed; what
// `done` said last.
inline bool PumpUntil(DialogUnderTest& dialog, DWORD ms, const std::function<bool()>& done) {
  for (DWORD start = GetTickCount();; Sleep(2)) {
    dialog.Pump();
    if (done()) {
      return true;
    }
    if (GetTickCount() - start >= ms) {
      return false;
    }
  }
}

inline void PumpFor(DialogUnderTest& dialog, DWORD ms) {
  PumpUntil(dialog, ms, [] { return false; });
}

// Every balloon window of this thread, visible or not.
inline std::vector<HWND> Balloons() {
  std::vector<HWND> found;
  auto take = [](HWND window, LPARAM list) -> BOOL {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"WindowsHelperClass") == 0) {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), take, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The alpha the window was given, or -1 when it has none.
inline int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) {
    return -1;
  }
  return alpha;
}
