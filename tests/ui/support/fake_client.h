#pragma once
// A ClientAutomationPort that drives nothing: it records the operations the cycle calls,
// answers with the channel, menu and clipboard it is given, and waits for real (dispatching
// the thread's messages) so the window keeps working inside a cycle.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/ports.h"

namespace brindel::testing {

class FakeClient : public ClientAutomationPort {
 public:
  WindowHandle channel = 0;  // 0: no channel window, the cycle ends after its lookup
  WindowHandle menu = 0;
  WindowBox menuBox{};
  Text clipboard;
  std::function<void()> beforeEachWait;  // runs at the start of every pumpWait

  std::vector<std::string> calls;
  std::vector<ULONGLONG> lookupTimes;  // one per cycle that got past the stopped flag

  WindowHandle findWindowByTitlePart(const Text& titlePart, const Text& className) override;
  WindowHandle findTopWindow(const Text& className, const Text& title) override;
  void setTopmost(WindowHandle window, bool topmost = false) override;
  WindowBox windowBox(WindowHandle window) override;
  void postMouse(WindowHandle target, std::int32_t x, std::int32_t y, MouseButton button,
                 MouseAction action) override;
  void postMouseAt(WindowHandle target, std::int32_t x, std::int32_t y) override;
  void pressChord(std::int32_t key, std::int32_t modifier1) override;
  Text clipboardText() override;
  void typeText(WindowHandle window, const Text& text) override;
  void sendKey(WindowHandle window, std::int32_t key) override;
  void pumpWait(std::int32_t milliseconds) override;
};

}  // namespace brindel::testing
