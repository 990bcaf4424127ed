// Registration of a window class whose windows are bound to Window objects.
#pragma once

#include <windows.h>

#include <cstdint>

class WindowClass {
 public:
  static constexpr int32_t NameSize = 50;  // 49 characters and the NUL

  virtual ~WindowClass() = default;
  // Lets a derived record set the style, icon, cursor, background and menu.
  virtual void FillClass(WNDCLASSEXW& description) = 0;

  // An empty or missing name gives "MicroMFCMainClass"; longer names are cut.
  void SetName(const char* name);
  const char* GetName() const { return Name; }
  // A name already registered fails without harm.
  bool Register();

 private:
  char Name[NameSize] = {};
};
