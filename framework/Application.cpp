#include "framework/Application.h"

namespace {

constexpr LPARAM RepeatBit = 1 << 30;  // the key was already down

}  // namespace

Application::Application(int32_t acceleratorId) {
  if (acceleratorId == 0) {
    return;
  }
  Accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(acceleratorId));
  ACCEL entries[KeyCapacity];
  int count =
      Accelerators != nullptr ? CopyAcceleratorTableW(Accelerators, entries, KeyCapacity) : 0;
  for (int i = 0; i < count; ++i) {
    if ((entries[i].fVirt & FVIRTKEY) != 0) {
      Keys[KeyCount++] = entries[i].key;
    }
  }
}

void Application::SetWindows(HWND acceleratorTarget, HWND navigationWindow) {
  AcceleratorTarget = acceleratorTarget;
  NavigationWindow = navigationWindow;
}

bool Application::IsAcceleratorKey(WPARAM key) const {
  for (int32_t i = 0; i < KeyCount; ++i) {
    if (Keys[i] == key) {
      return true;
    }
  }
  return false;
}

bool Application::PreTranslate(MSG& message) {
  if (AcceleratorTarget != nullptr && Accelerators != nullptr) {
    // A held accelerator key acts once: its auto-repeated key-downs are dropped, so a
    // held toggle key cannot switch on and at once off again.
    bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (keyDown && (message.lParam & RepeatBit) != 0 && IsAcceleratorKey(message.wParam)) {
      return true;
    }
    if (TranslateAcceleratorW(AcceleratorTarget, Accelerators, &message)) {
      return true;
    }
  }
  return NavigationWindow != nullptr && IsDialogMessageW(NavigationWindow, &message);
}

int Application::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
