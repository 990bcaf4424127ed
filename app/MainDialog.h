// The program's one window: owns the configuration, the recording choices, the data
// file writer and the paths, and routes every message to the subsystem that acts on it.
#pragma once

#include <atomic>

#include "config/PathTexts.h"
#include "config/ProgramConfiguration.h"
#include "datafile/DataFileWriter.h"
#include "datafile/StatusPanels.h"
#include "framework/Dialog.h"
#include "platform/FileSystem.h"
#include "recording/ParameterControls.h"
#include "recording/RecordingSettings.h"

class MainDialog : public Dialog, private WriterOwner {
 public:
  // Reads the configuration and the saved choices, then creates and shows the window.
  explicit MainDialog(FileSystem& files);

  const MessageMapEntry* GetMessageMap() const override;
  void OnNcDestroy() override;
  void OnPaint(HDC, const RECT&) override;

  const StatusPanels& Panels() const { return Status; }

  int32_t OnTimer(WPARAM timer);
  int32_t OnInitDialog();
  int32_t OnDestroy();
  int32_t OnMove();
  int32_t OnEnable(WPARAM enabled);
  int32_t OnCancel();
  int32_t OnWriteCommand(WPARAM first);
  int32_t OnChooseFileCommand();
  int32_t OnSynchroCommand();
  int32_t OnControlCommand(WPARAM first, LPARAM second);
  int32_t OnFillAdvanced();

 private:
  void WriterProgress(uint32_t total, uint32_t done) override;
  void WriterStopped() override;
  bool ConfirmReplace(const char* question) override;
  void WriterFailed(WriterFailure kind, const char* text) override;
  void FillAdvanced() override;
  int ShowMessage(uint32_t style, const char* text);

  void EnableControls(bool enable);
  void ReleaseWriteButton();
  void DrawHeldProgress();

  FileSystem& Files;
  ProgramConfiguration Configuration;
  RecordingSettings Settings;
  PathTexts Paths;
  DataFileWriter Writer;
  ParameterControls Controls;
  StatusPanels Status;
  // At most one message of the fill's thread waits in the queue.
  std::atomic<bool> FillPosted{false};
  // The notices that one message of the fill passes on are drawn once, with the last.
  bool HoldProgress = false;
  bool ProgressHeld = false;
  uint32_t HeldTotal = 0;
  uint32_t HeldDone = 0;
};
