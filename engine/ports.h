#pragma once
// The two ports through which the reception cycle sees the world: the main window
// (ReceptionViewPort) and the desktop with the client on it (ClientAutomationPort).

#include <cstdint>

#include "engine/controls.h"
#include "engine/text.h"

namespace brindel {

using WindowHandle = std::uintptr_t;  // a window of any process; 0 means none

struct ClientPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct WindowBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Codes of the posted mouse operations; values outside the named ones are meaningful too.
enum class MouseButton : std::int32_t { Left = 1, Right = 2, Middle = 3, WheelForward = 4, WheelBack = 5 };
enum class MouseAction : std::int32_t { Click = 1, DoubleClick = 2, PressOnly = 3, ReleaseOnly = 4 };

class ReceptionViewPort {
 public:
  virtual ~ReceptionViewPort() = default;
  virtual bool isStopped() = 0;
  virtual void setTimerPeriod(std::int32_t milliseconds) = 0;
  virtual Text readText(ControlId control) = 0;
  virtual void writeText(ControlId control, const Text& text) = 0;
  virtual bool isChecked(ControlId checkBox) = 0;
  virtual std::int32_t appendLogRow() = 0;
  virtual void setLogCell(std::int32_t row, std::int32_t column, const Text& text) = 0;
};

class ClientAutomationPort {
 public:
  virtual ~ClientAutomationPort() = default;
  virtual WindowHandle findWindowByTitlePart(const Text& titlePart, const Text& className) = 0;
  virtual WindowHandle findTopWindow(const Text& className, const Text& title) = 0;
  virtual void setTopmost(WindowHandle window, bool topmost = false) = 0;
  virtual WindowBox windowBox(WindowHandle window) = 0;
  virtual void postMouse(WindowHandle target, std::int32_t x, std::int32_t y, MouseButton button,
                         MouseAction action) = 0;
  virtual void postMouseAt(WindowHandle target, std::int32_t x, std::int32_t y) = 0;
  virtual void pressChord(std::int32_t key, std::int32_t modifier1) = 0;
  virtual Text clipboardText() = 0;
  virtual void typeText(WindowHandle window, const Text& text) = 0;
  virtual void sendKey(WindowHandle window, std::int32_t key) = 0;
  virtual void pumpWait(std::int32_t milliseconds) = 0;
};

}  // namespace brindel
