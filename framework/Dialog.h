// A modeless dialog made from a template and bound to its object.
#pragma once

#include "framework/Window.h"

class Dialog : public Window {
 public:
  void SetIcon(HICON icon) { Icon = icon; }
  // Creates the dialog (its WM_INITDIALOG runs inside), takes over its window
  // procedure and places it with MoveTo. None when it cannot be created.
  HWND CreateFromTemplate(int32_t templateId, int32_t x, int32_t y, HWND owner);

 protected:
  HICON Icon = nullptr;

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM first, LPARAM second);
  static LRESULT CALLBACK DialogWindowProcedure(HWND window, UINT message, WPARAM first,
                                                LPARAM second);
  LRESULT CallPrevious(UINT message, WPARAM first, LPARAM second);

  WNDPROC Previous = nullptr;
};
