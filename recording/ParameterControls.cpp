#include "recording/ParameterControls.h"

#include "recording/ListChoices.h"
#include "recording/ListLabels.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int32_t ChannelsPerList = 8;  // each id block serves eight channels
constexpr int32_t ModeButtons[] = {IDC_RESET_MUL, IDC_LOOP_RECORD, IDC_A_AND_B, IDC_BIT0};
constexpr int32_t DropDownRows = 16;
constexpr int32_t ListBorders = 2;  // pixels above and below the rows of an open list

bool IsChannelList(int32_t id) {
  return id >= IDC_CHANNEL_A1 && id <= IDC_LAST_CHANNEL;
}

// The 0-based channel and group a channel list serves.
void ChannelOf(int32_t id, int32_t& channel, bool& groupB) {
  int32_t block = (id - IDC_CHANNEL_A1) / ChannelsPerList;  // A1-8, B1-8, A9-16, B9-16
  channel = (id - IDC_CHANNEL_A1) % ChannelsPerList + (block >= 2 ? ChannelsPerList : 0);
  groupB = block == 1 || block == 3;
}

int32_t ListIdOf(int32_t channel, bool groupB) {
  int32_t base = channel < ChannelsPerList ? (groupB ? IDC_CHANNEL_B1 : IDC_CHANNEL_A1)
                                           : (groupB ? IDC_CHANNEL_B9 : IDC_CHANNEL_A9);
  return base + channel % ChannelsPerList;
}

bool IsList(int32_t id) {
  return id == IDC_RATE || id == IDC_SIZE_TIME || id == IDC_RECORD_NUMBER || IsChannelList(id);
}

void AddItem(HWND list, const std::string& text) {
  SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool AnyChannelOn(const RecordingSettings& settings, int32_t& enabledA) {
  bool any = false;
  enabledA = 0;
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    any = any || settings.ChAIndex[k] != 0 || settings.ChBIndex[k] != 0;
    enabledA += settings.ChAIndex[k] != 0 ? 1 : 0;
  }
  return any;
}

}  // namespace

ParameterControls::~ParameterControls() {
  if (ParameterFont != nullptr) {
    DeleteObject(ParameterFont);
  }
}

void ParameterControls::InitParameterControls(HWND dialog) {
  Dialog = dialog;
  HDC dc = GetDC(Dialog);
  int height = GetDeviceCaps(dc, LOGPIXELSY) * 10 / 72;
  ReleaseDC(Dialog, dc);
  ParameterFont = CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                              FIXED_PITCH | FF_MODERN, "Courier");
  for (int32_t id = IDC_RATE; id <= IDC_LAST_CHANNEL; ++id) {
    if (IsList(id)) {
      SendDlgItemMessageA(Dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(ParameterFont), FALSE);
    }
  }

  const int32_t modes[] = {Settings.ZeroMul, Settings.CycleMode, Settings.SynchroMode,
                           Settings.DigitalBIT0};
  for (int32_t i = 0; i < 4; ++i) {
    CheckDlgButton(Dialog, ModeButtons[i], modes[i] != 0 ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(Dialog, IDC_WRITE, BST_UNCHECKED);

  VisibleRateList visible = SettleSavedChoices(Settings, Configuration);
  FillRangeLists();
  FillSizeTimeList(IDC_SIZE_TIME, Settings.SizeIndex);
  FillRecordNumberList(IDC_RECORD_NUMBER, 1, RecordNumbers, Settings.FileNumber);
  ShowRates(visible);
  ReadParameterControls();
}

void ParameterControls::ReadParameterControls() {
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    Settings.ChAIndex[i] = SelectionOf(IDC_CHANNEL_A1 + i);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    Settings.ChAIndex[ChannelsPerList + i] = SelectionOf(IDC_CHANNEL_A9 + i);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    Settings.ChBIndex[i] = SelectionOf(IDC_CHANNEL_B1 + i);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    Settings.ChBIndex[ChannelsPerList + i] = SelectionOf(IDC_CHANNEL_B9 + i);
  }
  Settings.FreqIndex = SelectionOf(IDC_RATE);
  Settings.SizeIndex = SelectionOf(IDC_SIZE_TIME);
  Settings.FileNumber = SelectionOf(IDC_RECORD_NUMBER);
  int32_t* modes[] = {&Settings.ZeroMul, &Settings.CycleMode, &Settings.SynchroMode,
                      &Settings.DigitalBIT0};
  for (int32_t i = 0; i < 4; ++i) {
    *modes[i] = IsDlgButtonChecked(Dialog, ModeButtons[i]) == BST_CHECKED ? 1 : 0;
  }
}

void ParameterControls::RebuildRateList(bool takeIndex, ChannelList* list) {
  ShowRates(SettleRate(Settings, Configuration, takeIndex, list));
}

void ParameterControls::ShowRates(const VisibleRateList& visible) {
  HWND rates = GetDlgItem(Dialog, IDC_RATE);
  SendMessageA(rates, CB_RESETCONTENT, 0, 0);
  for (int32_t i = 0; i < visible.Count; ++i) {
    AddItem(rates, RateLabel(visible.Rates[i].Displayed));
  }
  Select(IDC_RATE, Settings.FreqIndex);
  FitDropDown(IDC_RATE);
}

void ParameterControls::ShowRangeSelections() {
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    Select(ListIdOf(k, false), Settings.ChAIndex[k]);
    Select(ListIdOf(k, true), Settings.ChBIndex[k]);
  }
}

bool ParameterControls::OnControlCommand(WPARAM first) {
  int32_t id = LOWORD(first);
  int32_t notification = HIWORD(first);
  bool keyboardChoice = false;
  if (notification == CBN_SELCHANGE && FieldOf(id) != nullptr) {
    // Arrow keys on a closed list choose without a close-up.
    HWND list = GetDlgItem(Dialog, id);
    keyboardChoice =
        SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) == FALSE && SelectionOf(id) != *FieldOf(id);
  }
  if (notification != CBN_CLOSEUP && !keyboardChoice) {
    return false;
  }
  ReadParameterControls();
  RebuildRateList(id == IDC_RATE);
  if (id == IDC_RECORD_NUMBER) {
    RestartNumbering(Configuration);
  }
  ::SyncChannelB(Settings);
  ShowRangeSelections();
  return true;
}

void ParameterControls::OnSynchroCommand() {
  ReadParameterControls();
  ::SyncChannelB(Settings);
  ShowRangeSelections();
}

void ParameterControls::EnableRecordingControls(bool enable, bool synchro, bool writerIdle) {
  const int32_t choices[] = {IDC_RATE,        IDC_SIZE_TIME, IDC_RECORD_NUMBER,
                             IDC_LOOP_RECORD, IDC_A_AND_B,   IDC_BIT0};
  for (int32_t id : choices) {
    EnableWindow(GetDlgItem(Dialog, id), enable);
  }
  for (int32_t k = 0; k < ChannelsPerGroup; ++k) {
    EnableWindow(GetDlgItem(Dialog, ListIdOf(k, false)), enable);
    EnableWindow(GetDlgItem(Dialog, ListIdOf(k, true)), enable && synchro);
  }
  EnableWindow(GetDlgItem(Dialog, IDC_CHOOSE_FILE), writerIdle);
  int32_t enabledA = 0;
  bool anyOn = AnyChannelOn(Settings, enabledA);
  EnableWindow(GetDlgItem(Dialog, IDC_WRITE), !enable || anyOn);
  // The zero reset does not work with a single channel.
  EnableWindow(GetDlgItem(Dialog, IDC_RESET_MUL), enable && anyOn && enabledA >= ZeroMulChannels);
  KeepFocusUsable(!enable);
}

void ParameterControls::CloseDropDowns() {
  for (int32_t id = IDC_RATE; id <= IDC_LAST_CHANNEL; ++id) {
    int32_t* field = FieldOf(id);
    HWND list = GetDlgItem(Dialog, id);
    if (field != nullptr && SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
      // An open list shows the entry under the mouse, not a confirmed choice.
      Select(id, *field);
      SendMessageA(list, CB_SHOWDROPDOWN, FALSE, 0);
    }
  }
}

void ParameterControls::FillRangeList(int32_t id, bool differential, int32_t position) {
  HWND list = GetDlgItem(Dialog, id);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& label : RangeLabels(Configuration, differential)) {
    AddItem(list, label);
  }
  Select(id, position);
  FitDropDown(id);
}

void ParameterControls::FillRangeLists() {
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    FillRangeList(IDC_CHANNEL_A1 + i, true, Settings.ChAIndex[i]);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    FillRangeList(IDC_CHANNEL_A9 + i, false, Settings.ChAIndex[ChannelsPerList + i]);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    FillRangeList(IDC_CHANNEL_B1 + i, true, Settings.ChBIndex[i]);
  }
  for (int32_t i = 0; i < ChannelsPerList; ++i) {
    FillRangeList(IDC_CHANNEL_B9 + i, false, Settings.ChBIndex[ChannelsPerList + i]);
  }
}

void ParameterControls::FillSizeTimeList(int32_t id, int32_t position) {
  HWND list = GetDlgItem(Dialog, id);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& label : SizeTimeLabels(Configuration)) {
    AddItem(list, label);
  }
  Select(id, position);
  FitDropDown(id);
}

void ParameterControls::FillRecordNumberList(int32_t id, int32_t first, int32_t last,
                                             int32_t position) {
  HWND list = GetDlgItem(Dialog, id);
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (int32_t number = first; number <= last; ++number) {
    AddItem(list, RecordNumberLabel(number));
  }
  Select(id, position);
  FitDropDown(id);
}

// A classic drop-down list opens as far down as its window reaches: up to 16 rows of
// its font at the screen's resolution, or all of its entries when fewer.
void ParameterControls::FitDropDown(int32_t id) {
  HWND list = GetDlgItem(Dialog, id);
  int32_t count = static_cast<int32_t>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  int32_t rows = count < 1 ? 1 : count < DropDownRows ? count : DropDownRows;
  int32_t row = static_cast<int32_t>(SendMessageA(list, CB_GETITEMHEIGHT, 0, 0));
  RECT field;
  GetWindowRect(list, &field);  // the closed box: its selection field
  SetWindowPos(list, nullptr, 0, 0, field.right - field.left,
               field.bottom - field.top + rows * row + ListBorders,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t* ParameterControls::FieldOf(int32_t id) const {
  switch (id) {
    case IDC_RATE:
      return &Settings.FreqIndex;
    case IDC_SIZE_TIME:
      return &Settings.SizeIndex;
    case IDC_RECORD_NUMBER:
      return &Settings.FileNumber;
    default:
      break;
  }
  if (!IsChannelList(id)) {
    return nullptr;
  }
  int32_t channel = 0;
  bool groupB = false;
  ChannelOf(id, channel, groupB);
  return groupB ? &Settings.ChBIndex[channel] : &Settings.ChAIndex[channel];
}

// Disabling the focused control leaves the focus nowhere, and then Escape and Tab
// do nothing.
void ParameterControls::KeepFocusUsable(bool writing) {
  // In the background this thread has no focus at all; the dialog keeps the control
  // it remembers for its return.
  if (!IsWindowVisible(Dialog) || GetActiveWindow() != Dialog) {
    return;
  }
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(Dialog, focus) && IsWindowEnabled(focus)) {
    return;
  }
  HWND target = writing ? GetDlgItem(Dialog, IDC_WRITE) : nullptr;
  for (HWND child = GetWindow(Dialog, GW_CHILD); target == nullptr && child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) != 0 && IsWindowEnabled(child) && IsWindowVisible(child)) {
      target = child;
    }
  }
  if (target != nullptr) {
    SendMessageW(Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
  }
}

void ParameterControls::Select(int32_t id, int32_t position) {
  HWND list = GetDlgItem(Dialog, id);
  int32_t count = static_cast<int32_t>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  // Wine keeps the old selection for a position the list does not have.
  SendMessageA(list, CB_SETCURSEL, position >= 0 && position < count ? position : -1, 0);
}

// Taken as a signed 16-bit number, so no selection reads -1.
int32_t ParameterControls::SelectionOf(int32_t id) const {
  LRESULT selection = SendDlgItemMessageA(Dialog, id, CB_GETCURSEL, 0, 0);
  return static_cast<int16_t>(selection & 0xFFFF);
}
