// The message loop: accelerators first, then dialog keyboard navigation, then
// dispatch.
#pragma once

#include <windows.h>

#include <cstdint>

class Application {
 public:
  // 0: no accelerator table; otherwise the table is loaded from the program.
  explicit Application(int32_t acceleratorId);
  ~Application() = default;  // a loaded table goes with the program
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  void SetWindows(HWND acceleratorTarget, HWND navigationWindow);
  // Runs until the quit message; returns its exit code.
  int Run();

  // True when the message was consumed by the accelerators or the dialog manager.
  bool PreTranslate(MSG& message);

 protected:
  HACCEL Accelerators = nullptr;
  HWND AcceleratorTarget = nullptr;
  HWND NavigationWindow = nullptr;

 private:
  bool IsAcceleratorKey(WPARAM key) const;

  static constexpr int32_t KeyCapacity = 32;
  WORD Keys[KeyCapacity] = {};
  int32_t KeyCount = 0;
};
