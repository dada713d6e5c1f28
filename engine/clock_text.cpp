#include "engine/clock_text.h"

#include <ctime>
#include <string>

#include "engine/gbk.h"

namespace brindel {

ClockTime localClockTime() {
  const std::time_t now = std::time(nullptr);
  // One user-interface thread: the shared buffer of localtime is copied before anyone else.
  const std::tm local = *std::localtime(&now);
  return {local.tm_hour, local.tm_min, local.tm_sec};
}

namespace {

Text joined(const ClockTime& time, const Text& afterHour, const Text& afterMinute,
            const Text& afterSecond) {
  return std::to_string(time.hour) + afterHour + std::to_string(time.minute) + afterMinute +
         std::to_string(time.second) + afterSecond;
}

}  // namespace

Text clockText(std::int32_t style, std::optional<ClockTime> time) {
  const ClockTime at = time.value_or(localClockTime());
  switch (style) {
    case 0:
      return joined(at, gbk(u8"时"), gbk(u8"分"), gbk(u8"秒"));
    case 1:
      return joined(at, ":", ":", {});
    case 2:
      return joined(at, "-", "-", {});
    case 3:
      return joined(at, "/", "/", {});
    default:
      return {};
  }
}

}  // namespace brindel
