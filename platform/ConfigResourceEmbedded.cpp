// The built-in configuration text, embedded at build time from resources/ZQ347Fill.cfg.
#include "platform/ConfigResource.h"

namespace {
const unsigned char Text[] = {
#include "BuiltinConfigText.inc"
};
}  // namespace

ResourceBytes BuiltinConfigurationText() {
  return {reinterpret_cast<const char*>(Text), static_cast<uint32_t>(sizeof Text)};
}
