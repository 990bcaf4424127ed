// The message loop of the program: it polls, and while idle passes on the progress of
// the data file that fills on a thread of its own.
#pragma once

#include "app/MainDialog.h"
#include "framework/Application.h"

class MainApplication final : public Application {
 public:
  explicit MainApplication(int32_t acceleratorId) : Application(acceleratorId) {}

  void SetMainObject(MainDialog* dialog) { Main = dialog; }
  bool OnIdle() override;

 private:
  MainDialog* Main = nullptr;
};
