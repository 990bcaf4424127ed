// The program entry: one dialog, one loop, exit code -2 when the dialog cannot be made.
#include <windows.h>

#include "app/MainDialog.h"
#include "framework/Application.h"
#include "resources/ResourceIds.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A card reader without a card must not raise a system box inside a repaint.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  Application application(IDR_KEYS);
  int exitCode = -2;
  MainDialog dialog(SystemFileSystem());
  HWND window = dialog.Handle();
  if (window != nullptr) {
    application.SetWindows(window, window);
    exitCode = application.Run();
  }
  if (dialog.Handle() != nullptr && IsWindow(dialog.Handle())) {
    DestroyWindow(dialog.Handle());
  }
  return exitCode;
}
