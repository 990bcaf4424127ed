// The dialog's 35 lists and four mode buttons that show and edit the recording
// settings: filling them with their texts, reading them back, the rate list that
// follows the channel count, B channels that follow their A channels, and which
// controls may be used when.
#pragma once

#include <windows.h>

#include <cstdint>

#include "config/ProgramConfiguration.h"
#include "recording/RecordingSettings.h"

class ParameterControls {
 public:
  ParameterControls(RecordingSettings& settings, ProgramConfiguration& configuration)
      : Settings(settings), Configuration(configuration) {}
  ~ParameterControls();
  ParameterControls(const ParameterControls&) = delete;
  ParameterControls& operator=(const ParameterControls&) = delete;

  // Fills every list and button of `dialog` from the records.
  void InitParameterControls(HWND dialog);
  void ReadParameterControls();
  // Settles the rate for the enabled channels and shows the rates on offer; fills
  // `list` with the enabled A channels when given.
  void RebuildRateList(bool takeIndex, ChannelList* list = nullptr);
  void ShowRangeSelections();

  // A list closing up, or a keyboard choice on a closed list: reads the controls and
  // refreshes the rate and B lists. False, with nothing done, for any other command.
  bool OnControlCommand(WPARAM first);
  void OnSynchroCommand();
  // `writerIdle`: no data file is planned, so another target may be chosen.
  void EnableRecordingControls(bool enable, bool synchro, bool writerIdle);

  // Closes any open list, keeping the choice it had before it was opened.
  void CloseDropDowns();

 private:
  void FillRangeList(int32_t id, bool differential, int32_t position);
  void FillRangeLists();
  void FillSizeTimeList(int32_t id, int32_t position);
  void FillRecordNumberList(int32_t id, int32_t first, int32_t last, int32_t position);
  void ShowRates(const VisibleRateList& visible);
  void FitDropDown(int32_t id);
  // The record field a list edits; none for an id that is not a list.
  int32_t* FieldOf(int32_t id) const;
  void KeepFocusUsable(bool writing);
  void Select(int32_t id, int32_t position);
  int32_t SelectionOf(int32_t id) const;

  RecordingSettings& Settings;
  ProgramConfiguration& Configuration;
  HWND Dialog = nullptr;
  HFONT ParameterFont = nullptr;
};
