// Helpers for tests that create the real windows in this process and drive them
// with messages, as the message loop and a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/MainApplication.h"
#include "app/MainDialog.h"
#include "tests/window/WindowTestFiles.h"

// The main dialog as the program entry makes it, with the loop's translation of keys.
// The save-file dialog that every start opens is taken out of the queue (and checked
// to be there), so each test decides when to open it.
class DialogUnderTest {
 public:
  DialogUnderTest();
  ~DialogUnderTest();

  MainDialog& Dialog() { return *Main; }
  HWND Window() const { return Handle; }
  HWND Control(int id) const { return GetDlgItem(Handle, id); }

  // Runs the queued messages through the loop's translation; true when the quit
  // message came.
  bool Pump();
  // Pumps and runs idle steps until the data file is written (bounded).
  void FillToEnd();
  // Presses a key on the focused control (or the dialog) through the loop.
  void PressKey(WPARAM key, bool repeated = false);
  // "The user picked `position`" in a closed list: opens it, selects and closes it.
  void Pick(int id, int position);
  // The whole text of list item `position`.
  std::wstring ItemText(int id, int position) const;
  int Count(int id) const { return static_cast<int>(Ask(id, CB_GETCOUNT)); }
  int Selection(int id) const { return static_cast<int>(Ask(id, CB_GETCURSEL)); }
  bool Checked(int id) const { return Ask(id, BM_GETCHECK) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
  // Closes the dialog with Escape's command and runs the loop to the quit message.
  void Close();

 private:
  LRESULT Ask(int id, UINT message) const { return SendMessageW(Control(id), message, 0, 0); }

  MainApplication Application;
  std::unique_ptr<MainDialog> Main;
  HWND Handle = nullptr;
  bool Closed = false;
};

// Waits on another thread (10 s unless told) for a dialog box of this process with the
// given caption, such as a message box or the save-file dialog, and calls `act` with
// it there. The destructor waits for the thread.
class DialogWatcher {
 public:
  DialogWatcher(const wchar_t* caption, std::function<void(HWND box)> act, DWORD limitMs = 10000);
  ~DialogWatcher();
  bool Seen() const { return *Found; }

 private:
  std::shared_ptr<bool> Found;
  std::thread Thread;
};

// The text of a window, and of a message box.
std::wstring WindowText(HWND window);
std::wstring BoxText(HWND box);
// Chooses `path` in the save-file dialog; the text of the message that follows, if any.
std::wstring ChooseTarget(DialogUnderTest& dialog, const std::wstring& path);
// Presses a button of a dialog box, e.g. IDYES.
void Press(HWND box, int button);

// Makes 500 brushes and 500 memory contexts, frees them, and returns the highest place
// in the process's GDI table they took. Wine hands out freed places first: objects
// that something lost in between land higher.
uintptr_t HighestNewSlot();
