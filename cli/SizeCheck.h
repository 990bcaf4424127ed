// The file's size against the plans of the configuration: how many whole chunks it
// holds, and which size or duration of the size/time list makes exactly that many.
#pragma once

#include <cstdint>

#include "cli/HeaderDecoder.h"
#include "config/ProgramConfiguration.h"

struct SizeCheck {
  int64_t ChunkBytes = 0;  // 512 per recorded channel; 0 when the header lists none
  int64_t Chunks = 0;      // whole chunks after the header
  int64_t ExtraBytes = 0;  // after the last whole chunk
  int32_t Plan = -1;       // position in the size/time list; -1 when none matches
  double PlanRate = 0;     // Hz per channel, the configured rate a duration plan uses
};

SizeCheck CheckSize(const DecodedHeader& header, const ProgramConfiguration& configuration,
                    int64_t fileSize);
