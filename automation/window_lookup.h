#pragma once
// Finding and measuring other programs' top-level windows by class and title.

#include <windows.h>

#include <cstdint>

#include "engine/ports.h"
#include "engine/text.h"

namespace brindel {

struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// The window's title, cut to its first 255 bytes.
Text windowTitle(HWND window);

// The first top-level window of the class, in z-order from the top, whose title contains
// titlePart (exact bytes, at character starts; an empty part matches any non-empty title).
HWND findWindowByTitlePart(const Text& titlePart, const Text& className);

// One FindWindowExA; an empty class or title matches any.
HWND findTopWindow(const Text& className, const Text& title, HWND parent = nullptr,
                   HWND after = nullptr);

// false takes the window out of the topmost band and raises it within the ordinary band.
void setTopmost(HWND window, bool topmost = false);

// The outer screen rectangle; all zeros when the window is gone.
WindowBox windowBox(HWND window);

// Screen position of the client area's top-left corner; window 0 means the foreground window.
ScreenPoint clientOrigin(HWND window = nullptr);

// The cursor relative to the window's client area; window 0 gives the cursor's screen position.
ClientPoint cursorInClient(HWND window = nullptr);

}  // namespace brindel
