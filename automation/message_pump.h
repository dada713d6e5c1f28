#pragma once
// Waits that keep the program's own windows working, and the message handling they share
// with the main message loop.

#include <windows.h>

#include <cstdint>
#include <functional>

namespace brindel {

// The main window's look at each queued message before dispatch (keys, label double clicks);
// true when it handled the message. One per thread; empty clears it.
using PreTranslateHook = std::function<bool(MSG& message)>;
void setPreTranslateHook(PreTranslateHook hook);

// Pre-translation, then TranslateMessage and DispatchMessageA: what the main loop does with
// each message it takes.
void handleMessage(MSG& message);

// Handles every message already queued, stopping before a WM_QUIT (which stays queued).
void dispatchPending();

// pumpWait units: 0 ms, 1 s, 2 min, 3 h, other v: v ms. pumpDelay: 0 ms, 1 us, 2 s, 3 min,
// 4 h, 5 days, other v: v ms; an amount below 1 returns at once.
void pumpWait(std::int32_t amount = 0, std::int32_t unit = 0);
void pumpDelay(std::int32_t amount = 0, std::int32_t unit = 0);

// The timers' due times of the two waits, in 100 ns, negative meaning from now; zero or
// positive is a time already past.
std::int64_t pumpWaitDueTime(std::int32_t amount, std::int32_t unit);
std::int64_t pumpDelayDueTime(std::int32_t amount, std::int32_t unit);

// The wait used when no timer can be had: until GetTickCount64() reaches deadline, sleeping
// between messages and dispatching them.
void pumpUntilTick(std::uint64_t deadline);

}  // namespace brindel
