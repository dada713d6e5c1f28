// Real mouse input (synthesised through SendInput): pressing a label or the background moves
// the window; a double click on a label still reaches it.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/window_fixture.h"

namespace brindel::testing {
namespace {

class Mouse : public MainWindowTest {
 protected:
  static void send(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    SendInput(1, &input, sizeof input);
  }
  static POINT middleOf(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
  void click(POINT at) {
    SetCursorPos(at.x, at.y);
    send(MOUSEEVENTF_LEFTDOWN);
    send(MOUSEEVENTF_LEFTUP);
  }
  // The move runs a modal loop on this very thread, so the whole gesture is queued first.
  void drag(POINT from, int dx, int dy) {
    SetCursorPos(from.x, from.y);
    pumpFor(50);
    send(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) {
      const POINT to{from.x + dx * step / 4, from.y + dy * step / 4};
      send(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, absolute(to.x, SM_CXSCREEN),
           absolute(to.y, SM_CYSCREEN));
    }
    send(MOUSEEVENTF_LEFTUP);
    pumpFor(300);
  }
  static LONG absolute(int pixel, int metric) {
    return static_cast<LONG>((pixel * 65536LL + 32768) / GetSystemMetrics(metric));
  }
  POINT windowCorner() const {
    RECT box;
    GetWindowRect(window.handle(), &box);
    return {box.left, box.top};
  }
};

TEST_F(Mouse, DraggingALabelOrTheBackgroundMovesTheWindow) {
  struct Case {
    const char* name;
    POINT from;  // a client point of the main window
  };
  const Case cases[] = {
      {"label", {33, 315}},        // the middle of 房间号：
      {"background", {520, 315}},  // above the start button, right of the always-on-top box
  };
  for (const Case& drag : cases) {
    SCOPED_TRACE(drag.name);
    const POINT before = windowCorner();
    POINT from = drag.from;
    ClientToScreen(window.handle(), &from);
    this->drag(from, 40, 30);
    const POINT after = windowCorner();
    EXPECT_EQ(after.x - before.x, 40);
    EXPECT_EQ(after.y - before.y, 30);
  }
}

TEST_F(Mouse, ClickOnAnEditBoxStillReachesIt) {
  const POINT before = windowCorner();
  click(middleOf(control(ControlId::编辑框_接待内容1)));
  pumpFor(200);
  EXPECT_EQ(GetFocus(), control(ControlId::编辑框_接待内容1));
  EXPECT_EQ(windowCorner().x, before.x);
}

TEST_F(Mouse, DoubleClickOnTheStopLabelStops) {
  window.receptionSwitch().startReception();
  const POINT label = middleOf(control(ControlId::标签2));
  click(label);
  click(label);
  ASSERT_TRUE(pumpUntil([&] { return isIdle(); }, 2000));
  EXPECT_TRUE(window.view().isStopped());
}

}  // namespace
}  // namespace brindel::testing
