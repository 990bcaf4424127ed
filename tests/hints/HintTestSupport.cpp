#include "tests/hints/HintTestSupport.h"

namespace {

struct HintSearch {
  HWND Owner;
  HWND Found;
  int Count;
};

HintSearch SearchHints(HWND owner) {
  HintSearch search{owner, nullptr, 0};
  auto find = [](HWND window, LPARAM parameter) -> BOOL {
    auto* search = reinterpret_cast<HintSearch*>(parameter);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcscmp(name, L"WindowsHelperClass") == 0) {
      ++search->Count;
      if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->Owner) {
        search->Found = window;
      }
    }
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), find, reinterpret_cast<LPARAM>(&search));
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

void RestCursorOn(HWND window) {
  POINT centre = CentreOf(window);
  SetCursorPos(centre.x, centre.y);
}

bool PumpUntil(DialogUnderTest& dialog, DWORD ms, const std::function<bool()>& done) {
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

HWND WaitForHint(DialogUnderTest& dialog, HWND owner, DWORD limitMs) {
  HWND found = nullptr;
  PumpUntil(dialog, limitMs, [&] { return (found = SearchHints(owner).Found) != nullptr; });
  return found;
}

int CountHints() {
  return SearchHints(nullptr).Count;
}

int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) {
    return -1;
  }
  return alpha;
}
