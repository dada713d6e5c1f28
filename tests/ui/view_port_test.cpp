// ReceptionViewPort on the real controls: the timer's period rules, the log rows and
// cells, and what happens to a cycle when the window goes in the middle of one of its waits.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/gbk.h"
#include "support/window_fixture.h"

namespace brindel::testing {
namespace {

using ViewPortTimer = MainWindowTest;
using ViewPortLog = MainWindowTest;
using WindowClosedDuringCycle = MainWindowTest;

// The period is the behaviour here, so the bounds are about time, kept generous.
TEST_F(ViewPortTimer, SettingTheSamePeriodAgainDoesNotRestartTheCountdown) {
  const ULONGLONG armed = GetTickCount64();
  window.view().setTimerPeriod(1000);
  pumpFor(500);
  window.view().setTimerPeriod(1000);
  ASSERT_TRUE(pumpUntil([&] { return !client.lookupTimes.empty(); }, 3000));
  const ULONGLONG waited = client.lookupTimes.front() - armed;
  EXPECT_GE(waited, 900u);
  EXPECT_LT(waited, 1400u) << "a restarted countdown would tick after about 1500 ms";
}

TEST_F(ViewPortTimer, NegativePeriodStopsTheTimer) {
  window.view().setTimerPeriod(300);
  window.view().setTimerPeriod(-5);
  EXPECT_EQ(window.view().timerPeriod(), 0);
  pumpFor(700);
  EXPECT_TRUE(client.lookupTimes.empty());
}

TEST_F(ViewPortTimer, NewPeriodReplacesTheOldOne) {
  window.view().setTimerPeriod(5000);
  const ULONGLONG armed = GetTickCount64();
  window.view().setTimerPeriod(200);
  ASSERT_TRUE(pumpUntil([&] { return !client.lookupTimes.empty(); }, 3000));
  EXPECT_LT(client.lookupTimes.front() - armed, 2000u);
}

int selectedCount(HWND list) {
  return int(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0));
}

int nextRow(HWND list, int flags) {
  return int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), MAKELPARAM(flags, 0)));
}

Text cell(HWND list, int row, int column) {
  char text[256] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return text;
}

TEST_F(ViewPortLog, AppendedRowIsTheOnlySelectedAndFocusedOne) {
  HWND list = control(ControlId::超级列表框1);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(window.view().appendLogRow(), row);
  LVITEMA first{};
  first.stateMask = LVIS_SELECTED;
  first.state = LVIS_SELECTED;
  SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));

  EXPECT_EQ(window.view().appendLogRow(), 3);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(selectedCount(list), 1);
  EXPECT_EQ(nextRow(list, LVNI_SELECTED), 3);
  EXPECT_EQ(nextRow(list, LVNI_FOCUSED), 3);
  for (int column = 0; column < 5; ++column) EXPECT_EQ(cell(list, 3, column), "");
}

TEST_F(ViewPortLog, ListScrollsUntilTheNewRowIsVisible) {
  HWND list = control(ControlId::超级列表框1);
  int last = 0;
  for (int row = 0; row < 60; ++row) last = window.view().appendLogRow();
  const int top = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  const int perPage = int(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
  EXPECT_GT(top, 0);
  EXPECT_LT(last, top + perPage);
}

TEST_F(ViewPortLog, CellsOutsideTheListAreIgnored) {
  HWND list = control(ControlId::超级列表框1);
  window.view().appendLogRow();
  window.view().setLogCell(0, 2, gbk(u8"欢迎【张三】用户光临本频道"));
  window.view().setLogCell(0, 5, "x");
  window.view().setLogCell(0, -1, "x");
  window.view().setLogCell(1, 1, "x");
  window.view().setLogCell(-1, 1, "x");
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(cell(list, 0, 2), gbk(u8"欢迎【张三】用户光临本频道"));
  for (int column : {0, 1, 3, 4}) EXPECT_EQ(cell(list, 0, column), "") << column;
}

// Esc during a greeting's wait destroys the window inside the wait. The cycle must stop
// there: no port call afterwards, and the program's quit waits for the tick to return.
TEST_F(WindowClosedDuringCycle, CycleStopsAndQuitStaysQueued) {
  client.channel = 0x1000;
  client.menu = 0x2000;
  client.menuBox = {0, 0, 156, 158};
  client.clipboard = gbk(u8"通知： [张三] 进入 [1] 通知： [李四] 进入 [1]");
  SendMessageA(control(ControlId::选择框_接待语), BM_SETCHECK, BST_CHECKED, 0);
  std::size_t callsAtClose = 0;
  bool closed = false;
  window.setClosedHandler([&] {
    closed = true;
    callsAtClose = client.calls.size();
    PostQuitMessage(0);
  });
  client.beforeEachWait = [&] {
    if (!closed) postKey(ControlId::编辑框_频道, VK_ESCAPE);
  };
  window.receptionSwitch().startReception();

  ASSERT_TRUE(pumpUntil([&] { return closed; }, 5000));
  EXPECT_EQ(window.handle(), nullptr);
  ASSERT_FALSE(client.calls.empty());
  EXPECT_EQ(client.calls.back(), "pumpWait") << "the window went inside the greeting's wait";
  EXPECT_EQ(client.calls.size(), callsAtClose) << "a port call after the window was gone";
  EXPECT_EQ(std::count(client.calls.begin(), client.calls.end(), "typeText"), 0);
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(window.view().readText(ControlId::超级编辑框1), "");
  window.view().writeText(ControlId::超级编辑框1, "x");
  EXPECT_EQ(window.view().appendLogRow(), 0);
}

}  // namespace
}  // namespace brindel::testing
