#include "app/MainApplication.h"

bool MainApplication::OnIdle() {
  if (Main != nullptr) {
    Main->WriteInBackground();
  }
  // Any message wakes the loop at once; otherwise it looks again after a millisecond,
  // for the hints and the fill's progress.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  return false;  // never wait: the loop polls
}
