#include "automation/message_pump.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "automation/scoped_win.h"

namespace brindel {
namespace {

// QS_ALLINPUT without QS_RAWINPUT: the mask the waits have always used, also on systems
// whose headers define QS_ALLINPUT as 0x04FF.
constexpr DWORD kWakeMask = 0x00FF;
constexpr double kHundredNsPerMs = 10000.0;
constexpr double kHundredNsPerUs = 10.0;
// While falling back on plain timed waits, a failing wait still looks at the queue this often.
constexpr DWORD kFallbackSliceMs = 10;

thread_local PreTranslateHook preTranslateHook;

double pumpWaitStepMs(std::int32_t unit) {
  switch (unit) {
    case 0:
      return 1;
    case 1:
      return 1000;
    case 2:
      return 60000;
    case 3:
      return 3600000;
    default:
      return unit;
  }
}

double pumpDelayStepMs(std::int32_t unit) {
  switch (unit) {
    case 0:
      return 1;
    case 2:
      return 1000;
    case 3:
      return 60000;
    case 4:
      return 3600000;
    case 5:
      return 86400000;
    default:
      return unit;
  }
}

// A negative due time counts from now; zero or positive is an absolute time long past.
std::int64_t relativeDueTime(double hundredNanoseconds) {
  const double due = std::trunc(-hundredNanoseconds);
  constexpr double lowest = static_cast<double>(std::numeric_limits<std::int64_t>::min());
  constexpr double highest = static_cast<double>(std::numeric_limits<std::int64_t>::max());
  if (due <= lowest) return std::numeric_limits<std::int64_t>::min();
  if (due >= highest) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(due);
}

// Tick count at which a wait of the given due time is over, for the fallback without a timer.
ULONGLONG deadlineOf(std::int64_t dueTime) {
  if (dueTime >= 0) return GetTickCount64();
  const ULONGLONG milliseconds = (static_cast<ULONGLONG>(-(dueTime + 1)) + 1 + 9999) / 10000;
  return GetTickCount64() + milliseconds;
}

ScopedHandle armedTimer(std::int64_t dueTime) {
  ScopedHandle timer(CreateWaitableTimerA(nullptr, FALSE, nullptr));
  if (!timer) return timer;
  LARGE_INTEGER due;
  due.QuadPart = dueTime;
  if (!SetWaitableTimer(timer.get(), &due, 0, nullptr, nullptr, FALSE)) return ScopedHandle();
  return timer;
}

void waitPumping(std::int64_t dueTime) {
  const ULONGLONG deadline = deadlineOf(dueTime);
  ScopedHandle timer = armedTimer(dueTime);
  // Without a working timer the loop below would never end: wait out the time instead.
  if (!timer) return pumpUntilTick(deadline);
  HANDLE handle = timer.get();
  for (;;) {
    const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, kWakeMask);
    if (result == WAIT_OBJECT_0) return;
    if (result != WAIT_OBJECT_0 + 1) return pumpUntilTick(deadline);
    dispatchPending();
  }
}

}  // namespace

void setPreTranslateHook(PreTranslateHook hook) {
  preTranslateHook = std::move(hook);
}

void handleMessage(MSG& message) {
  if (preTranslateHook && preTranslateHook(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

void dispatchPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // A quit that overtook the message looked at belongs to the main loop: put it back.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    handleMessage(message);
  }
}

std::int64_t pumpWaitDueTime(std::int32_t amount, std::int32_t unit) {
  return relativeDueTime(double(amount) * pumpWaitStepMs(unit) * kHundredNsPerMs);
}

std::int64_t pumpDelayDueTime(std::int32_t amount, std::int32_t unit) {
  if (unit == 1) return relativeDueTime(double(amount) * kHundredNsPerUs);
  return relativeDueTime(double(amount) * pumpDelayStepMs(unit) * kHundredNsPerMs);
}

void pumpUntilTick(std::uint64_t deadline) {
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    const DWORD remaining = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
    const DWORD result = MsgWaitForMultipleObjects(0, nullptr, FALSE, remaining, kWakeMask);
    if (result == WAIT_FAILED) Sleep(std::min(remaining, kFallbackSliceMs));
    if (result != WAIT_TIMEOUT) dispatchPending();
  }
}

void pumpWait(std::int32_t amount, std::int32_t unit) {
  waitPumping(pumpWaitDueTime(amount, unit));
}

void pumpDelay(std::int32_t amount, std::int32_t unit) {
  if (amount < 1) return;
  waitPumping(pumpDelayDueTime(amount, unit));
}

}  // namespace brindel
