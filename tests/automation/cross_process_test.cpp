// The copy chord, typed text and the Enter through the focus, sent to a window of another
// process as the reception cycle sends them to the client.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>

#include "automation/clipboard.h"
#include "automation/desktop_client.h"
#include "automation/keyboard_input.h"
#include "automation/message_pump.h"
#include "automation/scoped_win.h"
#include "automation/window_lookup.h"
#include "engine/gbk.h"
#include "support/test_windows.h"

namespace brindel {
namespace {

using namespace std::chrono_literals;
using test_support::PlainWindow;
using test_support::uniqueClassName;

std::string windowsPath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

// Waits, dispatching, until the condition holds; false after the timeout.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    pumpWait(20);
  }
  return true;
}

void putClipboardText(HWND owner, const std::string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  ScopedClipboard clipboard(owner);
  ASSERT_TRUE(clipboard.isOpen());
  EmptyClipboard();
  SetClipboardData(CF_TEXT, block);
}

PlainWindow::Options shown() {
  PlainWindow::Options options;
  options.style = WS_POPUP | WS_VISIBLE;
  return options;
}

// The helper program with its window, closed (or ended) when the test is over.
class CrossProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string commandLine = "key_target.exe " + className_;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(windowsPath(BRINDEL_KEY_TARGET).c_str(), commandLine.data(), nullptr,
                               nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        << GetLastError();
    process_ = ScopedHandle(started.hProcess);
    ScopedHandle thread(started.hThread);
    ASSERT_TRUE(eventually(
        [this] {
          target_ = findTopWindow(className_, "");
          return target_ != nullptr;
        },
        20s));
  }
  void TearDown() override {
    if (!process_) return;
    if (target_ != nullptr) PostMessageA(target_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
    }
  }
  std::string title() { return windowTitle(target_); }
  // SetForegroundWindow alone does not take the foreground here; the z-order call does.
  void putOwnWindowInFront() {
    setTopmost(own_.hwnd());
    ASSERT_TRUE(eventually([this] { return GetForegroundWindow() == own_.hwnd(); }, 2s))
        << "foreground " << GetForegroundWindow();
  }

  const std::string className_ = uniqueClassName("KeyTarget");
  ScopedHandle process_;
  HWND target_ = nullptr;
  PlainWindow own_{uniqueClassName("Own"), shown()};
};

TEST_F(CrossProcessTest, CopyChordReachesTheWindowTakenOutOfTheTopmostBand) {
  putClipboardText(own_.hwnd(), "stale");
  for (int copy = 1; copy <= 10; ++copy) {
    setTopmost(target_);
    pressChord('C', VK_CONTROL);
    const std::string expected = "copied " + std::to_string(copy);
    EXPECT_TRUE(eventually([&] { return clipboardText() == expected; }, 3s))
        << "chord " << copy << ": clipboard " << clipboardText();
  }
}

TEST_F(CrossProcessTest, TypedTextAndEnterReachTheWindowTakenOutOfTheTopmostBand) {
  putOwnWindowInFront();
  setTopmost(target_);
  const Text greeting = "ab" + gbk(u8"你好");
  typeText(target_, greeting);
  sendKey(target_, VK_RETURN);
  EXPECT_TRUE(eventually([&] { return title() == "enters=1 copies=0 typed=" + greeting; }))
      << ::testing::PrintToString(title());
}

// Under Wine 8 the focus change of sendKey alone does not make another process's window the
// receiver of SendInput: the foreground often ends up on the desktop window and the key is
// lost. The reception cycle calls setTopmost before every line, so it does not depend on this.
// Kept to measure it: --gtest_also_run_disabled_tests --gtest_filter=*WithoutSetTopmost*
TEST_F(CrossProcessTest, DISABLED_EnterReachesAWindowOfAnotherProcessWithoutSetTopmost) {
  putOwnWindowInFront();
  sendKey(target_, VK_RETURN);
  EXPECT_TRUE(eventually([&] { return title() == "enters=1 copies=0 typed="; }, 2s))
      << title() << " foreground " << GetForegroundWindow() << " target " << target_ << " own "
      << own_.hwnd();
}

// Through the port, as the reception cycle drives the client: find the window, take it out
// of the topmost band, copy, read, then type a line and send it.
TEST_F(CrossProcessTest, TheCyclesStepsThroughThePortReachTheTargetEveryTime) {
  DesktopClient desktop;
  ClientAutomationPort& client = desktop;
  for (int round = 1; round <= 5; ++round) {
    putOwnWindowInFront();
    const WindowHandle channel = client.findWindowByTitlePart("enters=", className_);
    ASSERT_EQ(channel, reinterpret_cast<WindowHandle>(target_));
    client.setTopmost(channel);
    client.pumpWait(100);
    client.pressChord('C', VK_CONTROL);
    const std::string copied = "copied " + std::to_string(round);
    EXPECT_TRUE(eventually([&] { return client.clipboardText() == copied; }, 3s)) << round;
    client.setTopmost(channel);
    client.typeText(channel, "x");
    client.sendKey(channel, VK_RETURN);
    const std::string state = "enters=" + std::to_string(round) +
                              " copies=" + std::to_string(round) +
                              " typed=" + std::string(round, 'x');
    EXPECT_TRUE(eventually([&] { return title() == state; }, 3s)) << title();
  }
}

}  // namespace
}  // namespace brindel
