// The message loop of the program: it polls, and fills the data file while idle.
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
