#include "automation/message_pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "support/test_windows.h"

namespace brindel {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test_support::uniqueClassName;

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kPong = WM_APP + 2;

std::vector<UINT> handled;

LRESULT CALLBACK countingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPing || message == kPong) {
    handled.push_back(message);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Wait>
double timed(Wait wait) {
  const auto start = Clock::now();
  wait();
  return millisecondsSince(start);
}

// A window on the test's own thread: what the waits must keep working.
class MessagePumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    handled.clear();
    const std::string className = uniqueClassName("Pump");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = countingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className.c_str();
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, className.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    setPreTranslateHook({});
    DestroyWindow(window_);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  // Posts from another thread after a delay, while the test's thread waits.
  void postLater(std::chrono::milliseconds delay, UINT message) {
    poster_ = std::thread([this, delay, message] {
      std::this_thread::sleep_for(delay);
      PostMessageA(window_, message, 0, 0);
    });
  }
  void joinPoster() {
    if (poster_.joinable()) poster_.join();
  }

  HWND window_ = nullptr;
  std::thread poster_;
};

TEST_F(MessagePumpTest, PumpWaitLastsItsTimeAndHandlesMessagesMeanwhile) {
  postLater(30ms, kPing);
  const double elapsed = timed([] { pumpWait(100); });
  joinPoster();
  EXPECT_EQ(handled, std::vector<UINT>{kPing});
  EXPECT_GE(elapsed, 90);
  EXPECT_LT(elapsed, 1000);
}

TEST_F(MessagePumpTest, MessagesDoNotShortenTheWait) {
  std::thread poster([this] {
    for (int i = 0; i < 10; ++i) {
      PostMessageA(window_, kPing, 0, 0);
      std::this_thread::sleep_for(10ms);
    }
  });
  const double elapsed = timed([] { pumpDelay(200); });
  poster.join();
  EXPECT_EQ(handled.size(), 10u);
  EXPECT_GE(elapsed, 180);
  EXPECT_LT(elapsed, 1500);
}

TEST_F(MessagePumpTest, WaitsOfNoTimeReturnAtOnce) {
  for (auto wait : {+[] { pumpWait(0); }, +[] { pumpWait(-5); }, +[] { pumpDelay(0); },
                    +[] { pumpDelay(-1, 2); }, +[] { pumpWait(); }, +[] { pumpDelay(); }}) {
    EXPECT_LT(timed(wait), 50);
  }
}

struct TimedWait {
  const char* name;
  void (*wait)();
  double milliseconds;
};

class MessagePumpUnitTest : public ::testing::TestWithParam<TimedWait> {};

TEST_P(MessagePumpUnitTest, WaitsTheTimeOfItsUnit) {
  const double expected = GetParam().milliseconds;
  const double elapsed = timed(GetParam().wait);
  EXPECT_GE(elapsed, expected * 0.85 - 1);
  EXPECT_LT(elapsed, expected + 500);
}

INSTANTIATE_TEST_SUITE_P(
    Units, MessagePumpUnitTest,
    ::testing::Values(TimedWait{"WaitTwoOfSevenMs", [] { pumpWait(2, 7); }, 14},
                      TimedWait{"DelayTwoOfSevenMs", [] { pumpDelay(2, 7); }, 14},
                      TimedWait{"WaitOneSecond", [] { pumpWait(1, 1); }, 1000},
                      TimedWait{"DelayOneSecond", [] { pumpDelay(1, 2); }, 1000},
                      TimedWait{"WaitUnitFourIsFourMs", [] { pumpWait(20, 4); }, 80},
                      TimedWait{"DelayMilliseconds", [] { pumpDelay(50); }, 50},
                      TimedWait{"DelayOneMicrosecond", [] { pumpDelay(1, 1); }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct DueTimeCase {
  std::int32_t amount;
  std::int32_t unit;
  std::int64_t waitDue;
  std::int64_t delayDue;
};

class MessagePumpDueTimeTest : public ::testing::TestWithParam<DueTimeCase> {};

// The long units cannot be waited out in a test; their due times can be checked.
TEST_P(MessagePumpDueTimeTest, FollowsTheUnitTables) {
  const DueTimeCase& c = GetParam();
  EXPECT_EQ(pumpWaitDueTime(c.amount, c.unit), c.waitDue);
  EXPECT_EQ(pumpDelayDueTime(c.amount, c.unit), c.delayDue);
}

constexpr std::int64_t kMs = 10000;  // 100 ns intervals

INSTANTIATE_TEST_SUITE_P(Tables, MessagePumpDueTimeTest,
                         ::testing::Values(DueTimeCase{3, 0, -3 * kMs, -3 * kMs},
                                           DueTimeCase{3, 1, -3000 * kMs, -30},
                                           DueTimeCase{3, 2, -180000 * kMs, -3000 * kMs},
                                           DueTimeCase{3, 3, -3 * 3600000LL * kMs, -180000 * kMs},
                                           DueTimeCase{3, 4, -12 * kMs, -3 * 3600000LL * kMs},
                                           DueTimeCase{3, 5, -15 * kMs, -3 * 86400000LL * kMs},
                                           DueTimeCase{2, 7, -14 * kMs, -14 * kMs},
                                           DueTimeCase{0, 2, 0, 0},
                                           DueTimeCase{-2, 0, 2 * kMs, 2 * kMs}));

TEST_F(MessagePumpTest, QuitDuringAWaitStaysQueuedAndTheWaitLastsItsTime) {
  const DWORD thread = GetCurrentThreadId();
  std::thread poster([thread] {
    std::this_thread::sleep_for(30ms);
    PostThreadMessageA(thread, WM_QUIT, 7, 0);
  });
  const double elapsed = timed([] { pumpWait(150); });
  poster.join();
  EXPECT_GE(elapsed, 135);
  EXPECT_LT(elapsed, 1500);
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
}

double threadCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0;
  };
  return value(kernel) + value(user);
}

// A quit left at the head of the queue must not wake the wait again and again.
TEST_F(MessagePumpTest, AQueuedQuitDoesNotMakeTheWaitSpin) {
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
  const double cpuBefore = threadCpuMilliseconds();
  const double elapsed = timed([] { pumpWait(300); });
  const double cpu = threadCpuMilliseconds() - cpuBefore;
  EXPECT_GE(elapsed, 270);
  EXPECT_LT(cpu, elapsed / 2);
}

TEST_F(MessagePumpTest, DispatchPendingStopsBeforeAQuit) {
  PostMessageA(window_, kPing, 0, 0);
  PostQuitMessage(3);
  PostMessageA(window_, kPong, 0, 0);
  dispatchPending();
  // A quit from PostQuitMessage comes after the posted messages: both are handled first.
  EXPECT_EQ(handled, (std::vector<UINT>{kPing, kPong}));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(MessagePumpTest, DispatchPendingLeavesAPostedQuitAtTheHead) {
  PostMessageA(window_, kPing, 0, 0);
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 4, 0);
  PostMessageA(window_, kPong, 0, 0);
  dispatchPending();
  EXPECT_EQ(handled, std::vector<UINT>{kPing});
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(MessagePumpTest, PreTranslateHookSeesEachMessageFirstAndCanKeepItFromDispatch) {
  std::vector<UINT> seen;
  setPreTranslateHook([&seen](MSG& message) {
    seen.push_back(message.message);
    return message.message == kPing;
  });
  PostMessageA(window_, kPing, 0, 0);
  PostMessageA(window_, kPong, 0, 0);
  pumpWait(30);
  EXPECT_EQ(seen, (std::vector<UINT>{kPing, kPong}));
  EXPECT_EQ(handled, std::vector<UINT>{kPong});
}

TEST_F(MessagePumpTest, WaitWithoutATimerStillEndsAfterItsTimeAndDispatches) {
  postLater(20ms, kPing);
  const double elapsed = timed([] { pumpUntilTick(GetTickCount64() + 100); });
  joinPoster();
  EXPECT_EQ(handled, std::vector<UINT>{kPing});
  EXPECT_GE(elapsed, 80);
  EXPECT_LT(elapsed, 1000);
}

}  // namespace
}  // namespace brindel
