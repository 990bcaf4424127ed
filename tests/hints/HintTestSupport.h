// Helpers for the hint tests: the cursor, waiting with the loop running, and finding
// the balloon windows of this process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "tests/window/WindowTestSupport.h"

// Short delays so the tests run quickly: polling every 10 ms, hints after about 100 ms.
constexpr int32_t TestPreDelay = 100;
constexpr int32_t TestPostDelay = 500;

// A code page 1251 text as the user reads it.
std::wstring FromCyrillic(const char* text);

POINT CentreOf(HWND window);
void RestCursorOn(HWND window);
// A point outside every window of the dialog.
inline void ParkCursor() {
  SetCursorPos(2, 2);
}

// Runs the dialog's loop until `done` says so or `ms` milliseconds have passed; what
// `done` said last.
bool PumpUntil(DialogUnderTest& dialog, DWORD ms, const std::function<bool()>& done);
inline void PumpFor(DialogUnderTest& dialog, DWORD ms) {
  PumpUntil(dialog, ms, [] { return false; });
}
// The visible balloon owned by `owner`, waiting up to `limitMs` for it; none if it does
// not come.
HWND WaitForHint(DialogUnderTest& dialog, HWND owner, DWORD limitMs = 2000);
// Every balloon window of this thread, visible or not.
int CountHints();
// Waits up to `limitMs` for the window to be destroyed; true when it was.
inline bool WaitUntilGone(DialogUnderTest& dialog, HWND window, DWORD limitMs) {
  return PumpUntil(dialog, limitMs, [&] { return !IsWindow(window); });
}

// The alpha the window was given, or -1 when it has none.
int AlphaOf(HWND window);
