// The real windows made in this process and driven with messages, as the loop and a
// user would.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/MainDialog.h"
#include "framework/Application.h"
#include "tests/TestFiles.h"
#include "tests/window/WindowTestFiles.h"

// The main dialog as the program entry makes it, on a disk whose write calls take 10 ms
// (a large file lasts while a test looks). The save-file dialog that every start asks
// for is taken out of the queue (and checked to be there): each test opens it itself.
class DialogUnderTest {
 public:
  DialogUnderTest();
  ~DialogUnderTest() { Close(); }

  MainDialog& Dialog() { return *Main; }
  FaultyFileSystem& Files() { return Disk; }
  HWND Window() const { return Handle; }
  HWND Control(int id) const { return GetDlgItem(Handle, id); }

  // Runs the queued messages through the loop's translation; true when the quit came.
  bool Pump();
  // Pumps until the data file is written (bounded).
  void FillToEnd();
  void PressKey(WPARAM key, bool repeated = false);
  // Opens the list, selects `position` and closes it, as a user does.
  void Pick(int id, int position);
  std::wstring ItemText(int id, int position) const;
  int Count(int id) const { return static_cast<int>(Ask(id, CB_GETCOUNT)); }
  int Selection(int id) const { return static_cast<int>(Ask(id, CB_GETCURSEL)); }
  bool Checked(int id) const { return Ask(id, BM_GETCHECK) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  // Closes the dialog with Escape's command and runs the loop to the quit message.
  void Close();

 private:
  LRESULT Ask(int id, UINT message) const { return SendMessageW(Control(id), message, 0, 0); }

  ::Application Application;
  FaultyFileSystem Disk;
  std::unique_ptr<MainDialog> Main;
  HWND Handle = nullptr;
  bool Closed = false;
};

// Waits on another thread for a dialog box of this process with the caption (a message
// box, the save-file dialog) and calls `act` with it there. Ends with the thread.
class DialogWatcher {
 public:
  DialogWatcher(const wchar_t* caption, std::function<void(HWND box)> act, DWORD limitMs = 10000);
  ~DialogWatcher() { Thread.join(); }
  bool Seen() const { return Found; }

 private:
  std::atomic<bool> Found{false};
  std::thread Thread;
};

inline std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}
// The static with the message; a box that has only just come up may not hold it yet.
inline std::wstring BoxText(HWND box) {
  wchar_t text[1024] = {};
  for (int wait = 0; wait < 50 && IsWindow(box); ++wait) {
    if (GetDlgItemTextW(box, 0xFFFF, text, 1024) > 0) {
      break;
    }
    Sleep(20);
  }
  return text;
}
// Chooses `path` in the save-file dialog; the text of the message that follows, if any.
std::wstring ChooseTarget(DialogUnderTest& dialog, const std::wstring& path);
inline void Press(HWND box, int button) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

// The highest place in the GDI table that 500 new brushes and contexts take. Wine hands
// out freed places first: objects lost in between push it higher.
uintptr_t HighestNewSlot();
