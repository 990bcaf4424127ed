#include "framework/Dialog.h"

namespace {

Dialog* BoundDialog(HWND window) {
  return reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
}

bool IsControlColour(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Messages the dialog's window procedure offers to the map before the dialog manager.
bool IsDispatchedFirst(UINT message) {
  switch (message) {
    case WM_ACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETCURSOR:
    case WM_SETHOTKEY:
    case WM_GETHOTKEY:
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_MOUSEMOVE:
    case WM_HOTKEY:
      return true;
    default:
      return (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK) ||
             (message >= WM_KEYDOWN && message <= WM_SYSDEADCHAR) || IsControlColour(message);
  }
}

}  // namespace

HWND Dialog::CreateFromTemplate(int32_t templateId, int32_t x, int32_t y, HWND owner) {
  // The W call keeps the template's Cyrillic captions on any code page.
  Hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                            DialogProcedure, reinterpret_cast<LPARAM>(this));
  if (Hwnd == nullptr) {
    return nullptr;
  }
  Previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Hwnd, GWLP_WNDPROC));
  SetWindowLongPtrW(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogWindowProcedure));
  if (Icon != nullptr) {
    SendMessageW(Hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
  }
  MoveTo(x, y);
  return Hwnd;
}

LRESULT Dialog::CallPrevious(UINT message, WPARAM first, LPARAM second) {
  return Previous != nullptr ? CallWindowProcW(Previous, Hwnd, message, first, second) : 0;
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
  Dialog* object = BoundDialog(window);
  if (message == WM_INITDIALOG) {
    object = reinterpret_cast<Dialog*>(second);
    SetWindowLongPtrW(window, DWLP_USER, second);
    if (object != nullptr) {
      object->Hwnd = window;
    }
  }
  if (message == WM_PAINT || message == WM_SETCURSOR || message == WM_MOUSEMOVE ||
      message == WM_MEASUREITEM || IsControlColour(message)) {
    return FALSE;
  }
  if (object == nullptr) {
    return FALSE;
  }
  int32_t result = object->WindowProc(message, first, second);
  return result != NotHandled && result != 0 ? TRUE : FALSE;
}

LRESULT CALLBACK Dialog::DialogWindowProcedure(HWND window, UINT message, WPARAM first,
                                               LPARAM second) {
  Dialog* object = BoundDialog(window);
  if (object == nullptr) {
    return 0;
  }
  switch (message) {
    case WM_GETICON:
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(object->Icon);
    case WM_PAINT: {
      if (object->Icon != nullptr && IsIconic(window)) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        DefWindowProcW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        DrawIcon(dc, 0, 0, object->Icon);
        EndPaint(window, &paint);
        return 0;
      }
      LRESULT result = object->CallPrevious(message, first, second);
      RECT client;
      GetClientRect(window, &client);
      HDC dc = GetDC(window);
      object->OnPaint(dc, client);
      ReleaseDC(window, dc);
      return result;
    }
    case WM_ERASEBKGND:
      if (IsIconic(window)) {
        return 1;
      }
      break;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, DWLP_USER, 0);
      if (object->Previous != nullptr) {
        CallWindowProcW(object->Previous, window, message, first, second);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->Previous));
        object->Previous = nullptr;
      }
      object->OnNcDestroy();
      return 0;
    }
    default:
      if (!IsDispatchedFirst(message)) {
        return object->CallPrevious(message, first, second);
      }
      break;
  }
  int32_t result = object->WindowProc(message, first, second);
  if (result != NotHandled) {
    return result;
  }
  return object->CallPrevious(message, first, second);
}
