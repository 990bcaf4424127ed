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

// A new empty folder that is the current directory while the object lives; its name
// ends with `suffix` (UTF-8, as paths are inside the program).
class FreshFolder {
 public:
  explicit FreshFolder(const std::string& suffix = "");
  ~FreshFolder();
  const std::string& Path() const { return Folder; }
  // The path of a file in the folder.
  std::string File(const char* name) const { return Folder + "\\" + name; }

 private:
  std::string Previous;
  std::string Folder;
};

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
  int Count(int id) const;
  int Selection(int id) const;
  bool Checked(int id) const;
  bool Enabled(int id) const;
  // Closes the dialog with Escape's command and runs the loop to the quit message.
  void Close();

 private:
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

// The text of a message box.
std::wstring BoxText(HWND box);
// Chooses `path` in the save-file dialog; the text of the message that follows, if any.
std::wstring ChooseTarget(DialogUnderTest& dialog, const std::wstring& path);
// Presses a button of a dialog box, e.g. IDYES.
void Press(HWND box, int button);

// Reads a whole file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& name);
// The UTF-16 form of a UTF-8 name, and back, for the W functions.
std::wstring Wide(const std::string& name);
std::string Narrow(const std::wstring& name);
std::string CurrentDirectory();
