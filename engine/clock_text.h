#pragma once

#include <cstdint>
#include <optional>

#include "engine/text.h"

namespace brindel {

struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

ClockTime localClockTime();

// Style 0: 9时5分3秒; 1: 9:5:3; 2: 9-5-3; 3: 9/5/3; any other: empty. Omitted time = now.
Text clockText(std::int32_t style, std::optional<ClockTime> time = std::nullopt);

}  // namespace brindel
