#pragma once
// The real ClientAutomationPort: other programs' windows driven through Win32.

#include "engine/ports.h"

namespace brindel {

class DesktopClient : public ClientAutomationPort {
 public:
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

}  // namespace brindel
