#include "support/window_fixture.h"

#include <commctrl.h>

#include "automation/message_pump.h"

namespace brindel::testing {

void pumpFor(int milliseconds) {
  brindel::pumpWait(milliseconds);
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMilliseconds);
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    brindel::pumpWait(10);
  }
  return true;
}

Text windowText(HWND window) {
  char buffer[1024] = {};
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return Text(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

void MainWindowTest::SetUp() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  ASSERT_TRUE(window.create(GetModuleHandleA(nullptr)));
  window.show();
  pumpFor(20);
}

void MainWindowTest::TearDown() {
  if (window.handle()) DestroyWindow(window.handle());
  pumpFor(10);
}

void MainWindowTest::postKey(ControlId target, WPARAM key) {
  PostMessageA(control(target), WM_KEYDOWN, key, 1);
  PostMessageA(control(target), WM_KEYUP, key, 0xC0000001);
}

}  // namespace brindel::testing
