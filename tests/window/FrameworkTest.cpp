// The framework's calls beyond what the program makes of them: placing a window, a
// window with a menu, a dialog with an owner, and the message box titled with a
// window's text.
#include <gtest/gtest.h>

#include "framework/Dialog.h"
#include "framework/WindowClass.h"
#include "resources/ResourceIds.h"
#include "tests/TestFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

struct PlainClass : WindowClass {
  void FillClass(WNDCLASSEXW&) override {}
};

TEST(Framework, PlacesOwnsAndTitlesWindowsAndGivesTheFocusBackAfterAMessageBox) {
  FreshFolder folder;
  DialogUnderTest dialog;
  RECT before, after;
  GetWindowRect(dialog.Window(), &before);
  ShowWindow(dialog.Window(), SW_HIDE);
  dialog.Dialog().MoveTo(5, -5000);
  GetWindowRect(dialog.Window(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(after.left, 5);
  EXPECT_EQ(after.top, (GetSystemMetrics(SM_CYSCREEN) - (after.bottom - after.top)) / 2);
  dialog.Dialog().MoveTo(100000, -3);  // kept on the screen
  GetWindowRect(dialog.Window(), &after);
  EXPECT_EQ(after.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(after.top, 0);
  ShowWindow(dialog.Window(), SW_SHOW);

  PlainClass record;
  record.SetName("FrameworkTestClass");
  ASSERT_TRUE(record.Register());
  const wchar_t* title = L"\x0417\x0430\x043F\x0438\x0441\x044C";  // Cyrillic on any code page
  HMENU menu = CreateMenu();
  Window window;
  window.Create(record, title, WS_OVERLAPPEDWINDOW, 0, 10, 10, 300, 200, dialog.Window(), menu);
  EXPECT_EQ(GetMenu(window.Handle()), menu);
  Dialog owned;
  owned.CreateFromTemplate(IDD_MAIN, -1000, -1000, window.Handle());
  EXPECT_EQ(GetWindow(owned.Handle(), GW_OWNER), window.Handle());
  DestroyWindow(owned.Handle());

  SetFocus(dialog.Control(IDC_RATE));
  DialogWatcher watcher(title, [](HWND box) { Press(box, IDOK); });
  EXPECT_EQ(window.TitledMessageBox(L"\x0422\x0435\x043A\x0441\x0442", MB_OK), IDOK);
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ(GetFocus(), dialog.Control(IDC_RATE));
  DestroyWindow(window.Handle());
  EXPECT_EQ(window.Handle(), nullptr);  // unbound at its last message
}

}  // namespace
