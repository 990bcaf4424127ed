// The built-in configuration text from the program's resource 107 of type "CONFIG".
#include <windows.h>

#include "platform/ConfigResource.h"

ResourceBytes BuiltinConfigurationText() {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(107), "CONFIG");
  HGLOBAL loaded = info != nullptr ? LoadResource(nullptr, info) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) {
    return {nullptr, 0};
  }
  return {static_cast<const char*>(data), static_cast<uint32_t>(SizeofResource(nullptr, info))};
}
