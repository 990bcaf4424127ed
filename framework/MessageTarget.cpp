#include "framework/MessageTarget.h"

int32_t DispatchThroughMap(MessageTarget& target, const MessageMapEntry* map, UINT message,
                           WPARAM first, LPARAM second) {
  if (map == nullptr) {
    return NotHandled;
  }
  for (const MessageMapEntry* row = map; row->Handler != nullptr; ++row) {
    if (row->Message != message) {
      continue;
    }
    if (row->Id != 0) {
      uint32_t id = LOWORD(first);
      bool inRange = row->IdLast != 0 && id >= row->Id && id <= row->IdLast;
      if (id != row->Id && !inRange) {
        continue;
      }
    }
    return row->Handler(target, first, second);
  }
  return NotHandled;
}
