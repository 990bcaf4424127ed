#include "tests/window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/FileSystem.h"
#include "resources/ResourceIds.h"
#include "tests/window/FindWindow.h"

DialogUnderTest::DialogUnderTest() : Application(IDR_KEYS) {
  // The cursor away from the dialog: no hint comes up in the middle of a test.
  SetCursorPos(0, 0);
  Disk.WriteMilliseconds = 10;
  Disk.RealType = true;
  Main = std::make_unique<MainDialog>(Disk);
  Handle = Main->Handle();
  EXPECT_NE(Handle, nullptr);
  Application.SetWindows(Handle, Handle);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, Handle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>(IDC_CHOOSE_FILE));
}

bool DialogUnderTest::Pump() {
  bool quit = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    if (!Application.PreTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return quit;
}

void DialogUnderTest::FillToEnd() {
  for (DWORD start = GetTickCount();
       GetTickCount() - start < 60000 && Main->Handle() != nullptr && Checked(IDC_WRITE);) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  Pump();
}

void DialogUnderTest::PressKey(WPARAM key, bool repeated) {
  HWND target = GetFocus();
  if (target == nullptr || (target != Handle && !IsChild(Handle, target))) {
    target = Handle;
  }
  LPARAM flags = 1 | (repeated ? (1 << 30) : 0);
  PostMessageW(target, WM_KEYDOWN, key, flags);
  PostMessageW(target, WM_KEYUP, key, flags | (1u << 31) | (1 << 30));
  Pump();
}

void DialogUnderTest::Pick(int id, int position) {
  HWND list = Control(id);
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(list, CB_SETCURSEL, position, 0);
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
}

std::wstring DialogUnderTest::ItemText(int id, int position) const {
  wchar_t text[256] = {};
  if (SendMessageW(Control(id), CB_GETLBTEXTLEN, position, 0) < 256) {
    SendMessageW(Control(id), CB_GETLBTEXT, position, reinterpret_cast<LPARAM>(text));
  }
  return text;
}

void DialogUnderTest::Close() {
  if (Closed) {
    return;
  }
  Closed = true;
  if (Main->Handle() != nullptr) {
    SendMessageW(Handle, WM_COMMAND, IDCANCEL, 0);
  }
  EXPECT_TRUE(Pump()) << "no quit message after the dialog closed";
  Main.reset();
}

DialogWatcher::DialogWatcher(const wchar_t* caption, std::function<void(HWND box)> act,
                             DWORD limitMs) {
  std::wstring wanted = caption;
  Thread = std::thread([this, wanted, act, limitMs] {
    HWND box = nullptr;
    for (DWORD start = GetTickCount(); box == nullptr && GetTickCount() - start < limitMs;
         Sleep(10)) {
      box = FindVisibleWindow(GetCurrentProcessId(), wanted.c_str(), L"#32770");
    }
    if (box == nullptr) {
      return;
    }
    Sleep(50);  // let the box finish its start
    Found = true;
    // A box that is still up a while later did not take the action: again.
    for (int tries = 0; tries < 5 && IsWindow(box); ++tries) {
      act(box);
      for (int wait = 0; wait < 100 && IsWindow(box); ++wait) {
        Sleep(20);
      }
    }
  });
}

std::wstring ChooseTarget(DialogUnderTest& dialog, const std::wstring& path) {
  std::wstring text;
  DialogWatcher chooser(L"File for writing", [&](HWND box) {
    SetDlgItemTextW(box, 1148, path.c_str());
    Press(box, IDOK);
  });
  DialogWatcher message(
      L"ZQ347Fill",
      [&](HWND box) {
        text = BoxText(box);
        Press(box, IDOK);
      },
      3000);
  dialog.PressKey(VK_F4);
  EXPECT_TRUE(chooser.Seen());
  return text;
}

uintptr_t HighestNewSlot() {
  std::vector<HGDIOBJ> objects;
  for (int i = 0; i < 500; ++i) {
    objects.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    objects.push_back(CreateCompatibleDC(nullptr));
  }
  uintptr_t highest = 0;
  for (HGDIOBJ object : objects) {
    EXPECT_NE(object, nullptr);
    highest = std::max(highest, reinterpret_cast<uintptr_t>(object) & 0xFFFF);
    if (GetObjectType(object) == OBJ_MEMDC) {
      DeleteDC(static_cast<HDC>(object));
    } else {
      DeleteObject(object);
    }
  }
  return highest;
}
