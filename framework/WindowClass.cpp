#include "framework/WindowClass.h"

#include <cstring>

#include "framework/Window.h"

void WindowClass::SetName(const char* name) {
  if (name == nullptr || name[0] == '\0') {
    name = "MicroMFCMainClass";
  }
  std::strncpy(Name, name, NameSize - 1);
  Name[NameSize - 1] = '\0';
}

bool WindowClass::Register() {
  WNDCLASSEXW description = {};
  description.cbSize = sizeof description;
  description.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  description.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillClass(description);

  // Class names are ASCII.
  wchar_t wideName[NameSize];
  for (int32_t i = 0; i < NameSize; ++i) {
    wideName[i] = static_cast<unsigned char>(Name[i]);
  }
  description.lpszClassName = wideName;
  description.lpfnWndProc = Window::WindowProcedure;
  description.cbWndExtra = sizeof(LONG_PTR);  // the bound object, whole on 64-bit
  description.hInstance = GetModuleHandleW(nullptr);
  return RegisterClassExW(&description) != 0;
}
