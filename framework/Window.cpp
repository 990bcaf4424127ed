#include "framework/Window.h"

#include "framework/WindowClass.h"

namespace {

constexpr int32_t CentreBelow = -999;
constexpr int32_t KeepBelow = -9999;
constexpr int TitleSize = 100;  // 99 characters and the NUL

Window* BoundObject(HWND window) {
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, 0));
}

// Centres when asked, then keeps the window on an axis of `room` pixels; with no room
// at all the window starts at 0.
int32_t PlaceOnAxis(int32_t position, int32_t room) {
  if (position < CentreBelow) {
    position = room >= 0 ? room / 2 : -((-room + 1) / 2);  // rounded towards minus infinity
  }
  if (position < 0 || room < 0) {
    return 0;
  }
  return position > room ? room : position;
}

}  // namespace

int32_t Window::WindowProc(UINT message, WPARAM first, LPARAM second) {
  return DispatchThroughMap(*this, GetMessageMap(), message, first, second);
}

int Window::TitledMessageBox(const wchar_t* text, UINT type) {
  wchar_t title[TitleSize] = {};
  if (Hwnd != nullptr) {
    GetWindowTextW(Hwnd, title, TitleSize);
  }
  HWND focus = GetFocus();
  int answer = MessageBoxW(Hwnd, text, title, type);
  if (focus != nullptr && IsWindow(focus)) {
    SetFocus(focus);
  }
  return answer;
}

void Window::MoveTo(int32_t x, int32_t y) {
  if (Hwnd == nullptr) {
    return;
  }
  RECT rectangle;
  GetWindowRect(Hwnd, &rectangle);
  if (x < KeepBelow && y < KeepBelow) {
    x = rectangle.left;
    y = rectangle.top;
  }
  int32_t width = rectangle.right - rectangle.left;
  int32_t height = rectangle.bottom - rectangle.top;
  x = PlaceOnAxis(x, GetSystemMetrics(SM_CXSCREEN) - width);
  y = PlaceOnAxis(y, GetSystemMetrics(SM_CYSCREEN) - height);
  // The size is kept in both cases: a hidden window must not become 0 by 0.
  UINT flags = IsWindowVisible(Hwnd) ? SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOSIZE
                                     : SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(Hwnd, nullptr, x, y, 0, 0, flags);
}

HWND Window::Create(WindowClass& windowClass, const wchar_t* title, DWORD style,
                    DWORD extendedStyle, int32_t x, int32_t y, int32_t width, int32_t height,
                    HWND parent, HMENU menu) {
  wchar_t className[WindowClass::NameSize];
  const char* name = windowClass.GetName();
  for (int32_t i = 0; i < WindowClass::NameSize; ++i) {
    className[i] = static_cast<unsigned char>(name[i]);
  }
  Hwnd = CreateWindowExW(extendedStyle, className, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleW(nullptr), this);
  if (Hwnd != nullptr) {
    MoveTo(x, y);
  }
  return Hwnd;
}

void Window::Show(int command) {
  if (Hwnd != nullptr) {
    ShowWindow(Hwnd, command);
    UpdateWindow(Hwnd);
  }
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM first, LPARAM second) {
  Window* object = BoundObject(window);
  switch (message) {
    case WM_NCCREATE: {
      auto* creation = reinterpret_cast<CREATESTRUCTW*>(second);
      object = static_cast<Window*>(creation->lpCreateParams);
      SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(object));
      if (object != nullptr) {
        object->Hwnd = window;
      }
      break;
    }
    case WM_PAINT:
      if (object != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        object->OnPaint(dc, client);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, 0, 0);
      LRESULT result = DefWindowProcW(window, message, first, second);
      if (object != nullptr) {
        object->OnNcDestroy();
      }
      return result;
    }
    default:
      break;
  }
  if (object != nullptr) {
    int32_t result = object->WindowProc(message, first, second);
    if (result != NotHandled) {
      return result;
    }
  }
  return DefWindowProcW(window, message, first, second);
}
