#include "app/MainApplication.h"

namespace {

// How often the loop passes on the progress of a file that fills; any message wakes it
// at once.
constexpr DWORD FillPollMilliseconds = 5;

}  // namespace

bool MainApplication::OnIdle() {
  if (Main == nullptr || Main->WriteInBackground()) {
    return true;  // nothing fills: wait for a message
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, FillPollMilliseconds, QS_ALLINPUT);
  return false;
}
