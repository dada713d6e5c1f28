#pragma once
// A main window made, shown and pumped for each test, over a client that drives nothing.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "support/fake_client.h"
#include "ui/main_window.h"

namespace brindel::testing {

// Dispatches the thread's messages (through the window's pre-translation) for a while.
void pumpFor(int milliseconds);
// Pumps until the condition holds or the time is up; answers the condition.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds);

Text windowText(HWND window);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND control(ControlId id) const { return window.control(id); }
  bool isEnabled(ControlId id) const { return IsWindowEnabled(control(id)) != FALSE; }
  bool isRunning() const { return !isEnabled(ControlId::按钮1) && isEnabled(ControlId::按钮2); }
  bool isIdle() const { return isEnabled(ControlId::按钮1) && !isEnabled(ControlId::按钮2); }
  void setText(ControlId id, const Text& text) { SetWindowTextA(control(id), text.c_str()); }
  void postKey(ControlId target, WPARAM key);

  FakeClient client;
  MainWindow window{client};
};

}  // namespace brindel::testing
