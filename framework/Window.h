// A program object bound to one Win32 window; messages reach its members through
// the class's message map.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/MessageTarget.h"

class WindowClass;

class Window : public MessageTarget {
 public:
  // The last message of the window: the object is already unbound.
  virtual void OnNcDestroy() { Hwnd = nullptr; }
  virtual void OnPaint(HDC, const RECT&) {}
  virtual int32_t WindowProc(UINT message, WPARAM first, LPARAM second);
  // A message box owned by the window, titled with its text; the focus comes back.
  virtual int TitledMessageBox(const wchar_t* text, UINT type);
  // A coordinate below -999 centres on that axis; both below -9999 keep the current
  // place. The window is always kept on the screen.
  virtual void MoveTo(int32_t x, int32_t y);

  HWND Create(WindowClass& windowClass, const wchar_t* title, DWORD style, DWORD extendedStyle,
              int32_t x, int32_t y, int32_t width, int32_t height, HWND parent, HMENU menu);
  void Show(int command);

  HWND Handle() const { return Hwnd; }

  // The procedure of every class registered through WindowClass.
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second);

 protected:
  HWND Hwnd = nullptr;
};
