#include "tests/hints/HintTestSupport.h"

namespace {

constexpr wchar_t HintClass[] = L"WindowsHelperClass";

struct HintSearch {
  HWND Owner;
  HWND Found;
  int Count;
};

BOOL CALLBACK FindHint(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<HintSearch*>(parameter);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (wcscmp(name, HintClass) == 0) {
    ++search->Count;
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->Owner) {
      search->Found = window;
    }
  }
  return TRUE;
}

HintSearch SearchHints(HWND owner) {
  HintSearch search{owner, nullptr, 0};
  EnumThreadWindows(GetCurrentThreadId(), FindHint, reinterpret_cast<LPARAM>(&search));
  return search;
}

}  // namespace

std::wstring FromCyrillic(const char* text) {
  wchar_t wide[1024] = {};
  MultiByteToWideChar(1251, 0, text, -1, wide, 1024);
  return wide;
}

POINT CentreOf(HWND window) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

void RestCursorAt(POINT point) {
  SetCursorPos(point.x, point.y);
}

void RestCursorOn(HWND window) {
  RestCursorAt(CentreOf(window));
}

void ParkCursor() {
  SetCursorPos(2, 2);
}

void PumpFor(DialogUnderTest& dialog, DWORD ms) {
  DWORD start = GetTickCount();
  do {
    dialog.Pump();
    Sleep(2);
  } while (GetTickCount() - start < ms);
}

HWND WaitForHint(DialogUnderTest& dialog, HWND owner, DWORD limitMs) {
  DWORD start = GetTickCount();
  do {
    dialog.Pump();
    HWND found = SearchHints(owner).Found;
    if (found != nullptr) {
      return found;
    }
    Sleep(2);
  } while (GetTickCount() - start < limitMs);
  return nullptr;
}

int CountHints() {
  return SearchHints(nullptr).Count;
}

bool WaitUntilGone(DialogUnderTest& dialog, HWND window, DWORD limitMs) {
  DWORD start = GetTickCount();
  while (IsWindow(window) && GetTickCount() - start < limitMs) {
    dialog.Pump();
    Sleep(2);
  }
  return !IsWindow(window);
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) {
    return -1;
  }
  return alpha;
}
