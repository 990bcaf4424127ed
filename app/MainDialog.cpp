#include "app/MainDialog.h"

#include <cstdio>

#include "ProgramVersion.h"
#include "datafile/TargetFile.h"
#include "hints/HelpTexts.h"
#include "hints/HintTracker.h"
#include "platform/SystemText.h"
#include "recording/ListChoices.h"
#include "recording/SavedState.h"
#include "resources/ResourceIds.h"

namespace {

// The fill's thread tells the dialog with a posted message, which every loop passes on,
// the modal ones of a message box or of a moved window included.
constexpr UINT FillMessage = WM_APP + 1;
constexpr UINT_PTR StatusTimer = 1;
constexpr UINT StatusPeriod = 2000;  // ms
constexpr int32_t CentreOnScreen = -1000;
constexpr std::size_t MessageSize = 512;
constexpr const char* MessageCaption = "ZQ347Fill";

const MessageMapEntry MainDialogMap[] = {
    MAP_ROW_FIRST(WM_TIMER, 0, 0, MainDialog, OnTimer),
    MAP_ROW(WM_INITDIALOG, 0, 0, MainDialog, OnInitDialog),
    MAP_ROW(WM_DESTROY, 0, 0, MainDialog, OnDestroy),
    MAP_ROW(WM_MOVE, 0, 0, MainDialog, OnMove),
    MAP_ROW_FIRST(WM_ENABLE, 0, 0, MainDialog, OnEnable),
    MAP_ROW(WM_COMMAND, IDCANCEL, 0, MainDialog, OnCancel),
    MAP_ROW_FIRST(WM_COMMAND, IDC_WRITE, 0, MainDialog, OnWriteCommand),
    MAP_ROW(WM_COMMAND, IDC_CHOOSE_FILE, 0, MainDialog, OnChooseFileCommand),
    MAP_ROW(WM_COMMAND, IDC_A_AND_B, 0, MainDialog, OnSynchroCommand),
    MAP_ROW_BOTH(WM_COMMAND, 0, 0, MainDialog, OnControlCommand),
    MAP_ROW(FillMessage, 0, 0, MainDialog, OnFillAdvanced),
    MAP_END,
};

}  // namespace

MainDialog::MainDialog(FileSystem& files)
    : Files(files),
      Writer(files, *this, Configuration, Settings, Paths),
      Controls(Settings, Configuration),
      Status(files, Writer, Paths, Settings, Configuration) {
  LoadStartValues(Files, StartFiles(), Configuration, Settings, Paths);
  Writer.ComposeFileName();
  SetIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CARD)));
  if (CreateFromTemplate(IDD_MAIN, CentreOnScreen, CentreOnScreen, nullptr) != nullptr) {
    Show(SW_SHOWNORMAL);
  }
}

const MessageMapEntry* MainDialog::GetMessageMap() const {
  return MainDialogMap;
}

void MainDialog::OnNcDestroy() {
  Hints().HideHint();
  Dialog::OnNcDestroy();
}

// The panels have no painting of their own: whatever covered them is drawn again, the
// record as the last notice showed it on the disk.
void MainDialog::OnPaint(HDC, const RECT&) {
  if (!Writer.IsWriting()) {
    Status.UpdateDiskStatus(Hwnd, 0, 0);
    return;
  }
  Status.UpdateDiskStatus(Hwnd, Writer.TotalChunks(), Writer.ChunksOnDisk());
}

int32_t MainDialog::OnTimer(WPARAM) {
  KillTimer(Hwnd, StatusTimer);
  // While a file is written, the writer's notices refresh the panels.
  if (!Writer.IsWriting()) {
    Status.UpdateDiskStatus(Hwnd, 0, 0);
  }
  SetTimer(Hwnd, StatusTimer, StatusPeriod, nullptr);
  return 0;
}

int32_t MainDialog::OnInitDialog() {
  // Two blanks lead, as the logger's other tools show it.
  SetWindowTextA(Hwnd, "  ZQ347SD File Creator v" ZQ_VERSION " [ Sep  3 2021 ]");
  HMODULE module = GetModuleHandleW(nullptr);
  SendDlgItemMessageW(Hwnd, IDC_WRITE, BM_SETIMAGE, IMAGE_ICON,
                      reinterpret_cast<LPARAM>(LoadIconW(module, MAKEINTRESOURCEW(IDI_WRITE))));
  SendDlgItemMessageW(
      Hwnd, IDC_CHOOSE_FILE, BM_SETIMAGE, IMAGE_ICON,
      reinterpret_cast<LPARAM>(LoadIconW(module, MAKEINTRESOURCEW(IDI_CHOOSE_FILE))));
  Controls.InitParameterControls(Hwnd);
  EnableControls(true);
  Hints().Start(Hwnd, Configuration.HelpPreDelay, Configuration.HelpPostDelay, HelpTexts, PollHints,
                0);
  Status.UpdateDiskStatus(Hwnd, 0, 0);
  SetTimer(Hwnd, StatusTimer, StatusPeriod, nullptr);
  // Every run begins with the choice of the target file, once the loop runs.
  PostMessageW(Hwnd, WM_COMMAND, MAKEWPARAM(IDC_CHOOSE_FILE, 0), 0);
  return 0;
}

int32_t MainDialog::OnDestroy() {
  Controls.ReadParameterControls();
  KillTimer(Hwnd, StatusTimer);
  Writer.StopDataFile();
  // Saved before the quit message is posted: a message box would end at once on it.
  std::string unsaved = WriteSavedState(Files, SavedStateFileName, Settings, Paths);
  if (!unsaved.empty()) {
    ShowMessage(MB_ICONHAND, unsaved.c_str());
  }
  PostQuitMessage(0);
  return 0;
}

// A hint must not hang in the air where the dialog was.
int32_t MainDialog::OnMove() {
  Hints().HideHint();
  return NotHandled;
}

// Disabled, the dialog has a message box or the save-file dialog over it, which a
// topmost hint would cover.
int32_t MainDialog::OnEnable(WPARAM enabled) {
  if (enabled == FALSE) {
    Hints().HideHint();
  }
  return NotHandled;
}

// The file first: under Wine the window takes 2 s to reach WM_DESTROY, while the fill
// would go on.
int32_t MainDialog::OnCancel() {
  Writer.StopDataFile();
  DestroyWindow(Hwnd);
  return 0;
}

int32_t MainDialog::OnWriteCommand(WPARAM first) {
  HWND button = GetDlgItem(Hwnd, IDC_WRITE);
  bool fromKey = HIWORD(first) != 0;
  if (fromKey) {
    // The accelerator does not press the button itself.
    bool checked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(button, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  }
  if (SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    Writer.StopDataFile();
    Writer.ComposeFileName();
    return 0;
  }
  if (Writer.IsWriting()) {
    return 0;
  }

  Controls.CloseDropDowns();
  Controls.ReadParameterControls();
  std::string missing = ListWithoutChoice(Settings);
  if (!missing.empty()) {
    char text[MessageSize];
    std::snprintf(text, sizeof text,
                  "The \"%s\" list shows no choice.\nChoose an entry in it, then start "
                  "writing again.",
                  missing.c_str());
    // Released first: nothing is written while the message is up.
    ReleaseWriteButton();
    ShowMessage(MB_ICONHAND, text);
    return 0;
  }
  ChannelList list;
  Controls.RebuildRateList(false, &list);
  int32_t count = list.Count;
  if (count == 0) {
    ReleaseWriteButton();
    ShowMessage(MB_ICONHAND,
                "No A channel is switched on.\nChoose a range for at least one A channel, then "
                "start writing again.");
    return 0;
  }
  // The name follows the record number as it is now, even if no list closed up.
  Writer.ComposeFileName();
  Status.ShowPlan();
  switch (Writer.StartDataFile(list, count)) {
    case StartOutcome::Started:
      Status.FileStarted();
      EnableControls(false);
      break;
    case StartOutcome::Refused:
    case StartOutcome::NotStarted:
      ReleaseWriteButton();
      break;
  }
  return 0;
}

int32_t MainDialog::OnChooseFileCommand() {
  Writer.StopDataFile();
  Writer.ComposeFileName();
  Status.UpdateDiskStatus(Hwnd, 0, 0);
  std::string problem;
  if (!ChooseTargetFile(Hwnd, Files, Configuration, Paths, problem)) {
    if (!problem.empty()) {
      ShowMessage(MB_ICONHAND, problem.c_str());
    }
    return 0;
  }
  Controls.ReadParameterControls();
  Writer.ComposeFileName();
  Controls.RebuildRateList(false);
  Status.ShowPlan();
  Status.UpdateDiskStatus(Hwnd, 0, 0);
  return 0;
}

int32_t MainDialog::OnSynchroCommand() {
  // The parameter controls are disabled while a file is written; their state must
  // not change under it.
  if (!Writer.IsWriting()) {
    Controls.OnSynchroCommand();
    EnableControls(true);
    Status.ShowPlan();
    Status.UpdateDiskStatus(Hwnd, 0, 0);
  }
  return 0;
}

int32_t MainDialog::OnControlCommand(WPARAM first, LPARAM) {
  if (Writer.IsWriting() || !Controls.OnControlCommand(first)) {
    return 0;
  }
  Writer.ComposeFileName();
  Status.ShowPlan();
  Status.UpdateDiskStatus(Hwnd, 0, 0);
  EnableControls(true);
  return 0;
}

// On the fill's thread.
void MainDialog::FillAdvanced() {
  if (!FillPosted.exchange(true)) {
    PostMessageW(Hwnd, FillMessage, 0, 0);
  }
}

int32_t MainDialog::OnFillAdvanced() {
  FillPosted = false;  // first: what the thread does from now on posts again
  HoldProgress = true;
  Writer.WriteInBackground();
  HoldProgress = false;
  DrawHeldProgress();
  return 0;
}

void MainDialog::WriterProgress(uint32_t total, uint32_t done) {
  if (HoldProgress) {
    ProgressHeld = true;
    HeldTotal = total;
    HeldDone = done;
    return;
  }
  Status.UpdateDiskStatus(Hwnd, total, done);
}

void MainDialog::DrawHeldProgress() {
  if (ProgressHeld) {
    ProgressHeld = false;
    Status.UpdateDiskStatus(Hwnd, HeldTotal, HeldDone);
  }
}

void MainDialog::WriterStopped() {
  DrawHeldProgress();
  ReleaseWriteButton();
  EnableControls(true);
  Status.FileClosed();
  Status.UpdateDiskStatus(Hwnd, 0, 0);
}

bool MainDialog::ConfirmReplace(const char* question) {
  return ShowMessage(MB_YESNO | MB_ICONQUESTION, question) == IDYES;
}

void MainDialog::WriterFailed(WriterFailure kind, const char* text) {
  DrawHeldProgress();  // the panels under the box show where the file ended
  if (kind == WriterFailure::WriteFailed) {
    Status.FileFailed();
    Status.UpdateDiskStatus(Hwnd, 0, 0);
  }
  if (text[0] != '\0') {
    ShowMessage(MB_ICONHAND, text);
  }
}

int MainDialog::ShowMessage(uint32_t style, const char* text) {
  HWND focus = GetFocus();
  // Task-modal: the dialog cannot be used, nor this handler re-entered, meanwhile.
  int answer = MessageBoxW(nullptr, Utf16ForDisplay(text).c_str(),
                           Utf16ForDisplay(MessageCaption).c_str(), style | MB_TASKMODAL);
  if (focus != nullptr && IsWindow(focus)) {
    SetFocus(focus);
  }
  return answer;
}

void MainDialog::EnableControls(bool enable) {
  Controls.EnableRecordingControls(enable, Settings.SynchroMode != 0, Writer.TotalChunks() == 0);
}

void MainDialog::ReleaseWriteButton() {
  CheckDlgButton(Hwnd, IDC_WRITE, BST_UNCHECKED);
}
