// Drives the real program from another process for the fill benchmark: starts it in
// a folder that already holds its choices, keeps the start folder in the save-file
// dialog, presses F2 and asks the dialog again and again while the file is filled.
// Prints one line: seconds from F2 to the released button, the program's peak memory
// (KiB), the answer time of the question that waited for F2's own work, then every
// answer time while filling (ms). With --message, a second line gives the text of the
// message box that the program shows after the file, or "message: none", and a third
// those it shows as it closes, if any, each answered with OK.
//   GuiDriver PROGRAM FOLDER [--message]
// With --interrupt, a second of the fill later it moves the dialog, stops the file with
// F2, starts the next one and a second later leaves with Escape; prints the ms each
// took to be done, and then until the program had ended ("interrupt: move M stop S
// escape E exit X").
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr wchar_t MainCaption[] = L"  ZQ347SD File Creator v4.2 [ Sep  3 2021 ]";
constexpr wchar_t ChooserCaption[] = L"File for writing";
constexpr int WriteButton = 1010;
constexpr DWORD WaitLimitMs = 20000;
constexpr UINT AnswerLimitMs = 5000;
constexpr DWORD QuestionPauseMs = 5;

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

HWND WaitForWindow(const wchar_t* caption) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < WaitLimitMs) {
    HWND window = FindWindowW(L"#32770", caption);
    if (window != nullptr && IsWindowVisible(window)) {
      return window;
    }
    Sleep(10);
  }
  return nullptr;
}

// One round trip to the dialog's thread, in ms; a negative value when it did not answer.
double AnswerTime(HWND dialog, LRESULT* checked) {
  DWORD_PTR result = 0;
  double start = Now();
  if (!SendMessageTimeoutW(GetDlgItem(dialog, WriteButton), BM_GETCHECK, 0, 0, SMTO_NORMAL,
                           AnswerLimitMs, &result)) {
    return -1;
  }
  *checked = static_cast<LRESULT>(result);
  return (Now() - start) * 1000;
}

int Fail(const char* text) {
  std::fprintf(stderr, "GuiDriver: %s\n", text);
  return 1;
}

void PressKey(HWND dialog, WPARAM key) {
  PostMessageW(dialog, WM_KEYDOWN, key, 1);
  PostMessageW(dialog, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

// Milliseconds until `done` holds; negative when it did not within the wait limit.
template <typename Done>
double MsUntil(Done done) {
  double start = Now();
  while (!done()) {
    if (Now() - start > WaitLimitMs / 1000.0) {
      return -1;
    }
    Sleep(1);
  }
  return (Now() - start) * 1000;
}

bool Checked(HWND dialog) {
  LRESULT checked = BST_UNCHECKED;
  return AnswerTime(dialog, &checked) >= 0 && checked == BST_CHECKED;
}

// A move, a stop and an exit, each while a file fills.
int Interrupt(HWND dialog, HANDLE process) {
  Sleep(1000);
  RECT before;
  GetWindowRect(dialog, &before);
  // Asynchronous: the dialog's own thread must take the move.
  SetWindowPos(dialog, nullptr, before.left + 16, before.top + 16, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  double move = MsUntil([&] {
    RECT now;
    return GetWindowRect(dialog, &now) && now.left == before.left + 16;
  });
  PressKey(dialog, VK_F2);
  double stop = MsUntil([&] { return !Checked(dialog); });
  PressKey(dialog, VK_F2);
  if (MsUntil([&] { return Checked(dialog); }) < 0) {
    return Fail("F2 did not start the second file");
  }
  Sleep(1000);
  PressKey(dialog, VK_ESCAPE);
  double escape = MsUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
  double ended = MsUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
  std::printf("interrupt: move %.1f stop %.1f escape %.1f exit %.1f\n", move, stop, escape, ended);
  return move < 0 || stop < 0 || escape < 0 || ended < 0 ? 1 : 0;
}

// The text of the program's message box, closed with OK once it is gone; empty when
// none came within `limitMs` or before `process` ended.
std::wstring TakeMessage(DWORD limitMs, HANDLE process = nullptr) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < limitMs &&
         (process == nullptr || WaitForSingleObject(process, 0) == WAIT_TIMEOUT)) {
    HWND box = FindWindowW(L"#32770", L"ZQ347Fill");
    if (box != nullptr) {
      wchar_t text[1024] = L"";
      GetDlgItemTextW(box, 0xFFFF, text, 1024);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      // Not to take the same box twice.
      while (IsWindow(box) && GetTickCount() - start < limitMs) {
        Sleep(10);
      }
      return text;
    }
    Sleep(20);
  }
  return L"";
}

// Every box the program shows until it ends, each answered with OK; their texts.
std::wstring TakeMessagesUntilEnd(HANDLE process) {
  std::wstring texts;
  for (std::wstring text; !(text = TakeMessage(WaitLimitMs, process)).empty();) {
    texts += (texts.empty() ? L"" : L" | ") + text;
  }
  return texts;
}

}  // namespace

int main(int argc, char** argv) {
  bool message = argc == 4 && std::strcmp(argv[3], "--message") == 0;
  bool interrupt = argc == 4 && std::strcmp(argv[3], "--interrupt") == 0;
  if (argc != 3 && !message && !interrupt) {
    return Fail("usage: GuiDriver PROGRAM FOLDER [--message | --interrupt]");
  }
  std::string command = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, argv[2], &startup,
                      &process)) {
    return Fail("the program does not start");
  }
  HWND chooser = WaitForWindow(ChooserCaption);
  if (chooser == nullptr) {
    return Fail("no save-file dialog");
  }
  PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);  // keep the start folder
  HWND dialog = WaitForWindow(MainCaption);
  if (dialog == nullptr) {
    return Fail("no main dialog");
  }
  while (IsWindow(chooser) && IsWindowVisible(chooser)) {
    Sleep(10);
  }

  // The program settles after its start before the fill is timed.
  LRESULT checked = BST_UNCHECKED;
  double settle = Now();
  while (Now() - settle < WaitLimitMs / 1000.0) {
    double answer = AnswerTime(dialog, &checked);
    if (answer >= 0 && answer < 1.0) {
      break;
    }
    Sleep(50);
  }
  double start = Now();
  PressKey(dialog, VK_F2);
  if (interrupt) {
    if (MsUntil([&] { return Checked(dialog); }) < 0) {
      return Fail("F2 did not start a file");
    }
    int code = Interrupt(dialog, process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
  }
  std::vector<double> answers;
  bool started = false;
  double startAnswer = 0;
  for (;;) {
    double answer = AnswerTime(dialog, &checked);
    if (answer < 0) {
      return Fail("the dialog does not answer");
    }
    if (started && checked != BST_CHECKED) {
      break;
    }
    if (started) {
      answers.push_back(answer);
      Sleep(QuestionPauseMs);  // a question now and then, not a load of its own
    } else if (checked == BST_CHECKED) {
      // This question waited while F2 created the file and disabled the controls.
      started = true;
      startAnswer = answer;
    } else if (Now() - start > WaitLimitMs / 1000.0) {
      return Fail("F2 did not start a file");
    }
  }
  double seconds = Now() - start;
  // On a failing card the box may come seconds after the button, while the disk panel
  // asks the card.
  std::wstring text = message ? TakeMessage(WaitLimitMs) : L"";
  if (message) {
    // Wine answers again only a while after a message box closes.
    while (AnswerTime(dialog, &checked) < 0) {
    }
  }

  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  // A card that failed may not take the saved choices either: the program says so as
  // it closes, which under Wine comes seconds after Escape.
  std::wstring closing = message ? TakeMessagesUntilEnd(process.hProcess) : L"";
  bool ended = WaitForSingleObject(process.hProcess, WaitLimitMs) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(process.hProcess, 1);  // a test must fail, not hang on it
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!ended) {
    return Fail("the program did not end after Escape");
  }

  if (answers.empty()) {
    answers.push_back(0);
  }
  std::printf("%.3f %zu %.2f", seconds, static_cast<std::size_t>(memory.PeakWorkingSetSize / 1024),
              startAnswer);
  for (double answer : answers) {
    std::printf(" %.2f", answer);
  }
  std::printf("\n");
  if (message) {
    for (std::wstring* said : {&text, &closing}) {
      for (wchar_t& c : *said) {
        c = c == L'\n' || c == L'\r' ? L' ' : c;
      }
    }
    std::printf("message: %ls\n", text.empty() ? L"none" : text.c_str());
    if (!closing.empty()) {
      std::printf("message at the close: %ls\n", closing.c_str());
    }
  }
  return 0;
}
