// The message loop of the program: while a data file fills on a thread of its own, it
// passes on the file's progress whenever no message waits.
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
