#include "tools/brindel_remote/brindel_window.h"

#include "engine/gbk.h"
#include "ui/control_table.h"

namespace brindel::remote {
namespace {

RECT rectInParent(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

HWND findBrindelWindow() {
  return FindWindowA(nullptr, gbk(kWindowCaption).c_str());
}

HWND findControl(HWND mainWindow, ControlId control) {
  const ControlSpec& spec = specOf(control);
  for (HWND child = FindWindowExA(mainWindow, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(mainWindow, child, nullptr, nullptr)) {
    const RECT rect = rectInParent(child, mainWindow);
    if (rect.left == spec.place.x && rect.top == spec.place.y &&
        rect.right - rect.left == spec.size.width && rect.bottom - rect.top == spec.size.height) {
      return child;
    }
  }
  return nullptr;
}

bool isReceptionRunning(HWND mainWindow) {
  HWND startButton = findControl(mainWindow, ControlId::按钮1);
  return startButton && !IsWindowEnabled(startButton);
}

}  // namespace brindel::remote
