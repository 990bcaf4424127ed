#include "app/MainApplication.h"

bool MainApplication::OnIdle() {
  bool nothingToWrite = Main == nullptr || Main->WriteNextChunk();
  if (nothingToWrite) {
    Sleep(1);
  }
  return false;  // never wait: the loop polls
}
