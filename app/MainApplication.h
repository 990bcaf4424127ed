// The message loop of the program: it polls, and fills the data file while idle, for a
// few milliseconds at a time.
#pragma once

#include "app/MainDialog.h"
#include "framework/Application.h"

class MainApplication final : public Application {
 public:
  explicit MainApplication(int32_t acceleratorId);

  void SetMainObject(MainDialog* dialog) { Main = dialog; }
  bool OnIdle() override;

 private:
  MainDialog* Main = nullptr;
  int64_t SliceTicks = 0;  // of the performance counter
};
