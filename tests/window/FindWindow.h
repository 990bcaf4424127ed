// Finds a visible top-level window by its title without sending it a message: its
// thread may be waiting for this one.
#pragma once

#include <windows.h>

#include <cwchar>

// A visible window of `process` with this title and, when given, this class; none
// when there is none.
inline HWND FindVisibleWindow(DWORD process, const wchar_t* title,
                              const wchar_t* className = nullptr) {
  struct Search {
    DWORD Process;
    const wchar_t* Title;
    const wchar_t* Class;
    HWND Found;
  } search{process, title, className, nullptr};
  auto match = [](HWND window, LPARAM parameter) -> BOOL {
    auto* wanted = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t text[128] = {};
    wchar_t name[16] = {};
    InternalGetWindowText(window, text, 128);
    GetClassNameW(window, name, 16);
    if (owner != wanted->Process || !IsWindowVisible(window) || wcscmp(text, wanted->Title) != 0 ||
        (wanted->Class != nullptr && wcscmp(name, wanted->Class) != 0)) {
      return TRUE;
    }
    wanted->Found = window;
    return FALSE;
  };
  EnumWindows(match, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
