#include "automation/desktop_client.h"

#include "automation/clipboard.h"
#include "automation/keyboard_input.h"
#include "automation/message_pump.h"
#include "automation/mouse_input.h"
#include "automation/window_lookup.h"

namespace brindel {
namespace {

HWND toHwnd(WindowHandle window) {
  return reinterpret_cast<HWND>(window);
}
WindowHandle toHandle(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

}  // namespace

WindowHandle DesktopClient::findWindowByTitlePart(const Text& titlePart, const Text& className) {
  return toHandle(brindel::findWindowByTitlePart(titlePart, className));
}

WindowHandle DesktopClient::findTopWindow(const Text& className, const Text& title) {
  return toHandle(brindel::findTopWindow(className, title));
}

void DesktopClient::setTopmost(WindowHandle window, bool topmost) {
  brindel::setTopmost(toHwnd(window), topmost);
}

WindowBox DesktopClient::windowBox(WindowHandle window) {
  return brindel::windowBox(toHwnd(window));
}

void DesktopClient::postMouse(WindowHandle target, std::int32_t x, std::int32_t y,
                              MouseButton button, MouseAction action) {
  brindel::postMouse(toHwnd(target), x, y, button, action);
}

void DesktopClient::postMouseAt(WindowHandle target, std::int32_t x, std::int32_t y) {
  brindel::postMouseAt(toHwnd(target), x, y);
}

void DesktopClient::pressChord(std::int32_t key, std::int32_t modifier1) {
  brindel::pressChord(key, modifier1);
}

Text DesktopClient::clipboardText() {
  return brindel::clipboardText();
}

void DesktopClient::typeText(WindowHandle window, const Text& text) {
  brindel::typeText(toHwnd(window), text);
}

void DesktopClient::sendKey(WindowHandle window, std::int32_t key) {
  brindel::sendKey(toHwnd(window), key);
}

void DesktopClient::pumpWait(std::int32_t milliseconds) {
  brindel::pumpWait(milliseconds);
}

}  // namespace brindel
