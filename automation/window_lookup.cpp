#include "automation/window_lookup.h"

#include <algorithm>
#include <cstring>

namespace brindel {
namespace {

constexpr int kTitleBufferSize = 256;

const char* nullWhenEmpty(const Text& text) {
  return text.empty() ? nullptr : text.c_str();
}

// Handles whose 32-bit reading is negative end the walk, as a failed lookup does.
bool endsWalk(HWND window) {
  return window == nullptr ||
         static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(window)) < 0;
}

bool titleContains(const Text& title, const Text& titlePart) {
  return findText(title, titlePart) > 0;
}

}  // namespace

Text windowTitle(HWND window) {
  char buffer[kTitleBufferSize + 1];
  std::memset(buffer, ' ', kTitleBufferSize);
  buffer[kTitleBufferSize] = '\0';
  // A failed call may leave anything in the buffer: only the bytes it reports are a title.
  const int copied = GetWindowTextA(window, buffer, kTitleBufferSize);
  if (copied <= 0) return {};
  const auto length = static_cast<std::size_t>(std::min(copied, kTitleBufferSize - 1));
  return Text(buffer, strnlen(buffer, length));
}

HWND findWindowByTitlePart(const Text& titlePart, const Text& className) {
  HWND previous = nullptr;
  for (;;) {
    // A null window name: every window of the class, whatever its title.
    HWND candidate = FindWindowExA(nullptr, previous, className.c_str(), nullptr);
    if (endsWalk(candidate)) return nullptr;
    if (titleContains(windowTitle(candidate), titlePart)) return candidate;
    previous = candidate;
  }
}

HWND findTopWindow(const Text& className, const Text& title, HWND parent, HWND after) {
  return FindWindowExA(parent, after, nullWhenEmpty(className), nullWhenEmpty(title));
}

void setTopmost(HWND window, bool topmost) {
  constexpr UINT kKeepPlaceAndSize = SWP_NOMOVE | SWP_NOSIZE;
  if (topmost) {
    SetForegroundWindow(window);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
  } else {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
  }
}

WindowBox windowBox(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

ScreenPoint clientOrigin(HWND window) {
  if (window == nullptr) window = GetForegroundWindow();
  POINT point{};
  if (!ClientToScreen(window, &point)) return {};
  return {point.x, point.y};
}

ClientPoint cursorInClient(HWND window) {
  ScreenPoint origin;
  if (window != nullptr) origin = clientOrigin(window);
  POINT cursor{};
  if (!GetCursorPos(&cursor)) cursor = {};
  return {cursor.x - origin.x, cursor.y - origin.y};
}

}  // namespace brindel
